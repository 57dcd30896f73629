#include "automatic/atomic_file.h"

#include "common/file_descriptor.h"
#include "common/sync_directory.h"
#include "common/write_all.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace teb {
namespace {

constexpr mode_t kNewFileMode = 0644;

int openRetrying(const char *path, int flags)
{
    int fd = -1;
    do {
        fd = ::open(path, flags | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// The file the path finally names, so that a link stays a link.
std::filesystem::path resolvedTarget(const std::filesystem::path &file)
{
    std::error_code error;
    const auto target = std::filesystem::canonical(file, error);
    return error ? std::filesystem::absolute(file) : target;
}

bool writeTemporary(int fd, std::string_view content, const struct stat *original)
{
    if (original) {
        // Best effort: only root may give the file to another owner.
        [[maybe_unused]] const int owned = ::fchown(fd, original->st_uid, original->st_gid);
    }
    const mode_t mode = original ? (original->st_mode & 07777) : kNewFileMode;
    return ::fchmod(fd, mode) == 0 && writeAll(fd, content) && ::fsync(fd) == 0;
}

} // namespace

std::optional<std::string> readWholeFile(const std::filesystem::path &file)
{
    FileDescriptor fd(openRetrying(file.c_str(), O_RDONLY));
    if (!fd.valid())
        return std::nullopt;
    std::string content;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            return content;
        content.append(buffer, static_cast<std::size_t>(got));
    }
}

ReplaceResult replaceFileAtomically(const std::filesystem::path &file, std::string_view content)
{
    const std::filesystem::path target = resolvedTarget(file);
    struct stat original {};
    const bool exists = ::stat(target.c_str(), &original) == 0;
    if (exists) {
        // A read-only file stays read-only, also for root: a rename would
        // replace it anyway.
        FileDescriptor probe(openRetrying(target.c_str(), O_WRONLY));
        if (!probe.valid() || (original.st_mode & 0222) == 0)
            return ReplaceResult::NotWritable;
    }

    std::string temporary = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    FileDescriptor fd(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!fd.valid())
        return ReplaceResult::Failed;
    const bool written = writeTemporary(fd.get(), content, exists ? &original : nullptr);
    if (!fd.close() || !written || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return ReplaceResult::Failed;
    }
    // The rename is durable once the folder is synced. The new content is in
    // place either way, so a failed folder sync does not count as a failure.
    syncDirectory(target.parent_path());
    return ReplaceResult::Replaced;
}

} // namespace teb
