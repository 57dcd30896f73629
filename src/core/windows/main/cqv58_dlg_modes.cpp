// The main window's two modes, its HEX/ASCII switch, the page selection and
// the manual group's switches.
#include "windows/main/cqv58_dlg.h"

#include "transponder/page_text.h"

#include <array>

namespace teb {
namespace {

// Every control of the manual group below its frame and title.
constexpr std::array kManualGroupControls = {
    Control::ReadButton, Control::WriteButton, Control::LockButton, Control::DefaultMemoryButton,
    Control::LabelManualCarrierIdOffset, Control::ManualCarrierIdOffsetBox,
    Control::LabelManualCarrierIdLength, Control::ManualCarrierIdLengthBox,
    Control::LabelManualCarrierId, Control::ManualCarrierIdBox,
    Control::ReadCarrierIdButton, Control::WriteCarrierIdButton,
    Control::ReadUidButton, Control::UidBox,
    Control::LabelTransponderType, Control::LabelTi, Control::TiSwitch, Control::LabelOrvex, Control::OrvexSwitch,
    Control::LabelLog, Control::LogSwitch, Control::LogFileLabel, Control::OpenButton,
};

// What automatic mode shows and manual mode hides.
constexpr std::array kAutomaticOnlyControls = {
    Control::SetNameLabel, Control::NextBox, Control::MaxBox, Control::NextSpin, Control::MaxSpin,
    Control::OneButton, Control::LabelCarrierId, Control::LabelNext, Control::LabelMax, Control::ContOnButton,
    Control::ProgressLabel, Control::StopButton,
};

constexpr std::array kCarrierIdRangeControls = {
    Control::NextBox, Control::MaxBox, Control::NextSpin, Control::MaxSpin,
};

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

// --- modes

void CQV58Dlg::switchToAutomatic() { switchMode(true); }
void CQV58Dlg::switchToManual() { switchMode(false); }

// A click on the mode already active runs the same steps.
void CQV58Dlg::switchMode(bool automatic)
{
    takeFromControls();
    m_pages.automaticMode = automatic;
    showModeSwitches();
    showInControls();
    refreshModeView();
}

void CQV58Dlg::showModeSwitches()
{
    m_view.setSwitchImage(Control::AutomaticSwitch, m_pages.automaticMode);
    m_view.setSwitchImage(Control::ManualSwitch, !m_pages.automaticMode);
}

void CQV58Dlg::refreshModeView()
{
    if (m_pages.automaticMode)
        refreshAutomaticView();
    else
        refreshManualView();
}

void CQV58Dlg::refreshAutomaticView()
{
    m_view.setEnabled(Control::SelectAll, false);
    for (int page = 1; page <= kPageCount; ++page) {
        m_view.setEnabled(pageSelectBox(page), false);
        const bool editable = m_job.state().currentSet.pages[pageIndex(page)].editable;
        m_view.setEnabled(pageBox(page), editable);
        m_view.setTextColour(pageBox(page), editable ? colour::Black : colour::GreyText);
    }
    clearPageResultColours();
    setManualGroupShown(false);
    setCarrierIdRangeActive(!m_job.state().currentSet.useCsvFile && !m_job.state().currentSet.useFixData);
    m_view.setEnabled(Control::OneButton, true);
    m_view.setEnabled(Control::ContOnButton, true);
    for (const Control id : kAutomaticOnlyControls)
        m_view.setVisible(id, true);
    m_result.show(m_pages.automaticMode);
    m_result.showProgress(m_job.state());

    for (int page = 3; page <= kPageCount; ++page)
        m_pages.pageSelected[pageIndex(page)] = m_job.state().currentSet.writePages3To17;
    m_pages.selectAll = m_job.state().currentSet.writePages3To17;
    rebuildPageTextsFromSet();
    showInControls();
}

void CQV58Dlg::refreshManualView()
{
    m_view.setEnabled(Control::SelectAll, true);
    for (int page = 1; page <= kPageCount; ++page) {
        m_view.setEnabled(pageSelectBox(page), true);
        m_view.setEnabled(pageBox(page), true);
        m_view.setTextColour(pageBox(page), colour::Black);
    }
    clearPageResultColours();
    setManualGroupShown(true);
    setCarrierIdRangeActive(false);
    m_view.setEnabled(Control::OneButton, false);
    m_continuous.stop();
    for (const Control id : kAutomaticOnlyControls)
        m_view.setVisible(id, false);
    m_result.show(m_pages.automaticMode);
}

// Automatic mode greys the pages the set keeps; manual mode has every page white.
Rgb CQV58Dlg::pageBoxBackground(int page) const
{
    const bool editable = !m_pages.automaticMode || m_job.state().currentSet.pages[pageIndex(page)].editable;
    return editable ? colour::White : colour::GreyBackground;
}

void CQV58Dlg::clearPageResultColours()
{
    for (int page = 1; page <= kPageCount; ++page)
        m_view.setBackground(pageBox(page), pageBoxBackground(page));
}

void CQV58Dlg::setManualGroupShown(bool shown)
{
    for (const Control id : kManualGroupControls) {
        m_view.setEnabled(id, shown);
        m_view.setVisible(id, shown);
    }
}

// The "next" and "max" boxes with their spin buttons.
void CQV58Dlg::setCarrierIdRangeActive(bool active)
{
    for (const Control id : kCarrierIdRangeControls)
        m_view.setEnabled(id, active);
    const Rgb background = active ? colour::White : colour::GreyBackground;
    m_view.setBackground(Control::NextBox, background);
    m_view.setBackground(Control::MaxBox, background);
}

void CQV58Dlg::rebuildPageTextsFromSet()
{
    for (int page = 1; page <= kPageCount; ++page) {
        const PageSetting &setting = m_job.state().currentSet.pages[pageIndex(page)];
        m_pages.pageText[pageIndex(page)] = joinedByteTexts(m_pages.asciiFormat ? setting.ascii : setting.hex);
    }
}

// --- HEX and ASCII

void CQV58Dlg::showAscii() { showFormat(true); }
void CQV58Dlg::showHex() { showFormat(false); }

// A click on the format already shown leaves the texts and the kept texts
// alone: converting them again would read ASCII texts as HEX (or the reverse)
// and garble every page. The switch images and the focus still move as usual.
void CQV58Dlg::showFormat(bool ascii)
{
    takeFromControls();
    const bool alreadyShown = m_pages.asciiFormat == ascii;
    m_pages.asciiFormat = ascii;
    showFormatSwitches();
    if (!alreadyShown)
        convertPageTexts(ascii);
    moveFocusThroughPageBoxes();
    m_view.repaintWindow();
}

void CQV58Dlg::showFormatSwitches()
{
    m_view.setSwitchImage(Control::HexSwitch, !m_pages.asciiFormat);
    m_view.setSwitchImage(Control::AsciiSwitch, m_pages.asciiFormat);
}

// The shown texts become the kept texts of their format and are replaced by
// the other format's text.
void CQV58Dlg::convertPageTexts(bool toAscii)
{
    for (std::size_t i = 0; i < m_pages.pageText.size(); ++i) {
        if (toAscii) {
            m_pages.hexTextKept[i] = m_pages.pageText[i];
            m_pages.asciiTextKept[i] = hexTextToAsciiText(m_pages.hexTextKept[i]);
            m_pages.pageText[i] = m_pages.asciiTextKept[i];
        } else {
            m_pages.asciiTextKept[i] = m_pages.pageText[i];
            m_pages.hexTextKept[i] = asciiTextToHexText(m_pages.asciiTextKept[i]);
            m_pages.pageText[i] = m_pages.hexTextKept[i];
        }
    }
    showInControls();
}

void CQV58Dlg::moveFocusThroughPageBoxes()
{
    for (int page = 1; page <= kPageCount; ++page)
        m_view.setFocus(pageBox(page));
}

// --- page selection

void CQV58Dlg::pageSelectClicked(int page)
{
    takeFromControls();
    const Control box = pageSelectBox(page);
    if (!m_pages.pageSelected[pageIndex(page)]) {
        m_pages.selectAll = false;
        m_view.setFocus(pageBox(page));
        m_view.setSwitchImage(box, false);
    } else {
        m_view.setSwitchImage(box, true);
    }
    m_view.setBackground(pageBox(page), colour::White);
    showInControls();
}

void CQV58Dlg::selectAllClicked()
{
    takeFromControls();
    m_view.setSwitchImage(Control::SelectAll, m_pages.selectAll);
    m_pages.pageSelected.fill(m_pages.selectAll);
    if (!m_pages.selectAll) {
        showInControls();
        moveFocusThroughPageBoxes();
    }
    for (int page = 1; page <= kPageCount; ++page) {
        m_view.setSwitchImage(pageSelectBox(page), m_pages.selectAll);
        m_view.setBackground(pageBox(page), colour::White);
    }
    showInControls();
}

// --- manual group switches

void CQV58Dlg::tiClicked()
{
    takeFromControls(); // the click has already changed the TI switch's check state
    m_manual.manualTypeOrvex = !m_manual.manualTypeTi;
    showFamilySwitches();
    showInControls();
}

void CQV58Dlg::orvexClicked()
{
    takeFromControls();
    m_manual.manualTypeTi = !m_manual.manualTypeOrvex;
    showFamilySwitches();
    showInControls();
}

void CQV58Dlg::showFamilySwitches()
{
    m_view.setSwitchImage(Control::TiSwitch, m_manual.manualTypeTi);
    m_view.setSwitchImage(Control::OrvexSwitch, m_manual.manualTypeOrvex);
}

void CQV58Dlg::logClicked()
{
    takeFromControls();
    if (!m_manual.manualLog) {
        m_view.setSwitchImage(Control::LogSwitch, false);
        showInControls();
        showLogFileName();
    } else {
        m_view.setSwitchImage(Control::LogSwitch, true);
    }
    disableDefaultAction();
}

} // namespace teb
