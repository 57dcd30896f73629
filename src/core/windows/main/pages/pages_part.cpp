// The page boxes: format, selection, typed texts, the mode's colours.
#include "windows/main/pages/pages_part.h"

#include "records/record_files.h"
#include "transponder/page_operations.h"
#include "transponder/page_text.h"

#include <array>

namespace teb {
namespace {

// A page's eight byte texts joined by single blanks.
std::string joinedByteTexts(const std::array<std::string, kBytesPerPage> &bytes)
{
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0)
            text += ' ';
        text += bytes[i];
    }
    return text;
}

} // namespace

void PagesPart::takeFromControls()
{
    for (int page = 1; page <= kPageCount; ++page) {
        m_display.pageText[pageIndex(page)] = m_view.text(pageBox(page));
        m_display.pageSelected[pageIndex(page)] = m_view.isChecked(pageSelectBox(page));
    }
    m_display.selectAll = m_view.isChecked(Control::SelectAll);
    m_display.uidText = m_view.text(Control::UidBox);
}

void PagesPart::showInControls()
{
    // A selection box's image shows its selection too, whatever changed it
    // (the set in automatic mode, a page unticked under "all").
    for (int page = 1; page <= kPageCount; ++page) {
        m_view.setText(pageBox(page), m_display.pageText[pageIndex(page)]);
        m_view.setChecked(pageSelectBox(page), m_display.pageSelected[pageIndex(page)]);
        m_view.setSwitchImage(pageSelectBox(page), m_display.pageSelected[pageIndex(page)]);
    }
    m_view.setChecked(Control::SelectAll, m_display.selectAll);
    m_view.setSwitchImage(Control::SelectAll, m_display.selectAll);
    m_view.setText(Control::UidBox, m_display.uidText);
}

// --- settings

void PagesPart::takeSettings(const StationSettings &settings)
{
    m_display.automaticMode = settings.automaticMode;
    m_display.selectAll = settings.selectAll;
    m_display.pageSelected = settings.pageSelected;
    m_display.asciiFormat = settings.asciiFormat;
    m_display.pageText = settings.pageText;
    m_display.pageDefault = settings.pageDefault;
    fillKeptTexts();
}

void PagesPart::putSettings(StationSettings &settings) const
{
    settings.automaticMode = m_display.automaticMode;
    settings.selectAll = m_display.selectAll;
    settings.pageSelected = m_display.pageSelected;
    settings.asciiFormat = m_display.asciiFormat;
    settings.pageText = m_display.pageText;
    settings.pageDefault = m_display.pageDefault;
}

// The page texts in both formats, as of start-up.
void PagesPart::fillKeptTexts()
{
    for (std::size_t i = 0; i < m_display.pageText.size(); ++i)
        m_display.keepInBothFormats(i, m_display.pageText[i], m_display.asciiFormat);
}

void PagesPart::showSwitchImages()
{
    m_view.setSwitchImage(Control::SelectAll, m_display.selectAll);
    for (int page = 1; page <= kPageCount; ++page)
        m_view.setSwitchImage(pageSelectBox(page), m_display.pageSelected[pageIndex(page)]);
    showFormatSwitches();
    showModeSwitches();
}

// --- HEX and ASCII

// A click on the format already shown leaves the texts and the kept texts
// alone: converting them again would read ASCII texts as HEX (or the reverse)
// and garble every page. The switch images and the focus still move as usual.
void PagesPart::showFormat(bool ascii)
{
    m_window.takeFromControls();
    const bool alreadyShown = m_display.asciiFormat == ascii;
    m_display.asciiFormat = ascii;
    showFormatSwitches();
    if (!alreadyShown)
        convertPageTexts(ascii);
    moveFocusThroughPageBoxes();
    m_view.repaintWindow();
}

void PagesPart::showFormatSwitches()
{
    m_view.setSwitchImage(Control::HexSwitch, !m_display.asciiFormat);
    m_view.setSwitchImage(Control::AsciiSwitch, m_display.asciiFormat);
}

// The shown texts become the kept texts of their format and are replaced by
// the other format's text.
void PagesPart::convertPageTexts(bool toAscii)
{
    for (std::size_t i = 0; i < m_display.pageText.size(); ++i) {
        m_display.keepInBothFormats(i, m_display.pageText[i], !toAscii);
        m_display.pageText[i] = toAscii ? m_display.asciiTextKept[i] : m_display.hexTextKept[i];
    }
    m_window.showInControls();
}

void PagesPart::moveFocusThroughPageBoxes()
{
    for (int page = 1; page <= kPageCount; ++page)
        m_view.setFocus(pageBox(page));
}

// --- page selection

void PagesPart::pageSelectClicked(int page)
{
    m_window.takeFromControls();
    const Control box = pageSelectBox(page);
    if (!m_display.pageSelected[pageIndex(page)]) {
        m_display.selectAll = false;
        m_view.setFocus(pageBox(page));
        m_view.setSwitchImage(box, false);
    } else {
        m_view.setSwitchImage(box, true);
    }
    m_view.setBackground(pageBox(page), colour::White);
    m_window.showInControls();
}

void PagesPart::selectAllClicked()
{
    m_window.takeFromControls();
    m_view.setSwitchImage(Control::SelectAll, m_display.selectAll);
    m_display.pageSelected.fill(m_display.selectAll);
    if (!m_display.selectAll) {
        m_window.showInControls();
        moveFocusThroughPageBoxes();
    }
    for (int page = 1; page <= kPageCount; ++page) {
        m_view.setSwitchImage(pageSelectBox(page), m_display.selectAll);
        m_view.setBackground(pageBox(page), colour::White);
    }
    m_window.showInControls();
}

// --- Enter in a page box: the typed text is normalised, checked and coloured

void PagesPart::pageEntered(int page)
{
    const Control box = pageBox(page);
    const std::size_t i = pageIndex(page);
    m_window.takeFromControls();
    m_view.setBackground(box, colour::White);

    const std::string entry = normalisePageEntry(m_display.pageText[i], m_display.asciiFormat, m_window.currentSet().alignment);
    m_display.keepInBothFormats(i, entry, m_display.asciiFormat);
    m_display.pageText[i] = entry;
    m_window.showInControls();

    if (checkPageText(m_display.pageText[i], m_display.asciiFormat) != 0) {
        m_view.setBackground(box, colour::Red);
        showOkMessage(m_dialogs, pageTextFaultMessage(page, m_display.asciiFormat), kWindowTitle, MessageIcon::Warning);
    } else {
        m_view.setBackground(box, colour::Green);
    }
}

void PagesPart::loadDefaultContent()
{
    m_window.takeFromControls();
    m_display.pageText = m_display.pageDefault;
    m_display.asciiFormat = false;
    showFormatSwitches();
    m_display.selectAll = true;
    m_display.pageSelected.fill(true);
    m_view.setSwitchImage(Control::SelectAll, true);
    for (int page = 1; page <= kPageCount; ++page) {
        m_view.setSwitchImage(pageSelectBox(page), true);
        m_view.setBackground(pageBox(page), colour::White);
    }
    m_window.showInControls();
    m_view.repaintWindow();
}

// --- modes

void PagesPart::showModeSwitches()
{
    m_view.setSwitchImage(Control::AutomaticSwitch, m_display.automaticMode);
    m_view.setSwitchImage(Control::ManualSwitch, !m_display.automaticMode);
}

void PagesPart::showAutomatic()
{
    m_view.setEnabled(Control::SelectAll, false);
    for (int page = 1; page <= kPageCount; ++page) {
        m_view.setEnabled(pageSelectBox(page), false);
        const bool editable = m_window.currentSet().pages[pageIndex(page)].editable;
        m_view.setEnabled(pageBox(page), editable);
        m_view.setTextColour(pageBox(page), editable ? colour::Black : colour::GreyText);
    }
    clearResultColours();
}

void PagesPart::showManual()
{
    m_view.setEnabled(Control::SelectAll, true);
    for (int page = 1; page <= kPageCount; ++page) {
        m_view.setEnabled(pageSelectBox(page), true);
        m_view.setEnabled(pageBox(page), true);
        m_view.setTextColour(pageBox(page), colour::Black);
    }
    clearResultColours();
}

// Automatic mode greys the pages the set keeps; manual mode has every page white.
Rgb PagesPart::pageBoxBackground(int page) const
{
    const bool editable = !m_display.automaticMode || m_window.currentSet().pages[pageIndex(page)].editable;
    return editable ? colour::White : colour::GreyBackground;
}

void PagesPart::clearResultColours()
{
    for (int page = 1; page <= kPageCount; ++page)
        m_view.setBackground(pageBox(page), pageBoxBackground(page));
}

void PagesPart::showSet()
{
    const ParameterSet &set = m_window.currentSet();
    for (int page = 3; page <= kPageCount; ++page)
        m_display.pageSelected[pageIndex(page)] = set.writePages3To17;
    m_display.selectAll = set.writePages3To17;
    rebuildPageTextsFromSet();
}

void PagesPart::rebuildPageTextsFromSet()
{
    const ParameterSet &set = m_window.currentSet();
    for (int page = 1; page <= kPageCount; ++page) {
        const PageSetting &setting = set.pages[pageIndex(page)];
        m_display.pageText[pageIndex(page)] = joinedByteTexts(m_display.asciiFormat ? setting.ascii : setting.hex);
    }
}

records::RecordEntry PagesPart::recordEntry(bool withUid, bool onlySucceeded) const
{
    PageFlags filled{};
    for (std::size_t i = 0; i < filled.size(); ++i)
        filled[i] = m_display.pageSelected[i] && !m_display.pageText[i].empty() &&
                    (!onlySucceeded || m_display.pageSucceeded[i]);
    return records::makeEntry(withUid ? m_display.uidText : std::string(), filled, m_display.hexTextKept,
                              m_display.asciiTextKept, m_window.currentSet());
}

// --- focus

void PagesPart::requestFocusOnFirstEditablePage()
{
    const ParameterSet &set = m_window.currentSet();
    for (std::size_t i = 0; i < set.pages.size(); ++i) {
        if (set.pages[i].editable) {
            m_display.pageFocusRequest[i] = true;
            return;
        }
    }
}

void PagesPart::serveFocusRequests()
{
    for (int page = 1; page <= kPageCount; ++page) {
        if (!m_display.pageFocusRequest[pageIndex(page)])
            continue;
        m_display.pageFocusRequest[pageIndex(page)] = false;
        m_view.setFocus(pageBox(page));
        m_view.selectAll(pageBox(page));
    }
    if (m_display.focusOneRequest) {
        m_display.focusOneRequest = false;
        if (m_display.automaticMode)
            m_view.setFocus(Control::OneButton);
    }
}

} // namespace teb
