#pragma once

#include "automatic/csv_rows.h"

#include <filesystem>
#include <optional>
#include <string>

// A programmed row whose "X" could not be written is kept in a file of its own,
// "TagEncoderBench.pending" in the working folder, until the mark is made: in
// memory only, a restart or a "Config" would offer the row again and its
// carrier ID would go onto a second transponder. One file for the folder, not
// one per set: another set may read the same CSV file. The file holds the CSV
// file, the row's line number and its exact bytes (rows may hold any byte but
// a line end and be of any length, so each text is stored with its length).
namespace teb {

// A programmed row whose "X" could not be written yet.
struct PendingMark {
    std::filesystem::path file;
    CsvFormat format = CsvFormat::Simple;
    CsvRow row;
    std::string delimiter; // as it was when the row was read

    bool operator==(const PendingMark &) const = default;
};

std::filesystem::path pendingMarkFilePath(const std::filesystem::path &directory);

struct StoredPendingMark {
    enum class State { None, Found, Damaged };
    State state = State::None;
    std::optional<PendingMark> mark; // when Found
};

StoredPendingMark readPendingMark(const std::filesystem::path &file);
// Replaces the file atomically and durably; false when it could not be written.
bool writePendingMark(const std::filesystem::path &file, const PendingMark &mark);
// False when the file is still there afterwards.
bool removePendingMark(const std::filesystem::path &file);

} // namespace teb
