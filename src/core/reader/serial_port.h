#pragma once

#include "reader/serial_line_settings.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

// A serial device on a non-blocking file descriptor.
namespace teb::serial {

inline constexpr int kNoDevice = -1;

// Status bit of a write the device did not take (a vanished adapter, a hung-up line).
inline constexpr std::uint32_t kWriteFailedMask = 0x8000u;
// Status bit of a write the line did not take in time (held by XOFF or a low CTS).
inline constexpr std::uint32_t kWriteTimedOutMask = 0x4000u;

// Opens a character device for exclusive use, with reads and writes that never
// block; kNoDevice when it cannot be opened, is no character device or is in
// use, with errno telling which (ENOTTY: no character device).
int openExclusive(const std::filesystem::path &device);

// Drops everything queued in both directions.
bool purge(int fd);

// Raw mode with the given settings. False when they cannot be represented or
// the driver does not take them; the device stays open either way.
bool applyLineSettings(int fd, const LineSettings &settings);

// Asks the driver to hand received bytes on at once (USB adapters otherwise
// hold them for up to 16 ms). Devices that know no such setting are left as they are.
void requestLowLatency(int fd);

enum class InputWait { Ready, Quiet, LineLost };
// Waits at most `timeout` for input. A device that has hung up or failed (an
// adapter pulled, the far side of a pseudo-terminal gone) is LineLost, and
// then the whole time-out is slept, so a caller's loop cannot spin.
InputWait waitForInput(int fd, std::chrono::milliseconds timeout);

// Reads what is waiting, at most the buffer's size: the count read, 0 when
// nothing was waiting or the read failed.
std::size_t readWaiting(int fd, std::span<char> buffer);

enum class WriteResult { Written, TimedOut, Failed };
// Writes the bytes as the line takes them, as many per call as it has room
// for (a command normally in one), but never past `limit` from the call: a
// line held by XOFF or a low CTS cannot block the caller. What the line did
// not take by then is dropped, so that a stalled command cannot go out later
// behind the next one. A write the device refuses ends the command the same
// way: nothing after it goes out.
WriteResult writeWithin(int fd, std::string_view bytes, std::chrono::milliseconds limit);

// Releases the exclusive use and closes; false when close fails.
bool closeDevice(int fd);

} // namespace teb::serial
