#pragma once

#include "automatic/csv_rows.h"

#include <filesystem>
#include <optional>
#include <string>

// "TagEncoderBench.pending", which earlier versions kept in the working folder
// for a programmed row whose "X" could not be written: the CSV file, the
// row's line number and its exact bytes (each text stored with its length).
// Read once, when the journal takes it over.
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

} // namespace teb
