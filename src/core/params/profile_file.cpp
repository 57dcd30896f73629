#include "params/profile_file.h"

#include "common/file_layer.h"
#include "common/text_case.h"

#include <algorithm>
#include <utility>

namespace teb {
namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view trimBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

// The section name of a "[name]" line, or nullopt for any other line.
std::optional<std::string> sectionName(std::string_view line)
{
    const std::string_view trimmed = trimBlanks(line);
    if (trimmed.empty() || trimmed.front() != '[')
        return std::nullopt;
    const auto close = trimmed.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return std::string(trimBlanks(trimmed.substr(1, close - 1)));
}

std::string_view cutAtAny(std::string_view text, std::string_view stops)
{
    return text.substr(0, std::min(text.find_first_of(stops), text.size()));
}

bool isQuote(char c) { return c == '"' || c == '\''; }

bool isQuotedPair(std::string_view text)
{
    return text.size() >= 2 && isQuote(text.front()) && text.back() == text.front();
}

// As the Windows profile functions read a value: blanks around it trimmed and
// one pair of surrounding quotes removed.
std::string_view unquoted(std::string_view stored)
{
    stored = trimBlanks(stored);
    if (isQuotedPair(stored))
        stored = stored.substr(1, stored.size() - 2);
    return stored;
}

// The stored form of a value that reads back as the value itself.
std::string quotedWhereNeeded(std::string_view value)
{
    const bool needsQuotes = !value.empty() && (kBlanks.find(value.front()) != std::string_view::npos ||
                                                kBlanks.find(value.back()) != std::string_view::npos ||
                                                isQuotedPair(value));
    return needsQuotes ? "\"" + std::string(value) + "\"" : std::string(value);
}

} // namespace

ProfileDocument::Line ProfileDocument::makeLine(std::string raw)
{
    Line line;
    const auto equals = raw.find('=');
    if (equals != std::string::npos && !sectionName(raw)) {
        line.isEntry = true;
        line.key = std::string(trimBlanks(std::string_view(raw).substr(0, equals)));
        line.valueStart = equals + 1;
    }
    line.raw = std::move(raw);
    return line;
}

ProfileDocument ProfileDocument::parse(std::string_view bytes)
{
    ProfileDocument document;
    if (bytes.starts_with(kByteOrderMark)) {
        document.m_byteOrderMark = true;
        bytes.remove_prefix(kByteOrderMark.size());
    }
    while (!bytes.empty()) {
        const auto newline = bytes.find('\n');
        std::string_view raw = bytes.substr(0, newline);
        bytes.remove_prefix(newline == std::string_view::npos ? bytes.size() : newline + 1);
        // CR CR LF (a file converted twice) ends a line like CR LF.
        while (!raw.empty() && raw.back() == '\r')
            raw.remove_suffix(1);
        if (auto name = sectionName(raw)) {
            document.m_sections.push_back({std::move(*name), std::string(raw), {}});
            continue;
        }
        auto &lines = document.m_sections.empty() ? document.m_preamble : document.m_sections.back().lines;
        lines.push_back(makeLine(std::string(raw)));
    }
    return document;
}

std::optional<ProfileDocument> ProfileDocument::load(const std::filesystem::path &file)
{
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return ProfileDocument{};
    if (error || status.type() != std::filesystem::file_type::regular)
        return std::nullopt;
    const auto bytes = readWholeFile(file);
    if (!bytes)
        return std::nullopt;
    return parse(*bytes);
}

ProfileDocument ProfileDocument::loadOrEmpty(const std::filesystem::path &file)
{
    return load(file).value_or(ProfileDocument{});
}

const ProfileDocument::Line *ProfileDocument::findEntry(std::string_view section, std::string_view key) const
{
    const std::string_view wantedKey = trimBlanks(key);
    for (const Section &candidate : m_sections) {
        if (!equalIgnoringCase(candidate.name, section))
            continue;
        for (const Line &line : candidate.lines) {
            if (line.isEntry && equalIgnoringCase(line.key, wantedKey))
                return &line;
        }
    }
    return nullptr;
}

ProfileDocument::Line *ProfileDocument::findEntry(std::string_view section, std::string_view key)
{
    return const_cast<Line *>(std::as_const(*this).findEntry(section, key));
}

std::string ProfileDocument::value(std::string_view section, std::string_view key) const
{
    const Line *line = findEntry(section, key);
    if (!line)
        return {};
    // A lone CR ends the value as the line end would, so that what is read
    // is what a save writes back.
    std::string_view stored = std::string_view(line->raw).substr(line->valueStart);
    stored = unquoted(cutAtAny(stored, std::string_view("\0\r", 2)));
    return std::string(stored.substr(0, kMaxValueLength));
}

ProfileDocument::Section &ProfileDocument::sectionForAppend(std::string_view section)
{
    const auto found = std::ranges::find_if(m_sections, [&](const Section &candidate) {
        return equalIgnoringCase(candidate.name, section);
    });
    if (found != m_sections.end())
        return *found;
    const std::string name(section);
    return m_sections.emplace_back(Section{name, "[" + name + "]", {}});
}

void ProfileDocument::setValue(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string safeValue = quotedWhereNeeded(cutAtAny(value, std::string_view("\r\n\0", 3)));
    if (Line *line = findEntry(section, key)) {
        line->raw.replace(line->valueStart, std::string::npos, safeValue);
        return;
    }
    // A new key goes behind the last non-blank line of its section, so that
    // blank lines separating it from the next section stay where they are.
    Section &target = sectionForAppend(section);
    const auto lastFilled = std::find_if(target.lines.rbegin(), target.lines.rend(), [](const Line &line) {
        return !trimBlanks(line.raw).empty();
    });
    std::string raw = std::string(trimBlanks(key)) + "=" + safeValue;
    target.lines.insert(lastFilled.base(), makeLine(std::move(raw)));
}

std::string ProfileDocument::serialise() const
{
    std::string bytes(m_byteOrderMark ? kByteOrderMark : std::string_view());
    const auto appendLine = [&bytes](const std::string &raw) {
        bytes += raw;
        bytes += kLineEnd;
    };
    for (const Line &line : m_preamble)
        appendLine(line.raw);
    for (const Section &section : m_sections) {
        appendLine(section.headerRaw);
        for (const Line &line : section.lines)
            appendLine(line.raw);
    }
    return bytes;
}

bool ProfileDocument::save(const std::filesystem::path &file) const
{
    const auto replaced = replaceFileAtomically(file, serialise());
    return replaced && *replaced == ReplaceResult::Replaced;
}

} // namespace teb
