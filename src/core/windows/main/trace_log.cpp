#include "windows/main/trace_log.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

namespace teb {
namespace {

constexpr std::string_view kSentArrow = "\xE2\x86\x92";     // →
constexpr std::string_view kReceivedArrow = "\xE2\x86\x90"; // ←
constexpr std::string_view kCrLf = "\r\n";

} // namespace

std::string traceBytes(std::string_view bytes)
{
    while (!bytes.empty() && (bytes.back() == '\r' || bytes.back() == '\n'))
        bytes.remove_suffix(1);
    std::string text;
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        if (value >= 0x20 && value < 0x7F) {
            text += byte;
        } else {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", value);
            text += escaped;
        }
    }
    return text;
}

void TraceLog::sent(const std::string &time, std::string_view bytes, std::string_view note)
{
    std::string line = time + " " + std::string(kSentArrow) + " " + traceBytes(bytes);
    if (!note.empty())
        line += " (" + std::string(note) + ")";
    add(std::move(line));
}

void TraceLog::received(const std::string &time, std::string_view bytes)
{
    add(time + " " + std::string(kReceivedArrow) + " " + traceBytes(bytes));
}

void TraceLog::unanswered(const std::string &time)
{
    add(time + " " + std::string(kReceivedArrow) + " (no answer)");
}

void TraceLog::add(std::string line)
{
    line += kCrLf;
    m_lines.push_back(std::move(line));
    if (m_lines.size() > kLineLimit)
        m_lines.pop_front();
    m_added = std::min(m_added + 1, kLineLimit);
}

std::string TraceLog::newestFirst() const
{
    std::string text;
    for (auto line = m_lines.rbegin(); line != m_lines.rend(); ++line)
        text += *line;
    return text;
}

std::string TraceLog::takeAdded()
{
    std::string text;
    for (auto line = m_lines.rbegin(); line != m_lines.rbegin() + static_cast<std::ptrdiff_t>(m_added); ++line)
        text += *line;
    m_added = 0;
    return text;
}

bool TraceLog::save(const std::filesystem::path &file, std::string &problem) const
{
    errno = 0;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    for (const std::string &line : m_lines)
        out << line;
    out.close();
    if (out)
        return true;
    problem = errno != 0 ? std::strerror(errno) : "the file could not be written";
    return false;
}

} // namespace teb
