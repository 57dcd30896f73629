// The "next" and "max" boxes of the automatic group: leaving them and their
// spin buttons, and the carrier ID they place into the pages.
#include "windows/main/cqv58_dlg.h"

#include "automatic/counter_arithmetic.h"
#include "automatic/page_placement.h"

namespace teb {
namespace {

StepDirection stepOf(SpinDirection direction)
{
    return direction == SpinDirection::Up ? StepDirection::Up : StepDirection::Down;
}

} // namespace

void CQV58Dlg::nextBoxLeft()
{
    takeFromControls();
    takeNextCarrierId(committedCounter(m_job.nextCarrierId, m_job.currentSet.carrierIdLength));
}

void CQV58Dlg::maxBoxLeft()
{
    takeFromControls();
    m_job.carrierIdMax = committedCounter(m_job.carrierIdMax, m_job.currentSet.carrierIdLength);
    showInControls();
}

void CQV58Dlg::nextSpinStep(SpinDirection direction)
{
    takeFromControls();
    takeNextCarrierId(steppedCounter(m_job.nextCarrierId, m_job.currentSet.carrierIdLength, stepOf(direction)),
                      direction == SpinDirection::Up);
}

void CQV58Dlg::maxSpinStep(SpinDirection direction)
{
    takeFromControls();
    m_job.carrierIdMax = steppedCounter(m_job.carrierIdMax, m_job.currentSet.carrierIdLength, stepOf(direction));
    showInControls();
}

// The operator's choice of the next carrier ID; one that a transponder holds
// is refused, and an upward step goes on to the next free one.
void CQV58Dlg::takeNextCarrierId(const std::string &carrierId, bool stepUp)
{
    const auto value = countedNumber(carrierId);
    if (value && m_job.currentSet.useDecimalCounter && carrierId != m_job.currentSet.carrierId) {
        if (stepUp && m_job.journal)
            return takeNextCarrierId(freeCarrierIdFrom(*value), false);
        if (carrierIdIssued(*value)) {
            m_job.nextCarrierId = m_job.currentSet.carrierId;
            showInControls();
            return;
        }
    }
    m_job.currentSet.carrierId = carrierId;
    m_job.nextCarrierId = carrierId;
    placeCarrierId();
    showInControls();
}

// PlaceCarrierId: nothing is placed when the carrier ID does not fit its cells.
bool CQV58Dlg::placeCarrierId()
{
    PageImage pages = pagesForPlacement();
    if (!teb::placeCarrierId(pages, m_job.currentSet, m_job.currentSet.carrierId))
        return false;
    takePlacedPages(pages);
    return true;
}

} // namespace teb
