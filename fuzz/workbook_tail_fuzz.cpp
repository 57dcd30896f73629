// The tail search of a workbook append: it finds the closing tail only where
// the file ends with exactly that tail, and never points outside the file.
#include "fuzz_check.h"
#include "records/workbook_append.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    // The last bytes of a file that may be longer than what was read.
    for (const off_t extra : {off_t{0}, off_t{5000}}) {
        const off_t fileSize = static_cast<off_t>(size) + extra;
        const off_t position = teb::records::tailPosition(bytes, fileSize);
        FUZZ_CHECK(position == -1 || (position >= extra && position <= fileSize));
        if (position >= 0)
            FUZZ_CHECK(bytes.substr(static_cast<std::size_t>(position - extra)).ends_with("</Workbook>\r\n"));
    }
    return 0;
}
