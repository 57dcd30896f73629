#include "params/new_parameter_set.h"

#include <algorithm>

#include "params/parameter_set_file.h"

namespace teb {
namespace {

constexpr std::string_view kNoEntry = "None";

bool isEntryOf(const std::vector<std::string> &entries, std::string_view value)
{
    return std::ranges::find(entries, value) != entries.end();
}

} // namespace

const std::vector<std::string> &counterPageEntries()
{
    static const std::vector<std::string> entries{"None", "3",  "4",  "5",  "6",  "7",  "8",  "9",
                                                  "10",   "11", "12", "13", "14", "15", "16", "17"};
    return entries;
}

const std::vector<std::string> &alignmentEntries()
{
    static const std::vector<std::string> entries{"None", "Left", "Right"};
    return entries;
}

ParameterSet newParameterSet(std::string_view name)
{
    ParameterSet set;
    set.name = std::string(name);
    set.useDecimalCounter = true;
    set.carrierIdOffset = "0";
    set.carrierIdLength = "8";
    set.carrierId = std::string(kFirstCarrierId);
    set.memoryPage = "1";
    set.transponderTi = true;
    set.counterValue = std::string(kFirstCarrierId);
    completeForEditor(set);
    return set;
}

void completeForEditor(ParameterSet &set)
{
    if (!isEntryOf(counterPageEntries(), set.counterPage))
        set.counterPage = std::string(kNoEntry);
    if (!isEntryOf(alignmentEntries(), set.alignment))
        set.alignment = std::string(kNoEntry);
    for (PageSetting &page : set.pages)
        std::ranges::replace(page.hex, std::string(), std::string("00"));
    deriveDisplayTexts(set);
}

} // namespace teb
