#include "reader/protocol_file.h"

#include "common/decimal_text.h"
#include "common/file_descriptor.h"
#include "common/sync_directory.h"
#include "common/write_all.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace teb {
namespace {

constexpr mode_t kNewFileMode = 0666; // narrowed by the umask

std::error_code lastError() { return {errno, std::generic_category()}; }

} // namespace

std::string ProtocolFileError::message() const
{
    return "The protocol file " + file.string() + " could not be written: " + error.message();
}

ProtocolFile::ProtocolFile(WallClock clock, std::uintmax_t sizeLimit)
    : m_clock(std::move(clock)), m_sizeLimit(sizeLimit)
{
}

std::string ProtocolFile::fileName(std::int32_t counter) { return "IntProt_" + formatDecimal(counter) + ".txt"; }

bool ProtocolFile::append(const std::filesystem::path &directory, std::string_view text, ProtocolFileError &error,
                          Sync sync)
{
    for (;;) {
        const std::filesystem::path file = directory / fileName(protocolFileCounter);
        // Created when missing, never truncated; every write lands at the end.
        FileDescriptor fd(::open(file.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, kNewFileMode));
        struct stat status {};
        if (!fd.valid() || ::fstat(fd.get(), &status) != 0) {
            error = {file, lastError()};
            return false;
        }
        if (static_cast<std::uintmax_t>(status.st_size) > m_sizeLimit) {
            ++protocolFileCounter;
            continue;
        }
        const std::string line = dateTimeStamp(m_clock) + ";" + std::string(text) + "\r\n";
        if (!writeAll(fd.get(), line)) {
            error = {file, lastError()};
            // Take back a partly written line so the file keeps whole lines only.
            [[maybe_unused]] const int ignored = ::ftruncate(fd.get(), status.st_size);
            return false;
        }
        if (sync == Sync::Synced && ::fdatasync(fd.get()) != 0) {
            error = {file, lastError()};
            return false;
        }
        if (status.st_size == 0)
            syncDirectory(directory); // and so must a new file's entry
        return true;
    }
}

} // namespace teb
