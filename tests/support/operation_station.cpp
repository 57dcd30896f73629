#include "support/operation_station.h"


#include <gtest/gtest.h>

namespace teb::test {

OperationStation::OperationStation(std::vector<std::string> simulatorOptions)
{
    simulator = std::make_unique<ReaderSimulator>(std::move(simulatorOptions));
    if (!simulator->ready())
        return;
    port.setWorkingDirectory(simulator->directory());
    handle = port.Open(InterfaceSettings{"COM7", 115200, 8, parity::None, stopbits::One, flowcontrol::None});
    portOpen = isUsablePort(handle);
    EXPECT_TRUE(portOpen);
}

PageOperationContext OperationStation::context()
{
    return PageOperationContext{ReaderSession{port, handle, timeBase, terminalText}, portOpen, report};
}

PageRequest OperationStation::request() const { return {pageSelected, pageImageOf(pageText, asciiFormat), asciiFormat}; }

void OperationStation::take(const PageOutcome &outcome, std::string *carrierId)
{
    for (int page = 1; page <= pageCount; ++page) {
        const auto i = static_cast<std::size_t>(page - 1);
        const PageBytes bytes = outcome.cells.page(page);
        if (outcome.read[i] || outcome.sent[i]) {
            hexTextKept[i] = hexPageText(bytes);
            asciiTextKept[i] = asciiPageText(bytes);
        }
        if (outcome.read[i])
            pageText[i] = teb::pageText(bytes, asciiFormat);
    }
    if (outcome.uid)
        uidText = *outcome.uid;
    if (outcome.carrierId && carrierId)
        *carrierId = *outcome.carrierId;
}

void OperationStation::readUid()
{
    auto link = context();
    const PageOutcome outcome = teb::readUid(link);
    take(outcome);
    errorCount = outcome.errorCount;
}

void OperationStation::readPages(bool withUid)
{
    auto link = context();
    const PageOutcome outcome = teb::readPages(link, request(), withUid);
    take(outcome);
    errorCount += outcome.errorCount;
    pageSucceeded = outcome.succeeded;
}

bool OperationStation::writePages(bool withUid, std::string_view expectedUid)
{
    auto link = context();
    const PageOutcome outcome = teb::writePages(link, request(), withUid, expectedUid);
    take(outcome);
    errorCount = outcome.errorCount;
    pageSucceeded = outcome.succeeded;
    return outcome.reachedTag;
}

void OperationStation::lockPages(const PageFlagArray &lockable)
{
    auto link = context();
    errorCount = teb::lockPages(link, request(), lockable).errorCount;
}

void OperationStation::readCarrierId(const std::string &offset, const std::string &length, std::string &carrierId)
{
    auto link = context();
    take(teb::readCarrierId(link, {offset, length, carrierId, asciiFormat}), &carrierId);
}

bool OperationStation::writeCarrierId(const std::string &offset, const std::string &length, std::string &carrierId)
{
    auto link = context();
    const CarrierIdWrite write = teb::writeCarrierId(link, {offset, length, carrierId, asciiFormat});
    take(write.outcome, &carrierId);
    return write.written;
}

std::string OperationStation::pageOnTag(int page)
{
    std::string terminal;
    ReaderSession session{port, handle, timeBase, terminal};
    return runTransaction(session, readPageCommand(page)).kept;
}

std::vector<std::string> OperationStation::commands() const
{
    std::vector<std::string> withoutTor;
    for (const std::string &line : simulator->receivedLines()) {
        if (line != "TOR")
            withoutTor.push_back(line);
    }
    return withoutTor;
}

void OperationStation::select(std::initializer_list<int> pages)
{
    pageSelected.fill(false);
    for (const int page : pages)
        pageSelected[static_cast<std::size_t>(page - 1)] = true;
}

} // namespace teb::test
