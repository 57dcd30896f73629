// The simulated reader spoken to over its own line, without the station's
// operations: each new transponder and the one put back.
#include "reader/reader_transaction.h"

#include "support/reader_simulator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace teb {
namespace {

using test::ReaderSimulator;

const std::string kPage1 = "3031323334353637";

// Each new transponder has the next UID (or the first one's, with
// --same-uid), and a new one is blank with the first one's locks.
TEST(SimulatorLine, EveryNewTransponderHasTheNextUidUnlessAllShareOne)
{
    for (const bool sameUid : {false, true}) {
        std::vector<std::string> options{"--uid", "E00401FE", "--lock", "3"};
        if (sameUid)
            options.push_back("--same-uid");
        ReaderSimulator simulator(options);
        ASSERT_TRUE(simulator.ready());
        ReaderPort port;
        // A time base of 250: waits of 1 s and more, for answers that do come.
        ReaderSession session{port, port.Open(simulator.devicePath(), 115200, 8, 0, 0, 0), 250};
        ASSERT_TRUE(isUsablePort(session.handle));
        const auto ask = [&](const ReaderCommand &command) { return runTransaction(session, command).kept; };
        EXPECT_EQ(ask(writePageCommand(1, kPage1)), "ACK");
        std::vector<std::string> uids{ask(readUidCommand())};
        for (int tag = 0; tag < 3; ++tag) {
            simulator.newTransponder();
            uids.push_back(ask(readUidCommand()));
        }
        const std::vector<std::string> expected = sameUid
            ? std::vector<std::string>(4, "E00401FE")
            : std::vector<std::string>{"E00401FE", "E00401FF", "E0040200", "E0040201"};
        EXPECT_EQ(uids, expected) << "same UID: " << sameUid;
        EXPECT_EQ(ask(readPageCommand(1)), "0000000000000000");
        EXPECT_EQ(ask(writePageCommand(3, kPage1)), "NAK");
    }
}

} // namespace
} // namespace teb
