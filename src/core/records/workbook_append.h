#pragma once

#include "records/workbook_skeleton.h"

#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace teb::records {

// How an append ended. Every outcome but Appended is reported to the operator
// like a file that cannot be opened.
enum class AppendStatus {
    Appended,
    CannotOpen,   // missing folder, no permission, a directory, ...
    TailNotFound, // the file does not end with the station's own closing tail: left untouched
    WriteFailed,  // a write, the cut or the sync failed: the old tail was put back where possible
};

inline bool appended(AppendStatus status) { return status == AppendStatus::Appended; }

// The file operations an append makes, so that tests can let any of them fail
// (a full disk half way through an entry). The default is the system's.
class WorkbookFileOps {
public:
    virtual ~WorkbookFileOps() = default;
    // Writes all bytes at the offset; false on any failure (some may be written).
    virtual bool writeAt(int fd, std::string_view bytes, off_t offset);
    virtual bool truncate(int fd, off_t length);
    virtual bool sync(int fd);

    static WorkbookFileOps &system();
    // The system's, without the sync: for a workbook that another record (the
    // carrier-ID journal) can write again.
    static WorkbookFileOps &unsynced();
};

// Builds the rows of one entry. `fileIsNew` tells that this append created
// the file (its skeleton was just written).
using EntryRowsBuilder = std::function<std::string(bool fileIsNew)>;

// Appends rows in place: opens the file (creating it, never truncating),
// gives a new file (or one holding only the start of a skeleton) its skeleton, checks that the file ends with exactly the
// closing tail (reading only its end), writes the rows and the tail over the
// old tail, cuts the file there and syncs it. On a failed write the old tail
// is written back, so the file stays a whole workbook.
AppendStatus appendToWorkbook(const std::filesystem::path &file, WorkbookKind kind, const EntryRowsBuilder &rows,
                              WorkbookFileOps &ops = WorkbookFileOps::system());

// Where the closing tail of a file of this size starts, given the file's last
// bytes (at most the whole file); -1 unless exactly the closing tail, after a
// line end, ends the file.
off_t tailPosition(std::string_view lastBytes, off_t fileSize);

// How many bytes from the end the tail search reads.
inline constexpr std::size_t kTailSearchBytes = 1000;

} // namespace teb::records
