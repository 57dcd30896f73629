// The "next" and "max" boxes of the automatic group: leaving them and their
// spin buttons, and the carrier ID they place into the pages.
#include "windows/main/job/job_part.h"

#include "automatic/counter_arithmetic.h"
#include "automatic/page_placement.h"

namespace teb {
namespace {

StepDirection stepOf(SpinDirection direction)
{
    return direction == SpinDirection::Up ? StepDirection::Up : StepDirection::Down;
}

} // namespace

void JobPart::nextBoxLeft()
{
    m_window.takeFromControls();
    takeNextCarrierId(committedCounter(m_state.nextCarrierId, m_state.currentSet.carrierIdLength));
}

void JobPart::maxBoxLeft()
{
    m_window.takeFromControls();
    m_state.carrierIdMax = committedCounter(m_state.carrierIdMax, m_state.currentSet.carrierIdLength);
    m_window.showInControls();
}

void JobPart::nextSpinStep(SpinDirection direction)
{
    m_window.takeFromControls();
    takeNextCarrierId(steppedCounter(m_state.nextCarrierId, m_state.currentSet.carrierIdLength, stepOf(direction)),
                      direction == SpinDirection::Up);
}

void JobPart::maxSpinStep(SpinDirection direction)
{
    m_window.takeFromControls();
    m_state.carrierIdMax = steppedCounter(m_state.carrierIdMax, m_state.currentSet.carrierIdLength, stepOf(direction));
    m_window.showInControls();
}

// The operator's choice of the next carrier ID; one that a transponder holds
// is refused, and an upward step goes on to the next free one.
void JobPart::takeNextCarrierId(const std::string &carrierId, bool stepUp)
{
    const auto value = countedNumber(carrierId);
    if (value && m_state.currentSet.useDecimalCounter && carrierId != m_state.currentSet.carrierId) {
        if (stepUp && m_state.journal)
            return takeNextCarrierId(freeCarrierIdFrom(*value), false);
        if (carrierIdIssued(*value)) {
            m_state.nextCarrierId = m_state.currentSet.carrierId;
            m_window.showInControls();
            return;
        }
    }
    m_state.currentSet.carrierId = carrierId;
    m_state.nextCarrierId = carrierId;
    placeCarrierId();
    m_window.showInControls();
}

// PlaceCarrierId: nothing is placed when the carrier ID does not fit its cells.
bool JobPart::placeCarrierId()
{
    PageImage pages = m_window.pagesForPlacement();
    if (!teb::placeCarrierId(pages, m_state.currentSet, m_state.currentSet.carrierId))
        return false;
    storePlacedPages(pages);
    m_window.showPlacedPages(pages);
    return true;
}

} // namespace teb
