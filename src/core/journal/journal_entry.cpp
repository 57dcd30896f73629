#include "journal/journal_entry.h"

#include "transponder/byte_text.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace teb {
namespace {

constexpr std::array<std::string_view, 5> kStateNames{"reserved", "programmed", "failed", "uncertain", "spoiled"};

} // namespace

std::string_view stateName(CycleState state) { return kStateNames[static_cast<std::size_t>(state)]; }

std::optional<CycleState> stateNamed(std::string_view name)
{
    const auto found = std::find(kStateNames.begin(), kStateNames.end(), name);
    if (found == kStateNames.end())
        return std::nullopt;
    return static_cast<CycleState>(found - kStateNames.begin());
}

std::string carrierKey(std::string_view carrierId) { return textToHexDigits(carrierId); }

std::optional<std::string> pagesKey(std::string_view pagesHex)
{
    constexpr std::string_view kNotWritten = "----------------";
    constexpr int kKeyedPages = 2;
    std::string key;
    bool written = false;
    for (int page = 1; page <= kKeyedPages; ++page) {
        const std::size_t end = std::min(pagesHex.find(','), pagesHex.size());
        const std::string_view field = pagesHex.substr(0, end);
        pagesHex.remove_prefix(std::min(end + 1, pagesHex.size()));
        written = written || !field.empty();
        key += field.empty() ? kNotWritten : field;
    }
    if (!written)
        return std::nullopt;
    std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::toupper(c); });
    return key;
}

std::string JournalEntry::shownCarrierId() const
{
    const bool printable =
        std::all_of(carrierId.begin(), carrierId.end(), [](unsigned char c) { return c >= 0x20 && c < 0x7F; });
    return printable ? carrierId : carrierKey(carrierId);
}

} // namespace teb
