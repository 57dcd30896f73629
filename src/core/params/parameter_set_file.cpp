#include "params/parameter_set_file.h"

#include <algorithm>
#include <string>
#include <variant>
#include <vector>

#include "common/decimal_text.h"
#include "params/profile_file.h"
#include "transponder/page_text.h"

namespace teb {
namespace {

// One key of a set file and the field it holds.
struct KeyBinding {
    std::string section;
    std::string key;
    std::variant<std::string *, bool *> field;
};

// Byte numbers in key names have at least two digits: "HEX 05", "HEX 100".
std::string twoDigits(int number) { return (number < 10 ? "0" : "") + formatDecimal(number); }

void bindPage(std::vector<KeyBinding> &keys, PageSetting &page, int pageNumber)
{
    const std::string section = "Page " + formatDecimal(pageNumber);
    const int firstByte = kBytesPerPage * (pageNumber - 1);
    for (int i = 0; i < kBytesPerPage; ++i)
        keys.push_back({section, "HEX " + twoDigits(firstByte + i), &page.hex[static_cast<std::size_t>(i)]});
    if (pageNumber <= kFixablePageCount) {
        for (int i = 0; i < kBytesPerPage; ++i)
            keys.push_back({section, "fix byte " + twoDigits(firstByte + i), &page.fixed[static_cast<std::size_t>(i)]});
    }
    keys.push_back({section, "Edit Page " + formatDecimal(pageNumber), &page.editable});
    keys.push_back({section, "Lock Page " + formatDecimal(pageNumber), &page.locked});
}

// Every key of the file in the order in which it is written.
std::vector<KeyBinding> bindKeys(ParameterSet &set)
{
    const std::string workOrder = "Work order Setup";
    const std::string source = "Data Source";
    const std::string carrier = "SEMI E99 Carrier ID Setup";
    const std::string type = "Transponder type";
    const std::string pages3To17 = "Pages 3-17";
    std::vector<KeyBinding> keys{
        {workOrder, "Operator badge ID#", &set.operatorBadgeId},
        {workOrder, "Part number", &set.partNumber},
        {workOrder, "Work order number", &set.workOrderNumber},
        {workOrder, "Quantity", &set.quantity},
        {source, "Decimal counter", &set.useDecimalCounter},
        {source, "csv file", &set.useCsvFile},
        {source, "csv file complete", &set.csvFileComplete},
        {source, "file name", &set.csvFileName},
        {source, "fix data", &set.useFixData},
        {carrier, "Carrier ID Offset", &set.carrierIdOffset},
        {carrier, "Carrier ID Length", &set.carrierIdLength},
        {carrier, "Carrier ID", &set.carrierId},
        {carrier, "Lock Carrier ID", &set.lockCarrierId},
        {carrier, "Memory Page", &set.memoryPage},
        {type, "TI", &set.transponderTi},
        {type, "Orvex", &set.transponderOrvex},
    };
    bindPage(keys, set.pages[0], 1);
    bindPage(keys, set.pages[1], 2);
    keys.push_back({pages3To17, "Write Pages 3-17", &set.writePages3To17});
    keys.push_back({pages3To17, "Counter Page", &set.counterPage});
    keys.push_back({pages3To17, "Alignment", &set.alignment});
    keys.push_back({pages3To17, "Counter Value", &set.counterValue});
    for (int page = 3; page <= kPageCount; ++page)
        bindPage(keys, set.pages[static_cast<std::size_t>(page - 1)], page);
    keys.push_back({"Log", "Log", &set.logEnabled});
    keys.push_back({"Log", "file name", &set.recordFileName});
    return keys;
}

bool hasControlCharacter(std::string_view name)
{
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f)
            return true;
    }
    return false;
}

} // namespace

std::filesystem::path setFilePath(const std::filesystem::path &directory, std::string_view name)
{
    return directory / (std::string(name) + ".ini");
}

void deriveDisplayTexts(ParameterSet &set)
{
    for (PageSetting &page : set.pages)
        std::ranges::transform(page.hex, page.ascii.begin(), [](const std::string &hex) { return hexToDisplay(hex); });
}

bool isValidSetName(std::string_view name)
{
    return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\") == std::string_view::npos &&
           !hasControlCharacter(name);
}

void writeParameterSet(ProfileDocument &file, const ParameterSet &set)
{
    ParameterSet values = set;
    for (const KeyBinding &binding : bindKeys(values)) {
        if (const auto *text = std::get_if<std::string *>(&binding.field))
            file.setValue(binding.section, binding.key, **text);
        else
            file.setValue(binding.section, binding.key, formatFlag(*std::get<bool *>(binding.field)));
    }
}

ParameterSet readParameterSet(const ProfileDocument &file)
{
    ParameterSet set;
    for (const KeyBinding &binding : bindKeys(set)) {
        const std::string value = file.value(binding.section, binding.key);
        if (auto *text = std::get_if<std::string *>(&binding.field))
            **text = value;
        else
            *std::get<bool *>(binding.field) = readFlag(value);
    }
    deriveDisplayTexts(set);
    return set;
}

ParameterSet loadParameterSet(const std::filesystem::path &directory, std::string_view name)
{
    ParameterSet set;
    if (isValidSetName(name))
        set = readParameterSet(ProfileDocument::loadOrEmpty(setFilePath(directory, name)));
    set.name = std::string(name);
    return set;
}

} // namespace teb
