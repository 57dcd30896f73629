#pragma once

#include "transponder/carrier_id_operations.h"
#include "transponder/page_operations.h"

#include "support/reader_simulator.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace teb::test {

// Records what the page and carrier ID operations report: the last colour of
// each box, the focus moves and the messages.
class RecordingReport : public OperationReport {
public:
    void colourPage(int page, ResultColour colour) override { colours["P" + std::to_string(page)] = colour; }
    void colourUid(ResultColour colour) override { colours["UID"] = colour; }
    void colourCarrierId(ResultColour colour) override { colours["Carrier ID"] = colour; }
    void focusPage(int page) override { focus.push_back("P" + std::to_string(page)); }
    void focusUid() override { focus.push_back("UID"); }
    void focusCarrierId() override { focus.push_back("Carrier ID"); }
    void show(const PageOutcome &) override { ++shown; }
    void notify(const std::string &text, NoticeIcon icon) override { messages.push_back({text, icon}); }

    // The box's last colour; White for a box never coloured.
    ResultColour colourOf(const std::string &box) const
    {
        const auto found = colours.find(box);
        return found == colours.end() ? ResultColour::White : found->second;
    }
    bool coloured(const std::string &box) const { return colours.contains(box); }

    std::map<std::string, ResultColour> colours;
    std::vector<std::string> focus;
    std::vector<std::pair<std::string, NoticeIcon>> messages;
    int shown = 0;
};

// The page fields of a station and its link to a simulated reader: each
// operation runs on the fields as a window holds them and its outcome is
// taken back into them, as the main window does.
class OperationStation {
public:
    // Starts the simulated reader with the options and opens the port to it.
    explicit OperationStation(std::vector<std::string> simulatorOptions);

    void readUid();
    void readPages(bool withUid);
    bool writePages(bool withUid, std::string_view expectedUid = {}); // reachedTag
    void lockPages(const PageFlagArray &lockable);
    void readCarrierId(const std::string &offset, const std::string &length, std::string &carrierId);
    bool writeCarrierId(const std::string &offset, const std::string &length, std::string &carrierId);
    // What the simulated transponder holds in a page, read over the same port.
    std::string pageOnTag(int page);
    // The commands the simulated reader received, without "TOR".
    std::vector<std::string> commands() const;
    void select(std::initializer_list<int> pages);

    std::unique_ptr<ReaderSimulator> simulator;
    ReaderPort port;
    PortHandle handle = kNoPort;
    bool portOpen = false;
    std::int32_t timeBase = 160;
    std::string terminalText;
    PageTextArray pageText, hexTextKept, asciiTextKept;
    PageFlagArray pageSelected{}, pageSucceeded{};
    bool asciiFormat = false;
    std::string uidText;
    int errorCount = 0;
    RecordingReport report;

private:
    PageOperationContext context();
    PageRequest request() const;
    void take(const PageOutcome &outcome, std::string *carrierId = nullptr);
};

} // namespace teb::test
