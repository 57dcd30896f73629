#pragma once

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace teb::test {

// A pseudo-terminal whose master side plays the reader's line; its slave
// side is the station's port.
class PseudoLine {
public:
    PseudoLine() : master(posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC))
    {
        if (master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0)
            slavePath = ptsname(master);
    }
    ~PseudoLine() { hangUp(); }
    PseudoLine(const PseudoLine &) = delete;
    PseudoLine &operator=(const PseudoLine &) = delete;

    void send(std::string_view bytes) const { ASSERT_EQ(::write(master, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size())); }

    // What the station sent, up to and with the next CR; empty when nothing comes.
    std::string receiveLine() const
    {
        std::string line;
        char byte = 0;
        pollfd entry{master, POLLIN, 0};
        while (::poll(&entry, 1, 2000) > 0 && ::read(master, &byte, 1) == 1) {
            line += byte;
            if (byte == '\r')
                break;
        }
        return line;
    }

    // The far side goes away, as when an adapter is pulled: the slave side hangs up.
    void hangUp()
    {
        if (master >= 0)
            ::close(master);
        master = -1;
    }

    int master = -1;
    std::string slavePath;
};

} // namespace teb::test
