#pragma once

#include "reader/interface_settings.h"

#include <string>

// The status strip of the main window: the port and its settings, what was
// last heard of the reader, the current set and the journal.
namespace teb {

// When the reader last answered, or since when it has not.
class ReaderActivity {
public:
    void answered(std::string time); // a line came from the reader
    void silent(std::string time);   // a command sent then went unanswered
    void forget();                   // the port was opened or closed: nothing heard yet

    const std::string &answeredAt() const { return m_answeredAt; }
    const std::string &silentSince() const { return m_silentSince; } // empty while it answers

private:
    std::string m_answeredAt;
    std::string m_silentSince;
};

struct StatusText {
    enum class Tone { Plain, Good, Bad, Quiet };
    std::string text;
    Tone tone = Tone::Plain;
};

// "COM7 115200 8N1 · open"; the flow control only when there is one.
StatusText portStatus(const InterfaceSettings &settings, bool open);
// "reader answered at hh:mm:ss" or "reader not answering since hh:mm:ss";
// without a port chosen, where to choose one.
StatusText readerStatus(const ReaderActivity &activity, const InterfaceSettings &settings, bool portOpen);
// "set Demo · journal /srv/bench/TagEncoderBench.journal", or for a shared
// journal "set Demo · journal on server db.fab.example/teb"; the journal's
// location empty when it could not be opened, its server name empty for the
// local file.
StatusText jobStatus(const std::string &setName, const std::string &journalLocation, const std::string &serverName);

// A reader button pressed while the port is closed.
std::string portClosedText(const std::string &portName);

} // namespace teb
