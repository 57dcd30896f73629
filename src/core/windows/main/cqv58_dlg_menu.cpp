#include "windows/main/cqv58_dlg_menu.h"

#include <array>

namespace teb {
namespace {

constexpr std::array kMenuItems = std::to_array<MenuItemInfo>({
    {MenuItem::FileExit, "File", "Exit"},
    {MenuItem::FileJournal, "File", "Carrier-ID journal..."},
    {MenuItem::InterfaceSettings, "Interface", "Settings"},
    {MenuItem::InterfaceDeviceManager, "Interface", "Device Manager"},
    {MenuItem::Config, "Config", ""},
    {MenuItem::TerminalShow, "Terminal", "Show"},
    {MenuItem::TerminalClear, "Terminal", "Clear"},
    {MenuItem::HelpInfo, "?", "Info"},
    {MenuItem::SystemMenuInfo, "", kSystemMenuInfoText},
});

constexpr bool tableFollowsEnumOrder()
{
    for (std::size_t i = 0; i < kMenuItems.size(); ++i) {
        if (static_cast<std::size_t>(kMenuItems[i].id) != i)
            return false;
    }
    return true;
}
static_assert(tableFollowsEnumOrder(), "one row per menu item, in the order of the enum");

} // namespace

const MenuItemInfo &menuItemInfo(MenuItem id) { return kMenuItems.at(static_cast<std::size_t>(id)); }

} // namespace teb
