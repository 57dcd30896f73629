// The "Config" dialog's pages 1 and 2: the carrier-ID window, its check, the
// byte cells and their colours.
#include "windows/config/cauto_dlg.h"

#include "transponder/byte_text.h"
#include "transponder/page_bytes.h"

namespace teb {
namespace {

constexpr Rgb kWindowGreen = Rgb::fromComponents(0, 255, 153);
constexpr Rgb kFaultyByteRed = colour::Red;
constexpr int kLastGridByte = kCarrierIdPageBytes - 1;

// A byte's HEX text that stands for one of the characters 0 .. 9.
bool isDigitText(std::string_view hex)
{
    const std::uint8_t byte = hexToByte(hex);
    return isSingleByte(hex) && byte >= '0' && byte <= '9';
}

} // namespace

ByteTexts CAutoDlg::byteTexts(int byte) const { return byteTextsAt(m_set.pages, byte); }

void CAutoDlg::setByteTexts(int byte, const ByteTexts &texts)
{
    setByteTextsAt(m_set.pages, byte, texts);
    if (byte < kCarrierIdPageBytes)
        m_typedNonDigit[static_cast<std::size_t>(byte)] = false;
}

void CAutoDlg::takeTypedByte(int byte, const ByteTexts &texts)
{
    setByteTexts(byte, texts);
    m_typedNonDigit[static_cast<std::size_t>(byte)] = !isDigitText(texts.hex);
}

// A cell stands for one byte; what the operator types into the decimal
// counter's window is a digit of the carrier ID. (A window just moved over
// older bytes is filled on "Save".)
bool CAutoDlg::isValidByte(int byte) const
{
    if (!isSingleByte(byteTexts(byte).hex))
        return false;
    const std::optional<CarrierIdWindow> window = carrierIdWindow(m_set);
    return !m_typedNonDigit[static_cast<std::size_t>(byte)] || !withDecimalCounter() || !window
           || !window->contains(byte);
}

bool CAutoDlg::cellsValid() const
{
    for (int byte = 0; byte < kCarrierIdPageBytes; ++byte) {
        if (!isValidByte(byte))
            return false;
    }
    return true;
}

// The decimal counter writes its window, so the bytes around it are cleared
// whenever it is placed. A CSV window only marks its bytes: the fixed data
// around it is cleared only when the operator has just chosen the source.
void CAutoDlg::carrierIdIntoPages(bool sourceChosen)
{
    const CarrierIdSource dataSource = source();
    if (dataSource == CarrierIdSource::CsvFileComplete)
        return;
    if (dataSource == CarrierIdSource::FixData) {
        for (int page = 1; page <= kFixablePageCount; ++page)
            m_set.pages[static_cast<std::size_t>(page - 1)].fixed.fill(true);
        return;
    }
    // A window that leaves the memory was never accepted by the check: it is
    // not placed, and nothing around it is cleared.
    const std::optional<CarrierIdWindow> window = carrierIdWindow(m_set);
    if (!window)
        return;
    if (dataSource == CarrierIdSource::DecimalCounter) {
        const std::string digits = paddedCarrierId(m_set.carrierId, window->length);
        PageCells cells;
        cells.place(window->start, std::vector<std::uint8_t>(digits.begin(), digits.end()));
        for (int byte = window->start; byte < window->end(); ++byte)
            setByteTexts(byte, {byteToHexDigits(cells.cell(byte)), byteToDisplay(cells.cell(byte))});
    }
    markWindow(*window);
    if (dataSource == CarrierIdSource::CsvFile && !sourceChosen)
        return;
    for (int byte = 0; byte < kCarrierIdPageBytes; ++byte) {
        if (isClearedAround(*window, byte))
            setByteTexts(byte, {"00", "NUL"});
    }
}

// Window bytes are carrier ID, all others fixed data; a CSV window that
// reaches beyond page 2 needs pages 3-17 written.
void CAutoDlg::markWindow(const CarrierIdWindow &window)
{
    for (int byte = 0; byte < kCarrierIdPageBytes; ++byte)
        page(byte / kBytesPerPage + 1).fixed[static_cast<std::size_t>(byte % kBytesPerPage)] = !window.contains(byte);
    if (source() == CarrierIdSource::CsvFile && window.end() > kCarrierIdPageBytes)
        m_set.writePages3To17 = true;
}

void CAutoDlg::cellConfirmed(ConfigControl id)
{
    takeFromControls();
    const bool hexSide = byteOfHexCell(id) >= 0;
    const int byte = hexSide ? byteOfHexCell(id) : byteOfAsciiCell(id);
    const std::string typed = m_view->text(id);
    takeTypedByte(byte, hexSide ? readFreeHexCell(typed) : readFreeAsciiCell(typed));
    cellEdited(byte);
    disableOk();
    const int next = byte == kLastGridByte ? 0 : byte + 1;
    const ConfigControl nextCell = hexSide ? hexCell(next) : asciiCell(next);
    m_view->setFocus(nextCell);
    m_view->selectAll(nextCell);
}

// After a cell edit: the decimal carrier ID is what its window bytes now
// read; a CSV window marks its bytes. Nothing is cleared here. A byte outside
// the window leaves the carrier ID alone: the window may have been moved
// without being filled, and its bytes are then not the carrier ID yet.
void CAutoDlg::cellEdited(int byte)
{
    if (const std::optional<CarrierIdWindow> window = carrierIdWindow(m_set)) {
        if (!withDecimalCounter())
            markWindow(*window);
        else if (window->contains(byte))
            carrierIdFromWindow();
    }
    showInControls();
}

// The decimal carrier ID as its window's bytes read, once they are all
// digits; until then the faulty cell is red and the carrier ID stays.
void CAutoDlg::carrierIdFromWindow()
{
    const std::optional<CarrierIdWindow> window = carrierIdWindow(m_set);
    if (!withDecimalCounter() || !window)
        return;
    std::string carrierId;
    for (int byte = window->start; byte < window->end(); ++byte) {
        if (!isDigitText(byteTexts(byte).hex))
            return;
        carrierId += byteTexts(byte).ascii;
    }
    m_set.carrierId = carrierId;
}

void CAutoDlg::showCells()
{
    for (int byte = 0; byte < kCarrierIdPageBytes; ++byte) {
        const ByteTexts texts = byteTexts(byte);
        m_view->setText(hexCell(byte), texts.hex);
        m_view->setText(asciiCell(byte), texts.ascii);
    }
}

void CAutoDlg::showByteColours()
{
    const std::optional<CarrierIdWindow> window = carrierIdWindow(m_set);
    for (int byte = 0; byte < kCarrierIdPageBytes; ++byte) {
        Rgb background = colour::White;
        if (!isValidByte(byte))
            background = kFaultyByteRed;
        else if (window && window->contains(byte))
            background = kWindowGreen;
        m_view->setBackground(hexCell(byte), background);
        m_view->setBackground(asciiCell(byte), background);
    }
}

void CAutoDlg::checkCarrierId()
{
    // A message box of the check takes the focus from the field, which the
    // field reports like Enter: that report must not start a second check.
    if (m_checking)
        return;
    m_checking = true;
    takeFromControls();
    const CarrierIdCheck check =
        checkCarrierIdFields(source(), {m_set.carrierIdOffset, m_set.carrierIdLength, m_set.memoryPage});
    m_set.carrierIdOffset = check.fields.offset;
    m_set.carrierIdLength = check.fields.length;
    m_set.memoryPage = check.fields.memoryPage;
    showInControls();
    for (const std::string_view message : check.messages)
        warn(message);
    if (const std::optional<std::string_view> refusal = carrierIdRefusal(m_set))
        warn(*refusal);
    disableOk();
    m_checking = false;
}

void CAutoDlg::fillCarrierId()
{
    checkCarrierId();
    carrierIdIntoPages();
    showInControls();
}

} // namespace teb
