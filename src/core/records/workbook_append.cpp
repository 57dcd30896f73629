#include "records/workbook_append.h"

#include "common/exclusive_lock.h"
#include "common/file_descriptor.h"
#include "common/file_layer.h"

#include <chrono>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <optional>
#include <string>

namespace teb::records {
namespace {

// A new file receives the empty workbook; if that fails it is cut back to
// nothing, so the next append starts it afresh.
bool writeSkeleton(int fd, const std::string &skeleton, WorkbookFileOps &ops)
{
    if (ops.writeAt(fd, skeleton, 0) && ops.sync(fd))
        return true;
    ops.truncate(fd, 0);
    return false;
}

// A file cut short while its skeleton was written (the process killed) holds
// nothing but the start of the skeleton: it is started afresh.
bool isUnfinishedSkeleton(int fd, off_t fileSize, const std::string &skeleton)
{
    if (fileSize <= 0 || fileSize >= static_cast<off_t>(skeleton.size()))
        return false;
    std::string bytes(static_cast<std::size_t>(fileSize), '\0');
    return readAllAt(fd, bytes, 0) && skeleton.starts_with(bytes);
}

// The file's last bytes as far as the tail search looks.
bool readEnd(int fd, off_t fileSize, std::string &lastBytes)
{
    const auto length = std::min<off_t>(fileSize, static_cast<off_t>(kTailSearchBytes));
    lastBytes.assign(static_cast<std::size_t>(length), '\0');
    return readAllAt(fd, lastBytes, fileSize - length).ok();
}

// An append under way is noted beside the workbook: where the old tail
// began. A kill can cut the one write that puts rows and tail over the old
// tail, which would leave a file that no append may touch again; the next
// append rolls such a cut-off entry back to the old tail. Only a file with
// this station's note is mended: any other file without its tail stays as
// it is.
std::filesystem::path appendNotePath(const std::filesystem::path &file) { return file.string() + ".appending"; }

bool writeAppendNote(const std::filesystem::path &file, off_t tailAt)
{
    const FileDescriptor note(::open(appendNotePath(file).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, kNewFileMode));
    return note.get() >= 0 && writeAllAt(note.get(), std::to_string(tailAt) + "\n", 0);
}

std::optional<off_t> appendNoteOf(const std::filesystem::path &file)
{
    const FileDescriptor note(::open(appendNotePath(file).c_str(), O_RDONLY | O_CLOEXEC));
    struct stat status {};
    if (note.get() < 0 || ::fstat(note.get(), &status) != 0 || status.st_size <= 0 || status.st_size > 24)
        return std::nullopt;
    std::string text(static_cast<std::size_t>(status.st_size), '\0');
    if (!readAllAt(note.get(), text, 0) || !text.ends_with('\n'))
        return std::nullopt;
    off_t offset = 0;
    for (const char c : std::string_view(text).substr(0, text.size() - 1)) {
        if (c < '0' || c > '9')
            return std::nullopt;
        offset = offset * 10 + (c - '0');
    }
    return offset;
}

// The entry cut off behind the noted tail is dropped and the old tail put
// back; a file that ends with a tail (the append got through) is left alone.
void rollBackCutOffAppend(int fd, const std::filesystem::path &file, off_t &fileSize, WorkbookFileOps &ops)
{
    const auto tailAt = appendNoteOf(file);
    std::string lastBytes;
    const std::string_view tail = closingTail();
    if (tailAt && *tailAt < fileSize && readEnd(fd, fileSize, lastBytes) && tailPosition(lastBytes, fileSize) < 0 &&
        ops.writeAt(fd, tail, *tailAt) && ops.truncate(fd, *tailAt + static_cast<off_t>(tail.size())) && ops.sync(fd))
        fileSize = *tailAt + static_cast<off_t>(tail.size());
    std::error_code ignored;
    std::filesystem::remove(appendNotePath(file), ignored);
}

AppendStatus writeEntry(int fd, off_t tailAt, const std::string &rows, WorkbookFileOps &ops)
{
    const std::string_view tail = closingTail();
    const std::string content = rows + std::string(tail);
    const off_t end = tailAt + static_cast<off_t>(content.size());
    if (ops.writeAt(fd, content, tailAt) && ops.truncate(fd, end) && ops.sync(fd))
        return AppendStatus::Appended;
    // Put the old end back: the tail where it was and nothing behind it.
    if (ops.writeAt(fd, tail, tailAt) && ops.truncate(fd, tailAt + static_cast<off_t>(tail.size())))
        ops.sync(fd);
    return AppendStatus::WriteFailed;
}

} // namespace

bool WorkbookFileOps::writeAt(int fd, std::string_view bytes, off_t offset)
{
    return writeAllAt(fd, bytes, offset).ok();
}

bool WorkbookFileOps::truncate(int fd, off_t length) { return ::ftruncate(fd, length) == 0; }

bool WorkbookFileOps::sync(int fd) { return ::fsync(fd) == 0; }

WorkbookFileOps &WorkbookFileOps::system()
{
    static WorkbookFileOps ops;
    return ops;
}

WorkbookFileOps &WorkbookFileOps::unsynced()
{
    class Unsynced final : public WorkbookFileOps {
        bool sync(int) override { return true; }
    };
    static Unsynced ops;
    return ops;
}

off_t tailPosition(std::string_view lastBytes, off_t fileSize)
{
    const std::string_view tail = closingTail();
    const std::string_view lineEnd = kLineEnd;
    if (!lastBytes.ends_with(tail) || lastBytes.size() < tail.size() + lineEnd.size())
        return -1;
    const std::string_view beforeTail = lastBytes.substr(0, lastBytes.size() - tail.size());
    if (!beforeTail.ends_with(lineEnd))
        return -1;
    return fileSize - static_cast<off_t>(tail.size());
}

// Another station process (a second bench on the same folder or share) may
// append at the same moment: the read-check-write of one append holds the
// file alone. A lock not had within the wait counts as a file that cannot be
// opened, so nothing is reported written that is not in the file.
bool lockForAppend(int fd)
{
    constexpr auto kWait = std::chrono::seconds(3);
    return lockExclusively(fd, std::chrono::steady_clock::now() + kWait);
}

AppendStatus appendToWorkbook(const std::filesystem::path &file, WorkbookKind kind, const EntryRowsBuilder &rows,
                              WorkbookFileOps &ops)
{
    const FileDescriptor fd(::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, kNewFileMode));
    struct stat status {};
    if (fd.get() < 0 || !lockForAppend(fd.get()) || ::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode))
        return AppendStatus::CannotOpen;

    off_t fileSize = status.st_size;
    const std::string skeleton = emptyWorkbook(kind);
    const bool fileIsNew = fileSize == 0 || isUnfinishedSkeleton(fd.get(), fileSize, skeleton);
    if (fileIsNew) {
        if (!writeSkeleton(fd.get(), skeleton, ops))
            return AppendStatus::WriteFailed;
        fileSize = static_cast<off_t>(skeleton.size());
    }

    rollBackCutOffAppend(fd.get(), file, fileSize, ops);
    std::string lastBytes;
    if (!readEnd(fd.get(), fileSize, lastBytes))
        return AppendStatus::CannotOpen;
    const off_t tailAt = tailPosition(lastBytes, fileSize);
    if (tailAt < 0)
        return AppendStatus::TailNotFound;
    if (!writeAppendNote(file, tailAt))
        return AppendStatus::WriteFailed;
    const AppendStatus result = writeEntry(fd.get(), tailAt, rows(fileIsNew), ops);
    std::error_code ignored;
    std::filesystem::remove(appendNotePath(file), ignored);
    // A new file's entry must survive a power loss too. The rows are in the
    // file by now: a failed folder sync is not reported, or they would be written twice.
    if (fileIsNew && appended(result))
        (void)syncDirectory(file.parent_path());
    return result;
}

} // namespace teb::records
