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

// Failed steps add up over the operations; each page box read shows its bytes.
void OperationStation::take(const PageOutcome &outcome, std::string *carrierId)
{
    last = outcome;
    for (int page = 1; page <= kPageCount; ++page) {
        const auto i = static_cast<std::size_t>(page - 1);
        if (outcome.read[i])
            pageText[i] = teb::pageText(outcome.cells.page(page), asciiFormat);
    }
    if (outcome.carrierId && carrierId)
        *carrierId = *outcome.carrierId;
    errorCount += outcome.errorCount;
}

std::string OperationStation::pageOnTag(int page)
{
    ReaderSession session{port, handle, timeBase};
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
