#include "pseudo_terminal.h"

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace teb::sim {

namespace {

[[noreturn]] void fail(const std::string &what)
{
    throw std::runtime_error(what + ": " + std::strerror(errno));
}

} // namespace

PseudoTerminal::PseudoTerminal()
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_master < 0)
        fail("cannot open a pseudo-terminal");
    if (grantpt(m_master) != 0 || unlockpt(m_master) != 0)
        fail("cannot unlock the pseudo-terminal");
    const char *name = ptsname(m_master);
    if (!name)
        fail("pseudo-terminal without a name");
    m_slavePath = name;
    m_slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_slave < 0)
        fail("cannot open " + m_slavePath);
    termios settings{};
    if (tcgetattr(m_slave, &settings) != 0)
        fail("cannot read the line settings");
    cfmakeraw(&settings);
    if (tcsetattr(m_slave, TCSANOW, &settings) != 0)
        fail("cannot set raw mode");
}

PseudoTerminal::~PseudoTerminal()
{
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
}

DeviceLink::DeviceLink(std::filesystem::path link, std::filesystem::path target)
    : m_link(std::move(link)), m_target(std::move(target))
{
    std::error_code error;
    const auto status = std::filesystem::symlink_status(m_link, error);
    if (std::filesystem::exists(status)) {
        if (!std::filesystem::is_symlink(status))
            throw std::runtime_error(m_link.string() + " exists and is no link; not replaced");
        std::filesystem::remove(m_link, error); // a link left behind by an earlier run
    }
    std::filesystem::create_symlink(m_target, m_link, error);
    if (error)
        throw std::runtime_error("cannot create the link " + m_link.string() + ": " + error.message());
}

DeviceLink::~DeviceLink()
{
    std::error_code error;
    if (std::filesystem::read_symlink(m_link, error) == m_target && !error)
        std::filesystem::remove(m_link, error);
}

} // namespace teb::sim
