#include "reader/protocol_file.h"

#include "common/decimal_text.h"
#include "common/file_descriptor.h"
#include "common/file_layer.h"

#include <cerrno>
#include <sys/stat.h>

#include <utility>

namespace teb {
namespace {

std::error_code codeOf(int error) { return {error, std::generic_category()}; }

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
        const auto fd = openForAppend(file);
        if (!fd) {
            error = {file, codeOf(fd.failure().systemError)};
            return false;
        }
        struct stat status {};
        if (::fstat(fd->get(), &status) != 0) {
            error = {file, codeOf(errno)};
            return false;
        }
        if (static_cast<std::uintmax_t>(status.st_size) > m_sizeLimit) {
            ++protocolFileCounter;
            continue;
        }
        const std::string line = dateTimeStamp(m_clock) + ";" + std::string(text) + "\r\n";
        const auto durability = sync == Sync::Synced ? Durability::Synced : Durability::Unsynced;
        if (const auto appended = appendWhole(fd->get(), line, status.st_size, durability); !appended) {
            error = {file, codeOf(appended.failure().systemError)};
            return false;
        }
        // A new file's entry must reach the disk too. The line is in the file
        // by now: a failed folder sync is not reported, or it would be written twice.
        if (status.st_size == 0)
            (void)syncDirectory(directory);
        return true;
    }
}

} // namespace teb
