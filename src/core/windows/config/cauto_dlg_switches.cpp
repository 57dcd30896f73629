// The "Config" dialog's switches: data source, family, locks and the states
// that follow from them; and where Enter and Tab move the focus.
#include "windows/config/cauto_dlg.h"

namespace teb {
namespace {

constexpr ConfigControl kWorkOrderCycle[]{ConfigControl::OperatorBadgeId, ConfigControl::PartNumber,
                                         ConfigControl::WorkOrderNumber, ConfigControl::Quantity};
constexpr ConfigControl kDecimalCounterCycle[]{ConfigControl::CarrierIdOffset, ConfigControl::CarrierIdLength,
                                              ConfigControl::CarrierId};
constexpr ConfigControl kCsvFileCycle[]{ConfigControl::CarrierIdOffset, ConfigControl::CarrierIdLength,
                                       ConfigControl::MemoryPage};

// The control after `id` in a cycle, or nothing when `id` is not in it.
template <std::size_t N>
std::optional<ConfigControl> nextInCycle(const ConfigControl (&cycle)[N], ConfigControl id)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (cycle[i] == id)
            return cycle[(i + 1) % N];
    }
    return std::nullopt;
}

} // namespace

bool CAutoDlg::isCarrierIdField(ConfigControl id) const
{
    return id == ConfigControl::CarrierIdOffset || id == ConfigControl::CarrierIdLength
           || id == ConfigControl::CarrierId || id == ConfigControl::MemoryPage;
}

void CAutoDlg::showSwitches()
{
    m_view->setSwitchImage(ConfigControl::DecimalCounterSwitch, m_set.useDecimalCounter);
    m_view->setSwitchImage(ConfigControl::CsvFileSwitch, m_set.useCsvFile);
    m_view->setSwitchImage(ConfigControl::CsvFileCompleteSwitch, m_set.csvFileComplete);
    m_view->setSwitchImage(ConfigControl::FixDataSwitch, m_set.useFixData);
    m_view->setSwitchImage(ConfigControl::TiSwitch, m_set.transponderTi);
    m_view->setSwitchImage(ConfigControl::OrvexSwitch, m_set.transponderOrvex);
    m_view->setSwitchImage(ConfigControl::LockCarrierIdSwitch, m_set.lockCarrierId);
    m_view->setSwitchImage(ConfigControl::EditPage1Switch, page(1).editable);
    m_view->setSwitchImage(ConfigControl::LockPage1Switch, page(1).locked);
    m_view->setSwitchImage(ConfigControl::EditPage2Switch, page(2).editable);
    m_view->setSwitchImage(ConfigControl::LockPage2Switch, page(2).locked);
    m_view->setSwitchImage(ConfigControl::WritePages3To17Switch, m_set.writePages3To17);
    m_view->setSwitchImage(ConfigControl::LogSwitch, m_set.logEnabled);
    for (int byte = 0; byte < kCarrierIdPageBytes; ++byte)
        m_view->setSwitchImage(fixSwitch(byte), page(byte / kBytesPerPage + 1).fixed[static_cast<std::size_t>(byte % kBytesPerPage)]);
    showMemoryMap();  // the picture shows the locks too
}

// The picture follows the carrier-ID fields and the counter page as they
// stand in the dialog, before they are checked or taken over.
void CAutoDlg::showMemoryMap()
{
    ParameterSet shown = m_set;
    shown.carrierIdOffset = m_view->text(ConfigControl::CarrierIdOffset);
    shown.carrierIdLength = m_view->text(ConfigControl::CarrierIdLength);
    shown.memoryPage = m_view->text(ConfigControl::MemoryPage);
    shown.counterPage = m_view->text(ConfigControl::CounterPageList);
    m_view->showMemoryMap(memoryMapOf(shown));
}

void CAutoDlg::setFieldEnabled(ConfigControl id, bool enabled)
{
    m_view->setEnabled(id, enabled);
    m_view->setBackground(id, enabled ? colour::White : colour::GreyBackground);
}

// Which controls the data source leaves to the operator.
void CAutoDlg::showSourceStates()
{
    const CarrierIdSource dataSource = source();
    const bool decimal = dataSource == CarrierIdSource::DecimalCounter;
    const bool csv = dataSource == CarrierIdSource::CsvFile;
    const bool complete = dataSource == CarrierIdSource::CsvFileComplete;

    setFieldEnabled(ConfigControl::CarrierIdOffset, decimal || csv);
    setFieldEnabled(ConfigControl::CarrierIdLength, decimal || csv);
    setFieldEnabled(ConfigControl::CarrierId, decimal);
    setFieldEnabled(ConfigControl::MemoryPage, csv);
    m_view->setEnabled(ConfigControl::FillButton, decimal);
    m_view->setEnabled(ConfigControl::LockCarrierIdSwitch, decimal);

    for (int byte = 0; byte < kCarrierIdPageBytes; ++byte) {
        m_view->setEnabled(hexCell(byte), !complete);
        m_view->setEnabled(asciiCell(byte), !complete);
        m_view->setEnabled(fixSwitch(byte), !complete);
    }
    for (const ConfigControl id : {ConfigControl::EditPage1Switch, ConfigControl::LockPage1Switch,
                                   ConfigControl::EditPage2Switch, ConfigControl::LockPage2Switch,
                                   ConfigControl::WritePages3To17Switch, ConfigControl::EditPagesButton,
                                   ConfigControl::CounterPageList, ConfigControl::AlignmentList})
        m_view->setEnabled(id, !complete);

    m_view->setEnabled(ConfigControl::LogSwitch, !isCsvSource(source()));
    m_view->setEnabled(ConfigControl::RecordOpenButton, !isCsvSource(source()) && m_set.logEnabled);
}

void CAutoDlg::chooseDataSource(CarrierIdSource dataSource)
{
    takeFromControls();
    m_set.useDecimalCounter = dataSource == CarrierIdSource::DecimalCounter;
    m_set.useCsvFile = dataSource == CarrierIdSource::CsvFile;
    m_set.csvFileComplete = dataSource == CarrierIdSource::CsvFileComplete;
    m_set.useFixData = dataSource == CarrierIdSource::FixData;
    switch (dataSource) {
    case CarrierIdSource::DecimalCounter:
        m_set.memoryPage = "1";
        break;
    case CarrierIdSource::CsvFile:
        m_set.carrierId.clear();
        m_set.lockCarrierId = false;
        m_set.logEnabled = true;
        break;
    case CarrierIdSource::CsvFileComplete:
        m_set.carrierIdOffset.clear();
        m_set.carrierIdLength.clear();
        m_set.carrierId.clear();
        m_set.memoryPage.clear();
        m_set.lockCarrierId = false;
        m_set.logEnabled = true;
        m_set.writePages3To17 = true;
        m_set.counterPage = "None";
        m_set.alignment = "None";
        break;
    case CarrierIdSource::FixData:
        m_set.carrierIdOffset.clear();
        m_set.carrierIdLength.clear();
        m_set.carrierId.clear();
        m_set.memoryPage = "1";
        m_set.lockCarrierId = false;
        page(1).fixed.fill(true);
        page(2).fixed.fill(true);
        break;
    }
    carrierIdIntoPages(true);
    showInControls();
    showSourceStates();
    disableOk();
}

void CAutoDlg::familyClicked(bool ti)
{
    takeFromControls();
    if (ti) {
        m_set.transponderTi = !m_set.transponderTi;
        m_set.transponderOrvex = !m_set.transponderTi;
    } else {
        m_set.transponderOrvex = !m_set.transponderOrvex;
        m_set.transponderTi = !m_set.transponderOrvex;
    }
    showSwitches();
}

// Switches that only change their own flag.
void CAutoDlg::flipSwitch(ConfigControl id)
{
    takeFromControls();
    if (const int byte = byteOfFixSwitch(id); byte >= 0) {
        bool &fixed = page(byte / kBytesPerPage + 1).fixed[static_cast<std::size_t>(byte % kBytesPerPage)];
        fixed = !fixed;
    } else if (id == ConfigControl::EditPage1Switch) {
        page(1).editable = !page(1).editable;
    } else if (id == ConfigControl::EditPage2Switch) {
        page(2).editable = !page(2).editable;
    } else if (id == ConfigControl::WritePages3To17Switch) {
        m_set.writePages3To17 = !m_set.writePages3To17;
    }
    showSwitches();
    disableOk();
}

void CAutoDlg::lockCarrierIdClicked()
{
    takeFromControls();
    m_set.lockCarrierId = !m_set.lockCarrierId;
    const int offset = carrierIdFieldValue(m_set.carrierIdOffset);
    const int length = carrierIdFieldValue(m_set.carrierIdLength);
    if (offset < kBytesPerPage)
        page(1).locked = m_set.lockCarrierId;
    if (!(offset < kBytesPerPage && offset + length < kBytesPerPage + 1))
        page(2).locked = m_set.lockCarrierId;
    showSwitches();
    disableOk();
}

void CAutoDlg::lockPageClicked(int pageNumber)
{
    takeFromControls();
    PageSetting &lockedPage = page(pageNumber);
    lockedPage.locked = !lockedPage.locked;
    if (withDecimalCounter()) {
        const int offset = carrierIdFieldValue(m_set.carrierIdOffset);
        const int end = offset + carrierIdFieldValue(m_set.carrierIdLength);
        if (pageNumber == 1) {
            if (lockedPage.locked && (end < kBytesPerPage || page(2).locked))
                m_set.lockCarrierId = true;
            else if (!lockedPage.locked && offset <= kBytesPerPage)
                m_set.lockCarrierId = false;
        } else {
            if (lockedPage.locked && (offset > kBytesPerPage || page(1).locked))
                m_set.lockCarrierId = true;
            else if (!lockedPage.locked && end > kBytesPerPage)
                m_set.lockCarrierId = false;
        }
    }
    showSwitches();
    disableOk();
}

void CAutoDlg::logClicked()
{
    takeFromControls();
    m_set.logEnabled = !m_set.logEnabled;
    showSwitches();
    showSourceStates();
    disableOk();
}

void CAutoDlg::counterPageChosen()
{
    takeFromControls();
    const std::string chosen = m_view->text(ConfigControl::CounterPageList);
    m_set.counterPage = chosen;
    if (const std::optional<int> counterPage = counterPageNumber(chosen)) {
        page(*counterPage).editable = false;
        m_set.writePages3To17 = true;
    }
    showSwitches();
    disableOk();
    if (counterPageClashes(m_set))
        warn(kCounterPageClashMessage);
}

bool CAutoDlg::moveFocusFrom(ConfigControl id)
{
    std::optional<ConfigControl> next = nextInCycle(kWorkOrderCycle, id);
    if (!next && withDecimalCounter())
        next = nextInCycle(kDecimalCounterCycle, id);
    if (!next && source() == CarrierIdSource::CsvFile)
        next = nextInCycle(kCsvFileCycle, id);
    if (!next)
        return false;
    m_view->setFocus(*next);
    m_view->selectAll(*next);
    return true;
}

} // namespace teb
