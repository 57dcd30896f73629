#pragma once

#include "windows/pages_editor/auto_2_view.h"
#include "windows/config/byte_cell.h"
#include "params/counter_page.h"
#include "params/parameter_set.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace teb {

// What the "Config" dialog hands the pages 3-17 editor and takes back on "OK".
struct PagesEditorData {
    // Texts of all 136 bytes (only pages 3..17 are shown and changed) and the
    // "Edit" and "Lock" flags of pages 3..17.
    std::array<PageSetting, kPageCount> pages;
    bool asciiFormat = false;
    std::string counterPage;   // "None" or "3" .. "17"; not changed here
    std::string counterValue;  // at least eight digits

    bool operator==(const PagesEditorData &) const = default;
};

inline constexpr std::string_view kAsciiCellMessage = "change byte %i to a length of 1 character of 'NUL'";
inline constexpr std::string_view kHexCellMessage =
    "change byte %i to a length of 2 hexadecimal (0,1,2,3,4,5,6,7,8,9,A,B,C,D,E,F) characters\r\n"
    "character must be in printable range between 0x20 and 0x7E\r\n"
    "or can be 0x00";

// The "Config Pages 3-17" dialog: the bytes of pages 3..17 and their switches.
// Every confirmed cell is checked; the counter page carries the counter value
// while the dialog is open.
class auto_2 {
public:
    explicit auto_2(PagesEditorData data);

    // Opens the dialog on the view and runs it until "OK" or "Abbrechen";
    // data() then holds the pages as changed.
    DialogResult run(auto_2View &view);
    // Fills the view's controls: the first step of run.
    void open(auto_2View &view);
    void formatClicked(bool ascii);   // "HEX" (false) or "ASCII" (true)
    void cellConfirmed(int byte);     // Enter or Tab in the cell of a byte
    void editClicked(int page);
    void lockClicked(int page);
    void ok();
    void cancel();

    // The view's reports, routed to the operations above.
    void clicked(PagesControl id);
    void enterPressed(PagesControl id);  // Enter or Tab

    const PagesEditorData &data() const { return m_data; }
    bool accepted() const { return m_accepted; }

private:
    ByteTexts byteTexts(int byte) const;
    void setByteTexts(int byte, const ByteTexts &texts);
    std::string shownText(int byte) const;
    void showCells();
    void showCell(int byte);
    void showFormat();
    bool takeCell(int byte);  // false, with its message, when invalid
    bool takeChangedCells();
    void moveFocusTo(int byte);
    void writeCounterValueIntoPage(int page);
    void readCounterValueFromPage(int page);
    std::string counterPageText(int page) const;
    PageSetting &page(int pageNumber) { return m_data.pages[static_cast<std::size_t>(pageNumber - 1)]; }

    auto_2View *m_view = nullptr;
    PagesEditorData m_data;
    std::string m_counterPageAtOpen;  // the counter page's characters as opened
    bool m_accepted = false;
};

} // namespace teb
