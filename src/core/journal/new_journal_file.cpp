#include "journal/new_journal_file.h"

#include "common/file_layer.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>
#include <system_error>

namespace teb {
namespace {

[[noreturn]] void fail(const std::string &step, int error)
{
    throw std::runtime_error(step + ": " + std::strerror(error));
}

std::filesystem::path createTemporaryJournal(const std::filesystem::path &file)
{
    std::string name = file.string() + ".new-XXXXXX";
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        fail("a new journal could not be created beside it", errno);
    ::close(fd);
    return name;
}

// The temporary file and whatever SQLite left beside it.
void removeTemporary(const std::filesystem::path &temporary)
{
    std::error_code ignored;
    for (const char *suffix : {"", "-wal", "-shm", "-journal"})
        std::filesystem::remove(temporary.string() + suffix, ignored);
}

void syncFile(const std::filesystem::path &file)
{
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        fail("the new journal could not be synced", errno);
    const bool synced = ::fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    if (!synced)
        fail("the new journal could not be synced", error);
}

} // namespace

bool journalFileMissing(const std::filesystem::path &file)
{
    std::error_code error;
    const auto status = std::filesystem::symlink_status(file, error);
    return status.type() == std::filesystem::file_type::not_found;
}

void placeNewJournalFile(const std::filesystem::path &file,
                         const std::function<void(const std::filesystem::path &temporary)> &make)
{
    const std::filesystem::path temporary = createTemporaryJournal(file);
    try {
        make(temporary);
        syncFile(temporary);
        // Never over a journal that another station of this folder made meanwhile.
        if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, file.c_str(), RENAME_NOREPLACE) != 0) {
            if (errno != EEXIST)
                fail("the new journal could not be put in place", errno);
            removeTemporary(temporary);
        }
        if (const auto synced = syncDirectory(file.parent_path()); !synced)
            fail("the folder of the new journal could not be synced", synced.failure().systemError);
    } catch (...) {
        removeTemporary(temporary);
        throw;
    }
}

} // namespace teb
