#pragma once

#include <cstddef>
#include <deque>
#include <filesystem>
#include <string>
#include <string_view>

namespace teb {

// Every exchange with the reader, manual and automatic, as time-stamped lines
// with their direction: "14:03:22.123 → WD 3 3031323334353637" for what was
// sent, "14:03:22.215 ← ACK" for what came back. The lines are UTF-8 (the
// arrows); bytes of the exchange outside printable ASCII show as \xNN. The
// newest kLineLimit lines are kept.
class TraceLog {
public:
    static constexpr std::size_t kLineLimit = 5000;

    void sent(const std::string &time, std::string_view bytes, std::string_view note = {});
    void received(const std::string &time, std::string_view bytes);
    void unanswered(const std::string &time);

    // Every line kept, newest first, each ended by CR LF.
    std::string newestFirst() const;
    // The lines added since the last call (or skipAdded), newest first.
    std::string takeAdded();
    void skipAdded() { m_added = 0; } // nobody shows them
    // Writes the lines kept, oldest first, to the file (replacing it).
    bool save(const std::filesystem::path &file, std::string &problem) const;

private:
    void add(std::string line);

    std::deque<std::string> m_lines; // oldest first, each ended by CR LF
    std::size_t m_added = 0;         // lines added since takeAdded
};

// The bytes of an exchange as a trace line shows them: the line end dropped,
// printable ASCII as it is, every other byte as \xNN.
std::string traceBytes(std::string_view bytes);

} // namespace teb
