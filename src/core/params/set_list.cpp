#include "params/set_list.h"

#include <algorithm>

namespace teb {

SetList::SetList(const std::vector<std::string> &names)
{
    for (const std::string &name : names) {
        if (!name.empty() && !isFull())
            m_names.push_back(name);
    }
}

bool SetList::contains(std::string_view name) const
{
    return std::ranges::find(m_names, name) != m_names.end();
}

bool SetList::add(std::string_view name)
{
    if (contains(name))
        return true;
    if (name.empty() || isFull())
        return false;
    m_names.emplace_back(name);
    return true;
}

bool SetList::remove(std::string_view name)
{
    const auto found = std::ranges::find(m_names, name);
    if (found == m_names.end())
        return false;
    m_names.erase(found);
    return true;
}

bool removeSetName(SetList &list, std::string_view name) { return list.remove(name); }

} // namespace teb
