#pragma once

#include <string_view>

namespace teb {

// The main window's menu commands, as its menu bar and system menu offer them.
enum class MenuItem {
    FileExit,
    FileJournal,     // the carrier-ID journal's history window
    InterfaceSettings,
    InterfaceDeviceManager,
    Config,          // a command of its own, no submenu
    TerminalShow,    // carries a check mark while the terminal is shown
    TerminalClear,
    HelpInfo,
    SystemMenuInfo,  // the item appended to the system menu
};

struct MenuItemInfo {
    MenuItem id;
    std::string_view menu;  // the menu bar entry
    std::string_view item;  // empty for "Config", which has no submenu
};

const MenuItemInfo &menuItemInfo(MenuItem id);

// The system-menu item, 8-bit text as the windows show it ("\xFC" is u-umlaut).
inline constexpr std::string_view kSystemMenuInfoText = "Inf&o \xFC" "ber QV58...";

} // namespace teb
