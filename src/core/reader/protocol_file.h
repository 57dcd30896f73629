#pragma once

#include "reader/date_time_stamp.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace teb {

// A file beyond this size is left alone and the next number is used.
inline constexpr std::uintmax_t kProtocolFileLimit = 10'000'000;

// Why a protocol line could not be written; the caller shows it.
struct ProtocolFileError {
    std::filesystem::path file;
    std::error_code error;

    std::string message() const; // for the operator
};

// The interface protocol: lines "stamp;text" CR LF appended to
// "IntProt_<n>.txt" in a directory, n counting from 0 in each run. The file
// is opened and closed for every line.
class ProtocolFile {
public:
    explicit ProtocolFile(WallClock clock = systemWallClock(), std::uintmax_t sizeLimit = kProtocolFileLimit);

    // Appends one line to the first file, from the current number on, that is
    // not above the size limit. Returns false and fills `error` when a file
    // cannot be opened or written; nothing is written then. A synced line
    // survives a power loss; an unsynced one is for what another record (the
    // carrier-ID journal) tells again.
    enum class Sync { Synced, Unsynced };
    bool append(const std::filesystem::path &directory, std::string_view text, ProtocolFileError &error,
                Sync sync = Sync::Synced);

    static std::string fileName(std::int32_t counter);

    std::int32_t protocolFileCounter = 0;

private:
    WallClock m_clock;
    std::uintmax_t m_sizeLimit;
};

} // namespace teb
