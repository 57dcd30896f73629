#include "common/file_layer.h"

#include "common/file_descriptor.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace teb {
namespace {

int openRetrying(const char *path, int flags, mode_t mode = 0)
{
    int fd = -1;
    do {
        fd = ::open(path, flags | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// The file a replacement writes: a link is followed, so that it stays a link.
std::filesystem::path replacedTarget(const std::filesystem::path &file)
{
    std::error_code error;
    const auto target = std::filesystem::canonical(file, error);
    return error ? file : target;
}

// "." + the file's name + "." + six random characters, the name cut so that the
// whole stays a valid file name however long the file's own name is.
std::filesystem::path temporaryName(const std::filesystem::path &target)
{
    static constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    constexpr std::size_t kSuffix = 6;
    thread_local std::mt19937_64 random{std::random_device{}()};
    std::string name = "." + target.filename().string().substr(0, NAME_MAX - kSuffix - 2) + ".";
    std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
    for (std::size_t i = 0; i < kSuffix; ++i)
        name += kLetters[pick(random)];
    return target.parent_path() / name;
}


bool writeTemporary(int fd, std::string_view content, const struct stat *original)
{
    if (original) {
        // Best effort: only root may give the file to another owner. The mode
        // follows, since a change of owner can clear set-ID bits.
        [[maybe_unused]] const int owned = ::fchown(fd, original->st_uid, original->st_gid);
        if (::fchmod(fd, original->st_mode & 07777) != 0)
            return false;
    }
    return writeAll(fd, content) && ::fsync(fd) == 0;
}

// A read-only file stays read-only, also for root, whom a rename would let
// replace it anyway. Opened without waiting, so a pipe cannot hold it up.
bool mayWrite(const std::filesystem::path &target, const struct stat &status)
{
    const FileDescriptor probe(openRetrying(target.c_str(), O_WRONLY | O_NONBLOCK));
    return probe.valid() && (status.st_mode & 0222) != 0;
}

} // namespace

int createTemporaryBeside(const std::filesystem::path &target, std::filesystem::path &temporary)
{
    constexpr int kAttempts = 100;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        temporary = temporaryName(target);
        const int fd = openRetrying(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, kNewFileMode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

namespace {

// Hands the bytes left to `writeSome` until every one went out; an
// interrupted call is repeated, a call that takes nothing counts as EIO.
template <typename WriteSome>
bool writeEvery(std::string_view bytes, WriteSome writeSome)
{
    while (!bytes.empty()) {
        const ssize_t written = writeSome(bytes);
        if (written < 0 && errno == EINTR)
            continue;
        if (written == 0)
            errno = EIO;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace

bool writeAll(int fd, std::string_view bytes)
{
    return writeEvery(bytes, [fd](std::string_view rest) { return ::write(fd, rest.data(), rest.size()); });
}

bool writeAllAt(int fd, std::string_view bytes, off_t offset)
{
    return writeEvery(bytes, [fd, &offset](std::string_view rest) {
        const ssize_t written = ::pwrite(fd, rest.data(), rest.size(), offset);
        if (written > 0)
            offset += written;
        return written;
    });
}

bool readAllAt(int fd, std::string &bytes, off_t offset)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::pread(fd, bytes.data() + done, bytes.size() - done, offset + static_cast<off_t>(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        done += static_cast<std::size_t>(got);
    }
    return true;
}

int openForAppend(const std::filesystem::path &file)
{
    return openRetrying(file.c_str(), O_WRONLY | O_CREAT | O_APPEND, kNewFileMode);
}

bool appendWhole(int fd, std::string_view bytes, off_t sizeBefore, Durability durability)
{
    if (!writeAll(fd, bytes)) {
        const int error = errno;
        [[maybe_unused]] const int cut = ::ftruncate(fd, sizeBefore);
        errno = error;
        return false;
    }
    return durability == Durability::Unsynced || ::fdatasync(fd) == 0;
}

bool syncDirectory(const std::filesystem::path &directory)
{
    const FileDescriptor fd(openRetrying(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY));
    if (!fd.valid())
        return errno == EACCES;
    return ::fsync(fd.get()) == 0 || errno == EINVAL || errno == EBADF;
}

std::optional<std::string> readWholeFile(const std::filesystem::path &file, std::size_t limit)
{
    const FileDescriptor fd(openRetrying(file.c_str(), O_RDONLY | O_NONBLOCK));
    struct stat status {};
    if (!fd.valid() || ::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode) ||
        static_cast<std::uintmax_t>(status.st_size) > limit)
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
        if (content.size() + static_cast<std::size_t>(got) > limit) // grown since it was looked at
            return std::nullopt;
        content.append(buffer, static_cast<std::size_t>(got));
    }
}

ReplaceResult replaceFileAtomically(const std::filesystem::path &file, std::string_view content)
{
    const std::filesystem::path target = replacedTarget(file);
    struct stat original {};
    const bool exists = ::stat(target.c_str(), &original) == 0;
    if (exists && !mayWrite(target, original))
        return ReplaceResult::NotWritable;

    std::filesystem::path temporary;
    FileDescriptor fd(createTemporaryBeside(target, temporary));
    if (!fd.valid())
        return ReplaceResult::Failed;
    const bool written = writeTemporary(fd.get(), content, exists ? &original : nullptr);
    if (!fd.close() || !written || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return ReplaceResult::Failed;
    }
    // Only a synced folder holds the rename over a power loss.
    return syncDirectory(target.parent_path()) ? ReplaceResult::Replaced : ReplaceResult::Failed;
}

} // namespace teb
