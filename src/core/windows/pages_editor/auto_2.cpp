#include "windows/pages_editor/auto_2.h"

#include <algorithm>

#include "common/decimal_text.h"
#include "params/parameter_set_save.h"
#include "transponder/byte_text.h"

namespace teb {
namespace {

PagesControl offsetControl(PagesControl first, int index) { return static_cast<PagesControl>(static_cast<int>(first) + index); }

int indexInRun(PagesControl id, PagesControl first, int count)
{
    const int index = static_cast<int>(id) - static_cast<int>(first);
    return index >= 0 && index < count ? index : -1;
}

constexpr int kShownPageCount = kPageCount - kFirstPagesEditorPage + 1;
constexpr int kShownByteCount = kLastPagesEditorByte - kFirstPagesEditorByte + 1;

std::string withByteNumber(std::string_view pattern, int byte)
{
    std::string text(pattern);
    if (const auto at = text.find("%i"); at != std::string::npos)
        text.replace(at, 2, formatDecimal(byte));
    return text;
}

} // namespace

PagesControl pagesCell(int byte) { return offsetControl(PagesControl::FirstCell, byte - kFirstPagesEditorByte); }
PagesControl pagesEditSwitch(int page) { return offsetControl(PagesControl::FirstEditSwitch, page - kFirstPagesEditorPage); }
PagesControl pagesLockSwitch(int page) { return offsetControl(PagesControl::FirstLockSwitch, page - kFirstPagesEditorPage); }

int byteOfPagesCell(PagesControl id)
{
    const int index = indexInRun(id, PagesControl::FirstCell, kShownByteCount);
    return index < 0 ? -1 : index + kFirstPagesEditorByte;
}

int pageOfPagesEditSwitch(PagesControl id)
{
    const int index = indexInRun(id, PagesControl::FirstEditSwitch, kShownPageCount);
    return index < 0 ? -1 : index + kFirstPagesEditorPage;
}

int pageOfPagesLockSwitch(PagesControl id)
{
    const int index = indexInRun(id, PagesControl::FirstLockSwitch, kShownPageCount);
    return index < 0 ? -1 : index + kFirstPagesEditorPage;
}

auto_2::auto_2(PagesEditorData data) : m_data(std::move(data)) {}

DialogResult auto_2::run(auto_2View &view)
{
    open(view);
    view.runModal(*this);
    return m_accepted ? DialogResult::Ok : DialogResult::Cancel;
}

void auto_2::open(auto_2View &view)
{
    m_view = &view;
    const std::optional<int> counterPage = counterPageNumber(m_data.counterPage);
    if (counterPage) {
        page(*counterPage).editable = false;
        writeCounterValueIntoPage(*counterPage);
        m_counterPageAtOpen = counterPageText(*counterPage);
    }
    for (int p = kFirstPagesEditorPage; p <= kPageCount; ++p) {
        m_view->setEnabled(pagesEditSwitch(p), p != counterPage);
        m_view->setSwitchImage(pagesEditSwitch(p), page(p).editable);
        m_view->setSwitchImage(pagesLockSwitch(p), page(p).locked);
    }
    showFormat();
    showCells();
}

void auto_2::formatClicked(bool ascii)
{
    if (ascii != m_data.asciiFormat) {
        // Cells typed over but not confirmed are checked as if confirmed; the
        // format only changes once every cell holds a valid byte.
        if (!takeChangedCells()) {
            showFormat();
            return;
        }
        m_data.asciiFormat = ascii;
        showCells();
    }
    showFormat();
}

void auto_2::cellConfirmed(int byte)
{
    if (byte < kFirstPagesEditorByte || byte > kLastPagesEditorByte)
        return;
    if (takeCell(byte))
        showCell(byte);
    moveFocusTo(byte == kLastPagesEditorByte ? kFirstPagesEditorByte : byte + 1);
}

void auto_2::editClicked(int p)
{
    if (p < kFirstPagesEditorPage || p > kPageCount || counterPageNumber(m_data.counterPage) == p)
        return;
    page(p).editable = !page(p).editable;
    m_view->setSwitchImage(pagesEditSwitch(p), page(p).editable);
}

void auto_2::lockClicked(int p)
{
    if (p < kFirstPagesEditorPage || p > kPageCount)
        return;
    page(p).locked = !page(p).locked;
    m_view->setSwitchImage(pagesLockSwitch(p), page(p).locked);
}

void auto_2::ok()
{
    // What the cells show is what goes back, so no typed-over cell may slip
    // past the check.
    if (!takeChangedCells())
        return;
    // A page nobody edited leaves the value as it came, digits beyond eight
    // and all.
    if (const std::optional<int> counterPage = counterPageNumber(m_data.counterPage);
        counterPage && counterPageText(*counterPage) != m_counterPageAtOpen)
        readCounterValueFromPage(*counterPage);
    m_accepted = true;
    m_view->endDialog(DialogResult::Ok);
}

void auto_2::cancel()
{
    m_accepted = false;
    m_view->endDialog(DialogResult::Cancel);
}

void auto_2::clicked(PagesControl id)
{
    switch (id) {
    case PagesControl::HexFormat: formatClicked(false); return;
    case PagesControl::AsciiFormat: formatClicked(true); return;
    case PagesControl::Ok: ok(); return;
    case PagesControl::Cancel: cancel(); return;
    default: break;
    }
    if (const int p = pageOfPagesEditSwitch(id); p > 0)
        editClicked(p);
    else if (const int lockPage = pageOfPagesLockSwitch(id); lockPage > 0)
        lockClicked(lockPage);
}

void auto_2::enterPressed(PagesControl id)
{
    if (const int byte = byteOfPagesCell(id); byte > 0)
        cellConfirmed(byte);
}

ByteTexts auto_2::byteTexts(int byte) const { return byteTextsAt(m_data.pages, byte); }

void auto_2::setByteTexts(int byte, const ByteTexts &texts) { setByteTextsAt(m_data.pages, byte, texts); }

std::string auto_2::shownText(int byte) const
{
    const ByteTexts texts = byteTexts(byte);
    return m_data.asciiFormat ? texts.ascii : texts.hex;
}

void auto_2::showCell(int byte) { m_view->setText(pagesCell(byte), shownText(byte)); }

void auto_2::showCells()
{
    for (int byte = kFirstPagesEditorByte; byte <= kLastPagesEditorByte; ++byte)
        showCell(byte);
}

void auto_2::showFormat()
{
    m_view->setSwitchImage(PagesControl::HexFormat, !m_data.asciiFormat);
    m_view->setSwitchImage(PagesControl::AsciiFormat, m_data.asciiFormat);
}

bool auto_2::takeCell(int byte)
{
    const std::optional<ByteTexts> texts = readCheckedCell(m_view->text(pagesCell(byte)), m_data.asciiFormat);
    if (!texts) {
        m_view->showMessage({withByteNumber(m_data.asciiFormat ? kAsciiCellMessage : kHexCellMessage, byte),
                            std::string(kMessageCaption), MessageIcon::Warning, MessageButtons::Ok});
        return false;
    }
    setByteTexts(byte, *texts);
    return true;
}

bool auto_2::takeChangedCells()
{
    for (int byte = kFirstPagesEditorByte; byte <= kLastPagesEditorByte; ++byte) {
        if (m_view->text(pagesCell(byte)) == shownText(byte))
            continue;
        if (!takeCell(byte)) {
            moveFocusTo(byte);
            return false;
        }
        showCell(byte);
    }
    return true;
}

void auto_2::moveFocusTo(int byte)
{
    m_view->setFocus(pagesCell(byte));
    m_view->selectAll(pagesCell(byte));
}

// A value the page cannot hold is reported and not cut to fit.
void auto_2::writeCounterValueIntoPage(int p)
{
    const std::optional<std::string> digits = counterValueOnPage(m_data.counterValue);
    if (!digits) {
        m_view->showMessage({std::string(kCounterValueTooLongMessage), std::string(kMessageCaption),
                            MessageIcon::Warning, MessageButtons::Ok});
        return;
    }
    const int firstByte = (p - 1) * kBytesPerPage;
    for (int i = 0; i < kBytesPerPage; ++i) {
        const std::string hex = byteToHexDigits(static_cast<std::uint8_t>((*digits)[static_cast<std::size_t>(i)]));
        setByteTexts(firstByte + i, {hex, hexStringToDisplay(hex)});
    }
}

std::string auto_2::counterPageText(int p) const
{
    std::string text;
    for (const std::string &ascii : m_data.pages[static_cast<std::size_t>(p - 1)].ascii)
        text += ascii;
    return text;
}

void auto_2::readCounterValueFromPage(int p)
{
    std::string value = formatUnsigned64(readUnsigned64(counterPageText(p)));
    if (value.size() < kCounterValueDigits)
        value.insert(0, kCounterValueDigits - value.size(), '0');
    m_data.counterValue = value;
}

} // namespace teb
