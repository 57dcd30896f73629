#include "params/profile_file.h"

#include "common/sync_directory.h"
#include "common/text_case.h"
#include "common/write_all.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace teb {
namespace {

constexpr std::string_view blanks = " \t";
constexpr std::string_view lineEnd = "\r\n";
constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

std::string_view trimBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(blanks);
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
    const bool needsQuotes = !value.empty() && (blanks.find(value.front()) != std::string_view::npos ||
                                                blanks.find(value.back()) != std::string_view::npos ||
                                                isQuotedPair(value));
    return needsQuotes ? "\"" + std::string(value) + "\"" : std::string(value);
}

// FNV-1a: a name that stays the same from run to run for the same target.
std::uint64_t stableHash(std::string_view text)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : text)
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    return hash;
}

// A new file under the target's temporary name; a stale one that a killed
// save left behind is replaced. A link placed under that name is not followed.
int createTemporary(const std::filesystem::path &temporary)
{
    if (::unlink(temporary.c_str()) != 0 && errno != ENOENT)
        return -1;
    return ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
}

// The file a save really replaces: a symbolic link is followed, so the link stays.
std::filesystem::path saveTarget(const std::filesystem::path &file)
{
    std::error_code error;
    if (std::filesystem::is_symlink(file, error)) {
        const auto resolved = std::filesystem::weakly_canonical(file, error);
        if (!error)
            return resolved;
    }
    return file;
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
    if (bytes.starts_with(byteOrderMark)) {
        document.m_byteOrderMark = true;
        bytes.remove_prefix(byteOrderMark.size());
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
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return std::nullopt;
    return parse(bytes);
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
    return std::string(stored.substr(0, maxValueLength));
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
    std::string bytes(m_byteOrderMark ? byteOrderMark : std::string_view());
    const auto appendLine = [&bytes](const std::string &raw) {
        bytes += raw;
        bytes += lineEnd;
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
    const std::filesystem::path target = saveTarget(file);
    // A write-protected file stays as it is, as the profile functions leave it.
    if (::access(target.c_str(), F_OK) == 0 && ::access(target.c_str(), W_OK) != 0)
        return false;
    const std::filesystem::path temporary = temporaryPathFor(target);
    const int fd = createTemporary(temporary);
    if (fd < 0)
        return false;
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0)
        ::fchmod(fd, existing.st_mode & 07777);
    bool ok = writeAll(fd, serialise()) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    syncDirectory(target.parent_path());
    return true;
}

std::filesystem::path ProfileDocument::temporaryPathFor(const std::filesystem::path &target)
{
    char hash[17];
    const auto end = std::to_chars(hash, hash + sizeof hash, stableHash(target.filename().native()), 16).ptr;
    return target.parent_path() / (".teb-save-" + std::string(hash, end));
}

} // namespace teb
