#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace teb {

// The ordered names of all parameter sets (order of creation), at most 256.
// The list never holds an empty name: the settings file ends its list at the
// first empty entry.
class SetList {
public:
    static constexpr std::size_t kMaxNames = 256;

    SetList() = default;
    // Keeps the non-empty names in their order, at most kMaxNames of them.
    explicit SetList(const std::vector<std::string> &names);

    std::int32_t count() const { return static_cast<std::int32_t>(m_names.size()); }
    const std::vector<std::string> &names() const { return m_names; }
    bool contains(std::string_view name) const;
    bool isFull() const { return m_names.size() >= kMaxNames; }

    // Appends a name that is not yet listed; a listed name keeps its place.
    // False when the name is empty or the list is full.
    bool add(std::string_view name);
    // Removes the first entry equal to the name; the entries behind move up.
    bool remove(std::string_view name);

    bool operator==(const SetList &) const = default;

private:
    std::vector<std::string> m_names;
};

// The editor's "Delete": removes the name from the list (its file stays on disk).
bool removeSetName(SetList &list, std::string_view name);

} // namespace teb
