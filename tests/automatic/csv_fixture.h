#pragma once

#include "automatic/csv_data_source.h"
#include "support/temp_dir.h"

#include <string>
#include <vector>

namespace teb::test {

inline const std::string kCsvWrongFormat = "Next Carrier ID has the wrong format. Check the used csv file.";

class RecordingNotices : public NoticeSink {
public:
    void notify(const Notice &notice) override { texts.emplace_back(notice.text); }
    std::vector<std::string> texts;
};

// A set with a CSV source in a temporary folder and the window's fields.
class CsvSourceFixture {
public:
    CsvSourceFixture()
    {
        set.carrierIdLength = "2";
        set.carrierIdOffset = "0";
        set.memoryPage = "1";
        set.csvFileName = "ids.csv";
        for (auto &text : pageText)
            text = "00 00 00 00 00 00 00 00";
    }
    DataSourceFields fields() { return DataSourceFields{set, pageText, false, nextCarrierId, delimiter, dir.path()}; }
    std::filesystem::path csvPath() const { return dir / set.csvFileName; }
    void writeCsv(const std::string &bytes) const { writeFileBytes(csvPath(), bytes); }
    std::string csv() const { return readFileBytes(csvPath()); }

    TempDir dir;
    ParameterSet set;
    std::array<std::string, pageCount> pageText;
    std::string nextCarrierId;
    std::string delimiter = ",";
    CsvSourceState state;
    RecordingNotices notices;
};

} // namespace teb::test
