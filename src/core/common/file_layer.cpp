#include "common/file_layer.h"

#include "common/file_descriptor.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>
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

// "<what>: <reason>" or "<what> <file>: <reason>", with errno read before
// anything could change it.
Failure systemFailure(std::string_view what, const std::filesystem::path &file = {})
{
    const int error = errno;
    std::string message(what);
    if (!file.empty())
        message += " " + file.string();
    return Failure{message + ": " + std::strerror(error), error};
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

Result<void> writeTemporary(int fd, std::string_view content, const struct stat *original)
{
    if (original) {
        // Best effort: only root may give the file to another owner. The mode
        // follows, since a change of owner can clear set-ID bits.
        [[maybe_unused]] const int owned = ::fchown(fd, original->st_uid, original->st_gid);
        if (::fchmod(fd, original->st_mode & 07777) != 0)
            return systemFailure("could not set the mode of a temporary file");
    }
    if (auto written = writeAll(fd, content); !written)
        return written;
    if (::fsync(fd) != 0)
        return systemFailure("sync failed");
    return {};
}

// The temporary file written, closed and renamed over the target; removed
// again when any step failed.
Result<void> putInPlace(TemporaryFile &temporary, const std::filesystem::path &target, std::string_view content,
                        const struct stat *original)
{
    Result<void> placed = writeTemporary(temporary.fd.get(), content, original);
    const bool closed = temporary.fd.close();
    if (placed && !closed)
        placed = systemFailure("close failed");
    if (placed && ::rename(temporary.path.c_str(), target.c_str()) != 0)
        placed = systemFailure("could not rename a temporary file over", target);
    if (!placed)
        ::unlink(temporary.path.c_str());
    return placed;
}

// A read-only file stays read-only, also for root, whom a rename would let
// replace it anyway. Opened without waiting, so a pipe cannot hold it up.
bool mayWrite(const std::filesystem::path &target, const struct stat &status)
{
    const FileDescriptor probe(openRetrying(target.c_str(), O_WRONLY | O_NONBLOCK));
    return probe.valid() && (status.st_mode & 0222) != 0;
}

} // namespace

Result<TemporaryFile> createTemporaryBeside(const std::filesystem::path &target)
{
    constexpr int kAttempts = 100;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::filesystem::path temporary = temporaryName(target);
        FileDescriptor fd(openRetrying(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, kNewFileMode));
        if (fd.valid())
            return TemporaryFile{std::move(fd), std::move(temporary)};
        if (errno != EEXIST)
            break;
    }
    return systemFailure("could not create a temporary file beside", target);
}

namespace {

// Hands the bytes left to `writeSome` until every one went out; an
// interrupted call is repeated, a call that takes nothing counts as EIO.
template <typename WriteSome>
Result<void> writeEvery(std::string_view bytes, WriteSome writeSome)
{
    while (!bytes.empty()) {
        const ssize_t written = writeSome(bytes);
        if (written < 0 && errno == EINTR)
            continue;
        if (written == 0)
            errno = EIO;
        if (written <= 0)
            return systemFailure("write failed");
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
}

Failure tooLarge(const std::filesystem::path &file, std::size_t limit)
{
    return Failure{file.string() + " holds more than " + std::to_string(limit) + " bytes"};
}

// What is left of a whole-file read: every byte up to the end of the file.
Result<std::string> readToEnd(int fd, const std::filesystem::path &file, std::size_t limit)
{
    std::string content;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return systemFailure("could not read", file);
        if (got == 0)
            return content;
        if (content.size() + static_cast<std::size_t>(got) > limit) // grown since it was looked at
            return tooLarge(file, limit);
        content.append(buffer, static_cast<std::size_t>(got));
    }
}

} // namespace

Result<void> writeAll(int fd, std::string_view bytes)
{
    return writeEvery(bytes, [fd](std::string_view rest) { return ::write(fd, rest.data(), rest.size()); });
}

Result<void> writeAllAt(int fd, std::string_view bytes, off_t offset)
{
    return writeEvery(bytes, [fd, &offset](std::string_view rest) {
        const ssize_t written = ::pwrite(fd, rest.data(), rest.size(), offset);
        if (written > 0)
            offset += written;
        return written;
    });
}

Result<void> readAllAt(int fd, std::string &bytes, off_t offset)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::pread(fd, bytes.data() + done, bytes.size() - done, offset + static_cast<off_t>(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return systemFailure("read failed");
        if (got == 0)
            return Failure{"read failed: the file ends before the bytes looked for"};
        done += static_cast<std::size_t>(got);
    }
    return {};
}

Result<FileDescriptor> openForAppend(const std::filesystem::path &file)
{
    FileDescriptor fd(openRetrying(file.c_str(), O_WRONLY | O_CREAT | O_APPEND, kNewFileMode));
    if (!fd.valid())
        return systemFailure("could not open", file);
    return fd;
}

Result<void> appendWhole(int fd, std::string_view bytes, off_t sizeBefore, Durability durability)
{
    if (auto written = writeAll(fd, bytes); !written) {
        [[maybe_unused]] const int cut = ::ftruncate(fd, sizeBefore);
        return written;
    }
    if (durability == Durability::Synced && ::fdatasync(fd) != 0)
        return systemFailure("sync failed");
    return {};
}

Result<void> syncDirectory(const std::filesystem::path &directory)
{
    const std::filesystem::path folder = directory.empty() ? "." : directory;
    const FileDescriptor fd(openRetrying(folder.c_str(), O_RDONLY | O_DIRECTORY));
    const bool synced = fd.valid() ? ::fsync(fd.get()) == 0 || errno == EINVAL || errno == EBADF : errno == EACCES;
    if (!synced)
        return systemFailure("could not sync the folder", folder);
    return {};
}

Result<std::string> readWholeFile(const std::filesystem::path &file, std::size_t limit)
{
    const FileDescriptor fd(openRetrying(file.c_str(), O_RDONLY | O_NONBLOCK));
    if (!fd.valid())
        return systemFailure("could not open", file);
    struct stat status {};
    if (::fstat(fd.get(), &status) != 0)
        return systemFailure("could not read", file);
    if (!S_ISREG(status.st_mode))
        return Failure{file.string() + " is no regular file"};
    if (static_cast<std::uintmax_t>(status.st_size) > limit)
        return tooLarge(file, limit);
    return readToEnd(fd.get(), file, limit);
}

Result<ReplaceResult> replaceFileAtomically(const std::filesystem::path &file, std::string_view content)
{
    const std::filesystem::path target = replacedTarget(file);
    struct stat original {};
    const bool exists = ::stat(target.c_str(), &original) == 0;
    if (exists && !mayWrite(target, original))
        return ReplaceResult::NotWritable;

    auto temporary = createTemporaryBeside(target);
    if (!temporary)
        return temporary.failure();
    if (auto placed = putInPlace(*temporary, target, content, exists ? &original : nullptr); !placed)
        return placed.failure();
    // Only a synced folder holds the rename over a power loss.
    const Result<void> synced = syncDirectory(target.parent_path());
    if (!synced)
        return synced.failure();
    return ReplaceResult::Replaced;
}

} // namespace teb
