// The files the journal takes over from earlier versions (a set's progress
// file, the pending CSV mark): any content is read or refused, never
// misread into a mark outside the file it names.
#include "automatic/pending_mark_file.h"
#include "automatic/progress_file.h"
#include "fuzz_check.h"
#include "scratch_file.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto progress = scratchFile("set.progress");
    writeScratch(progress, data, size);
    const teb::StoredProgress read = teb::readProgress(progress);
    FUZZ_CHECK((read.state == teb::StoredProgress::State::Found) == read.progress.has_value());

    const auto pending = scratchFile("TagEncoderBench.pending");
    writeScratch(pending, data, size);
    const teb::StoredPendingMark stored = teb::readPendingMark(pending);
    FUZZ_CHECK((stored.state == teb::StoredPendingMark::State::Found) == stored.mark.has_value());
    if (stored.mark)
        FUZZ_CHECK(stored.mark->row.text.size() <= size);
    return 0;
}
