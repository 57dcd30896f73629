#pragma once

#include "reader_model.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace teb::sim {

// Every transponder that came onto the antenna, in the order they first
// came, each kept as it was left; and which of them lies on the antenna.
// The reader holds the one on the antenna and changes it between the calls.
class TransponderShelf {
public:
    // `blank`: a new transponder as the options make it (none: --no-tag),
    // which is also the first on the antenna.
    TransponderShelf(std::optional<Transponder> blank, bool sameUid);

    // Each changes what lies in `onAntenna`: a new transponder with the next
    // UID; the one that lay there before (a swap); the earlier transponders
    // one after another in the order they first came, from the first again
    // after the last.
    void putNew(std::optional<Transponder> &onAntenna);
    void swapWithPrevious(std::optional<Transponder> &onAntenna);
    void putBackInTurn(std::optional<Transponder> &onAntenna);

    std::size_t count() const { return m_all.size(); }

private:
    using Slot = std::optional<std::size_t>; // none: nothing on the antenna
    void lay(Slot slot, std::optional<Transponder> &onAntenna);

    std::optional<Transponder> m_blank;
    bool m_sameUid;
    std::string m_lastUid;
    std::vector<Transponder> m_all;
    Slot m_current;
    Slot m_previous;
    std::size_t m_nextInTurn = 0;
};

// The UID of the next transponder: the UID as a hexadecimal number plus one,
// as wide as before; a UID that is no such number stays as it is.
std::string nextUid(const std::string &uid);

} // namespace teb::sim
