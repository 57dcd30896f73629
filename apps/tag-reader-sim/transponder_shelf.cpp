#include "transponder_shelf.h"

#include <cctype>
#include <utility>

namespace teb::sim {

std::string nextUid(const std::string &uid)
{
    std::string next = uid;
    for (auto digit = next.rbegin(); digit != next.rend(); ++digit) {
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(*digit)));
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return uid;
        if (c != 'F') {
            *digit = c == '9' ? 'A' : static_cast<char>(c + 1);
            return next;
        }
        *digit = '0';
    }
    return next;
}

TransponderShelf::TransponderShelf(std::optional<Transponder> blank, bool sameUid)
    : m_blank(std::move(blank)), m_sameUid(sameUid)
{
    if (!m_blank)
        return;
    m_lastUid = m_blank->uid;
    m_all.push_back(*m_blank);
    m_current = 0;
}

void TransponderShelf::putNew(std::optional<Transponder> &onAntenna)
{
    if (!m_blank)
        return lay(std::nullopt, onAntenna);
    if (!m_sameUid)
        m_lastUid = nextUid(m_lastUid);
    Transponder fresh = *m_blank;
    fresh.uid = m_lastUid;
    m_all.push_back(std::move(fresh));
    lay(m_all.size() - 1, onAntenna);
}

void TransponderShelf::swapWithPrevious(std::optional<Transponder> &onAntenna) { lay(m_previous, onAntenna); }

void TransponderShelf::putBackInTurn(std::optional<Transponder> &onAntenna)
{
    if (m_all.empty())
        return;
    const std::size_t slot = m_nextInTurn;
    m_nextInTurn = (m_nextInTurn + 1) % m_all.size();
    lay(slot, onAntenna);
}

void TransponderShelf::lay(Slot slot, std::optional<Transponder> &onAntenna)
{
    if (m_current && onAntenna)
        m_all[*m_current] = *onAntenna;
    m_previous = m_current;
    m_current = slot;
    onAntenna = slot ? std::optional<Transponder>(m_all[*slot]) : std::nullopt;
}

} // namespace teb::sim
