#pragma once

#include "transponder/carrier_id_operations.h"
#include "transponder/page_operations.h"

#include "support/reader_simulator.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace teb::test {

// Records the last colour of each box and the messages the operations report.
class RecordingReport : public OperationReport {
public:
    void colourPage(int page, ResultColour colour) override { colours["P" + std::to_string(page)] = colour; }
    void colourUid(ResultColour colour) override { colours["UID"] = colour; }
    void colourCarrierId(ResultColour colour) override { colours["Carrier ID"] = colour; }
    void focusPage(int) override {}
    void focusUid() override {}
    void focusCarrierId() override {}
    void show(const PageOutcome &) override {}
    void notify(const std::string &text, NoticeIcon) override { messages.push_back(text); }

    // The box's last colour; White for a box never coloured.
    ResultColour colourOf(const std::string &box) const
    {
        const auto found = colours.find(box);
        return found == colours.end() ? ResultColour::White : found->second;
    }

    std::map<std::string, ResultColour> colours;
    std::vector<std::string> messages;
};

// The page fields of a station and its link to a simulated reader: each
// operation runs on the fields as a window holds them and its outcome is
// taken back into them, as the main window does.
class OperationStation {
public:
    // Starts the simulated reader with the options and opens the port to it.
    explicit OperationStation(std::vector<std::string> simulatorOptions);

    void readPages(bool withUid)
    {
        run([&](auto &link) { return teb::readPages(link, request(), withUid); });
    }
    void writePages(bool withUid)
    {
        run([&](auto &link) { return teb::writePages(link, request(), withUid); });
    }
    void lockPages(const PageFlagArray &lockable)
    {
        run([&](auto &link) { return teb::lockPages(link, request(), lockable); });
    }
    // The carrier-ID boxes of the manual group; the carrier ID read back goes into them.
    void readCarrierId(CarrierIdEntry &boxes)
    {
        run([&](auto &link) { return teb::readCarrierId(link, boxes); }, &boxes.carrierId);
    }
    void writeCarrierId(CarrierIdEntry &boxes)
    {
        run([&](auto &link) { return teb::writeCarrierId(link, boxes).outcome; }, &boxes.carrierId);
    }
    // What the simulated transponder holds in a page, read over the same port.
    std::string pageOnTag(int page);
    // The commands the simulated reader received, without "TOR".
    std::vector<std::string> commands() const;
    void select(std::initializer_list<int> pages);

    std::unique_ptr<ReaderSimulator> simulator;
    ReaderPort port;
    PortHandle handle = kNoPort;
    bool portOpen = false;
    std::int32_t timeBase = kStartTimeBase;
    PageTextArray pageText;
    PageFlagArray pageSelected{};
    bool asciiFormat = false;
    int errorCount = 0;
    PageOutcome last; // what the last operation came to
    RecordingReport report;

private:
    template <typename Operation>
    void run(Operation operation, std::string *carrierId = nullptr)
    {
        PageOperationContext link{ReaderSession{port, handle, timeBase}, portOpen, report};
        take(operation(link), carrierId);
        timeBase = link.session.timeBase;
    }
    PageRequest request() const { return {pageSelected, pageImageOf(pageText, asciiFormat), asciiFormat}; }
    void take(const PageOutcome &outcome, std::string *carrierId);
};

} // namespace teb::test
