#include "support/automatic_job.h"

#include "params/parameter_set_file.h"
#include "params/profile_file.h"
#include "support/temp_dir.h"

#include <stdexcept>
#include <vector>

namespace teb::test {

ParameterSet automaticJob()
{
    ParameterSet set;
    set.name = "job";
    set.quantity = "100";
    set.useDecimalCounter = true;
    set.carrierIdOffset = "0";
    set.carrierIdLength = "16";
    set.memoryPage = "1";
    set.carrierId = "1";
    set.transponderOrvex = true;
    for (PageSetting &page : set.pages) {
        page.hex.fill("00");
        page.ascii.fill("NUL");
        page.locked = true;
    }
    set.writePages3To17 = true;
    set.counterPage = "None";
    set.logEnabled = true;
    set.recordFileName = "records.xml";
    return set;
}

void writeAutomaticStation(const std::filesystem::path &directory, const ParameterSet &set,
                           const std::string &carrierIdMax, const std::string &delimiter)
{
    ProfileDocument file = ProfileDocument::parse("");
    writeParameterSet(file, set);
    if (!file.save(directory / "job.ini"))
        throw std::runtime_error("cannot write job.ini");
    std::vector<std::string> settings{"[Interface]", "port=COM7", "baudrate=115200", "databits=8",
                                      "[Auto]", "SelectConfig=1", "Pruefablauf_ist=job", "Pruefablaeufe=1",
                                      "Pruefablauf_0=job", "Carrier ID Max=" + carrierIdMax,
                                      "csv delimiter=" + delimiter, "[Data]", "SelectAll=1"};
    for (int page = 1; page <= 17; ++page)
        settings.push_back("SelectP" + std::to_string(page) + "=1");
    std::string text;
    for (const std::string &line : settings)
        text += line + "\r\n";
    writeFileBytes(directory / "TagEncoderBench.ini", text);
}

std::string hexOf(const std::string &eight)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    for (const unsigned char c : eight) {
        hex += digits[c >> 4];
        hex += digits[c & 0x0F];
    }
    return hex;
}

} // namespace teb::test
