#include "windows/main/pages/page_reader.h"

namespace teb {

void PageReader::take(const PageOutcome &outcome)
{
    m_pages.showFound(outcome);
    if (outcome.carrierId)
        m_window.carrierIdFound(*outcome.carrierId);
}

PageOutcome PageReader::readUid()
{
    const PageOutcome outcome = run([](PageOperationContext &context) { return teb::readUid(context); });
    take(outcome);
    return outcome;
}

PageOutcome PageReader::readPages(bool withUid)
{
    const PageDisplay &shown = m_pages.state();
    const PageRequest request{shown.pageSelected, shown.image(), shown.asciiFormat};
    const PageOutcome outcome =
        run([&](PageOperationContext &context) { return teb::readPages(context, request, withUid); });
    take(outcome);
    m_pages.setSucceeded(outcome.succeeded);
    return outcome;
}

PageOutcome PageReader::writePages(const PageImage &image, const PageFlags &selection, bool withUid,
                                   std::string_view expectedUid)
{
    const PageOutcome outcome = run([&](PageOperationContext &context) {
        return teb::writePages(context, PageRequest{selection, image, m_pages.state().asciiFormat}, withUid, expectedUid);
    });
    take(outcome);
    m_pages.setSucceeded(outcome.succeeded);
    m_window.showInControls();
    return outcome;
}

PageOutcome PageReader::lockPages(const PageFlags &pages)
{
    const PageOutcome outcome = run([&](PageOperationContext &context) {
        return teb::lockPages(context, PageRequest{pages, {}, m_pages.state().asciiFormat}, pages);
    });
    m_window.showInControls();
    return outcome;
}

TransponderReading PageReader::readTransponder(const PageFlags &pages)
{
    const TransponderReading reading =
        run([&](PageOperationContext &context) { return teb::readTransponder(context, pages); });
    take(reading.outcome);
    m_window.showInControls();
    return reading;
}

} // namespace teb
