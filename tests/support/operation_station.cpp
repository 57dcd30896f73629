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
    return PageOperationContext{
        ReaderSession{port, handle, timeBase, terminalText}, portOpen,
        PageFields{pageText, hexTextKept, asciiTextKept, pageSelected, asciiFormat, uidText, pageSucceeded, errorCount},
        report};
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
