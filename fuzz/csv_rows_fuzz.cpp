// CSV files of both formats as they come: the row offered is a row of the
// file, never a processed one, and the "X" of a row goes inside it.
#include "automatic/csv_rows.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 2)
        return 0;
    const std::string_view delimiter(reinterpret_cast<const char *>(data) + 1, (data[0] & 3) == 0 ? 2 : 1);
    if (delimiter.size() + 1 > size)
        return 0;
    const std::string_view content(reinterpret_cast<const char *>(data) + 1 + delimiter.size(),
                                   size - 1 - delimiter.size());
    for (const auto format : {teb::CsvFormat::Simple, teb::CsvFormat::Complete}) {
        if (const auto row = teb::firstUnprocessedRow(format, content, delimiter)) {
            FUZZ_CHECK(row->lineIndex > 0);
            FUZZ_CHECK(content.find(row->text) != std::string_view::npos);
            FUZZ_CHECK(!teb::isProcessedRow(format, row->text, delimiter));
        }
        const std::string_view line = content.substr(0, content.find('\n'));
        if (const auto mark = teb::markPosition(format, line, delimiter))
            FUZZ_CHECK(*mark <= line.size());
        (void)teb::headerFits(format, line, delimiter);
    }
    (void)teb::simpleRowCarrierId(content, delimiter);
    return 0;
}
