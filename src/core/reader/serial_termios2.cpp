// The extended terminal settings (any baud rate) come from the kernel's own
// header, which cannot be combined with <termios.h> in one file.
#include "reader/serial_termios2.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace teb::serial {

namespace {

constexpr std::uint8_t kXonCharacter = 17;
constexpr std::uint8_t kXoffCharacter = 19;

void encodeSpeed(termios2 &settings, std::uint32_t baudRate)
{
    settings.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT)); // input speed follows the output speed
    const std::optional<std::uint32_t> code = standardSpeedCode(baudRate);
    settings.c_cflag |= code ? *code : BOTHER;
    settings.c_ispeed = baudRate;
    settings.c_ospeed = baudRate;
}

std::uint32_t decodeSpeed(const termios2 &settings)
{
    const std::uint32_t code = settings.c_cflag & CBAUD;
    if (code == BOTHER)
        return settings.c_ospeed;
    return baudRateOfSpeedCode(code).value_or(0);
}

} // namespace

std::optional<TerminalLineFlags> setRawLine(int fd, const TerminalLineFlags &flags)
{
    termios2 settings{};
    if (ioctl(fd, TCGETS2, &settings) != 0)
        return std::nullopt;
    settings.c_iflag = flags.inputFlags & kLineInputMask;
    settings.c_oflag = 0;
    settings.c_lflag = 0;
    settings.c_cflag &= ~(kLineControlMask | HUPCL);
    settings.c_cflag |= (flags.controlFlags & kLineControlMask) | CREAD | CLOCAL;
    encodeSpeed(settings, flags.baudRate);
    settings.c_cc[VMIN] = 1;
    settings.c_cc[VTIME] = 0;
    // XON/XOFF handshake with the usual characters, not whatever the driver held.
    settings.c_cc[VSTART] = kXonCharacter;
    settings.c_cc[VSTOP] = kXoffCharacter;
    if (ioctl(fd, TCSETS2, &settings) != 0)
        return std::nullopt;

    termios2 reported{};
    if (ioctl(fd, TCGETS2, &reported) != 0)
        return std::nullopt;
    return TerminalLineFlags{reported.c_cflag & kLineControlMask, reported.c_iflag & kLineInputMask,
                             decodeSpeed(reported)};
}

} // namespace teb::serial
