#include "automatic/page_placement.h"

#include "automatic/counter_arithmetic.h"
#include "common/decimal_text.h"
#include "transponder/byte_text.h"

#include <algorithm>

namespace teb {
namespace {

PageBytes setPageBytes(const PageSetting &page)
{
    PageBytes bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = page.hex[i].empty() ? std::uint8_t{0} : hexToByte(page.hex[i]);
    return bytes;
}

} // namespace

int pageOfCell(long long cell) { return static_cast<int>(cell / kBytesPerPage) + 1; }

std::vector<std::uint8_t> bytesOf(std::string_view text)
{
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

std::optional<CellRun> carrierIdRun(const ParameterSet &set)
{
    const long long offset = readDecimal(set.carrierIdOffset);
    const long long length = readDecimal(set.carrierIdLength);
    const long long page = std::clamp<long long>(readDecimal(set.memoryPage), 1, kPageCount);
    const long long first = (page - 1) * kBytesPerPage + offset;
    if (offset < 0 || !runFitsCells(first, length))
        return std::nullopt;
    return CellRun{first, length};
}

PageCells setPageCells(const ParameterSet &set)
{
    PageCells cells;
    for (int page = 1; page <= kPageCount; ++page)
        cells.setPage(page, setPageBytes(set.pages[static_cast<std::size_t>(page - 1)]));
    return cells;
}

void storePlacedPages(ParameterSet &set, const PageImage &image)
{
    for (int page = 1; page <= kPageCount; ++page) {
        const auto index = static_cast<std::size_t>(page - 1);
        if (!image.placed[index])
            continue;
        const PageBytes bytes = image.cells.page(page);
        PageSetting &setting = set.pages[index];
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            setting.hex[i] = byteToHexDigits(bytes[i]);
            setting.ascii[i] = byteToDisplay(bytes[i]);
        }
    }
}

bool placeRun(PageImage &image, CellRun run, std::span<const std::uint8_t> bytes)
{
    return static_cast<long long>(bytes.size()) == run.length && image.place(run.offset, bytes);
}

bool placeCarrierId(PageImage &image, const ParameterSet &set, std::string_view carrierId)
{
    return placeCarrierId(image, carrierIdRun(set), carrierId);
}

bool placeCarrierId(PageImage &image, std::optional<CellRun> run, std::string_view carrierId)
{
    if (!run || static_cast<long long>(carrierId.size()) > run->length)
        return false;
    std::string padded(static_cast<std::size_t>(run->length) - carrierId.size(), '0');
    padded += carrierId;
    return placeRun(image, *run, bytesOf(padded));
}

CounterPlacement placeCounterValue(PageImage &image, std::optional<int> counterPage, std::string_view value)
{
    if (!counterPage)
        return CounterPlacement::NotEnabled;
    const auto number = countedNumber(value);
    if (!number || *number > kCounterPageLimit)
        return CounterPlacement::Refused;
    const CellRun run{static_cast<long long>(*counterPage - 1) * kBytesPerPage, kBytesPerPage};
    placeRun(image, run, bytesOf(zeroPadded(*number, kCounterPageDigits)));
    return CounterPlacement::Placed;
}

} // namespace teb
