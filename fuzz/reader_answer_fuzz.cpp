// Whatever a reader answers: the kept part of it never outgrows the answer,
// and the "TOR" answer gives a time base only from 1..255.
#include "fuzz_check.h"
#include "reader/reader_command.h"
#include "reader/time_base.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view answer(reinterpret_cast<const char *>(data), size);
    const teb::ReaderCommand commands[] = {teb::torCommand(), teb::readUidCommand(), teb::readPageCommand(17),
                                           teb::writePageCommand(1, "0011223344556677"), teb::lockPageCommand(3)};
    for (const teb::ReaderCommand &command : commands) {
        const std::string kept = teb::keptAnswer(command, answer);
        FUZZ_CHECK(kept.size() <= answer.size());
        (void)teb::answerSucceeded(command, kept);
    }
    for (const auto factor : {teb::TimeBaseFactor::PageRead, teb::TimeBaseFactor::Other}) {
        if (const auto timeBase = teb::timeBaseFromAnswer(answer, factor)) {
            const auto n = *timeBase / static_cast<std::int32_t>(factor);
            FUZZ_CHECK(n >= 1 && n <= 255 && n * static_cast<std::int32_t>(factor) == *timeBase);
        }
    }
    return 0;
}
