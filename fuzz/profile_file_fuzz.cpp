// The INI reader: any bytes parse, and what it writes back reads back the same.
#include "fuzz_check.h"
#include "params/profile_file.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const teb::ProfileDocument document = teb::ProfileDocument::parse(bytes);
    const std::string written = document.serialise();
    FUZZ_CHECK(teb::ProfileDocument::parse(written).serialise() == written);

    // A value set from the input's first line reads back cut at CR, LF or NUL.
    teb::ProfileDocument changed = document;
    const std::string_view value = bytes.substr(0, bytes.find('\n'));
    changed.setValue("Fuzz", "Key", value);
    const std::string back = teb::ProfileDocument::parse(changed.serialise()).value("Fuzz", "Key");
    FUZZ_CHECK(back.size() <= teb::ProfileDocument::kMaxValueLength);
    FUZZ_CHECK(back.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);
    return 0;
}
