// A parameter set file: any bytes give a set, the editor's rules judge it
// without fault, and a set written and read again stays as it was.
#include "fuzz_check.h"
#include "params/carrier_id_window.h"
#include "params/counter_page.h"
#include "params/parameter_set_file.h"
#include "params/profile_file.h"
#include "params/set_refusal.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

teb::ParameterSet writtenAndRead(const teb::ParameterSet &set)
{
    teb::ProfileDocument file;
    teb::writeParameterSet(file, set);
    return teb::readParameterSet(teb::ProfileDocument::parse(file.serialise()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    teb::ParameterSet set = teb::readParameterSet(teb::ProfileDocument::parse(bytes));
    teb::deriveDisplayTexts(set);
    (void)teb::setRefusal(set);
    (void)teb::counterPageNumber(set.counterPage);
    (void)teb::counterValueOnPage(set.counterValue);
    if (const auto window = teb::carrierIdWindow(set)) {
        FUZZ_CHECK(window->start >= 0 && window->length >= 0);
        FUZZ_CHECK(window->end() <= teb::kPageCount * teb::kBytesPerPage);
    }
    const teb::ParameterSet once = writtenAndRead(set);
    FUZZ_CHECK(writtenAndRead(once) == once);
    return 0;
}
