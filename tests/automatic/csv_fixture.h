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

inline std::string completeHeader(const std::string &d)
{
    std::string header = "ASCII (A), HEX(X)" + d + "Carrier ID offset" + d + "Carrier ID length" + d + "Carrier ID" + d
        + "Lock Carrier ID" + d;
    for (int page = 3; page <= 17; ++page)
        header += "page" + std::to_string(page) + d + "Lock page" + std::to_string(page) + d;
    return header + "done";
}

// A complete row: the leading five fields, page 3's value and lock, the
// other pages empty and unlocked, and the done field.
inline std::string completeRow(const std::string &leading, const std::string &page3, const std::string &done = "")
{
    std::string row = leading + "," + page3 + ",1,";
    for (int page = 4; page <= 17; ++page)
        row += ",0,";
    return row + done;
}

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
    CsvFile file() const { return csvFileOf(set, delimiter, dir.path()); }
    // The pages as the window reads its boxes, and the placed ones back.
    PageImage image() const { return pageImageOf(pageText, asciiFormat, setPageCells(set)); }
    void takePlaced(const PageImage &placed)
    {
        storePlacedPages(set, placed);
        for (int page = 1; page <= kPageCount; ++page) {
            if (placed.placed[static_cast<std::size_t>(page - 1)])
                pageText[static_cast<std::size_t>(page - 1)] = teb::pageText(placed.cells.page(page), asciiFormat);
        }
    }
    // A data source's row as the window takes it; the error count.
    int take(const std::optional<TakenRow> &taken)
    {
        if (!taken)
            return 1;
        takePlaced(taken->image);
        for (std::size_t i = 0; taken->locks && i < kPageCount; ++i)
            set.pages[i].locked = (*taken->locks)[i];
        set.carrierId = nextCarrierId = taken->carrierId;
        state.rowInPages = taken->row;
        return 0;
    }
    std::filesystem::path csvPath() const { return dir / set.csvFileName; }
    void writeCsv(const std::string &bytes) const { writeFileBytes(csvPath(), bytes); }
    std::string csv() const { return readFileBytes(csvPath()); }

    TempDir dir;
    ParameterSet set;
    std::array<std::string, kPageCount> pageText;
    std::string nextCarrierId;
    std::string delimiter = ",";
    CsvSourceState state;
    bool asciiFormat = false;
    RecordingNotices notices;
};

} // namespace teb::test
