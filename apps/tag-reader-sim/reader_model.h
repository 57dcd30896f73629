#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace teb::sim {

inline constexpr int kPageCount = 17;
inline constexpr int kPageBytes = 8;

enum class Family { TiMultipage, OrvexMultipage };

// The answers that the reader gives for a command it cannot carry out.
inline constexpr const char *kRefusal = "NAK";
inline constexpr const char *kNoTransponder = "No Read";
inline constexpr const char *kUnknownCommand = "ERR";

struct Transponder {
    std::string uid = "E0040150";
    std::array<std::array<std::uint8_t, kPageBytes>, kPageCount> pages{};
    std::array<bool, kPageCount> locked{};
};

// The reader with what lies on its antenna: answers one command line (without
// its CR) as the reader does. Nothing is answered to an empty line.
class ReaderModel {
public:
    Family family = Family::TiMultipage;
    int timeOutNumber = 10;
    std::optional<Transponder> transponder = Transponder{};

    std::optional<std::string> answer(const std::string &command);
    // Another transponder lies on the antenna: an Orvex one is not selected yet.
    void antennaChanged() { uidSelected = false; }

private:
    std::string readPage(int page) const;
    std::string writePage(int page, const std::string &hexDigits);
    std::string lockPage(int page);

    // An Orvex transponder takes writes only after its UID was read since the last
    // "TOR" and since it came onto the antenna.
    bool uidSelected = false;
};

// The page number of a page command argument: 1 .. 17 in decimal without a
// leading zero; nothing otherwise.
std::optional<int> pageNumber(const std::string &text);

// The 8 bytes of 16 hexadecimal digits (either letter case); nothing otherwise.
std::optional<std::array<std::uint8_t, kPageBytes>> pageBytes(const std::string &hexDigits);

std::string upperHex(const std::array<std::uint8_t, kPageBytes> &bytes);

} // namespace teb::sim
