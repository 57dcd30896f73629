#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace teb {

// A Windows profile (INI) file held in memory: "[section]" lines followed by
// "key=value" lines. Section and key names are matched without regard to
// case, blanks around a key name are ignored. Values read as Windows reads
// them: blanks around them trimmed, one pair of surrounding quotes removed, a
// CR ending them; a value written is quoted where that is needed to read it
// back unchanged. A UTF-8 byte-order mark at the start is skipped and kept.
// Lines that are neither a section nor a key (junk, keys before the first
// section) are kept as they are and written back unchanged.
class ProfileDocument {
public:
    // What a value read may hold at most (a 260-character buffer with its NUL).
    static constexpr std::size_t kMaxValueLength = 259;

    // A missing file gives an empty document; nullopt when the file exists
    // but cannot be read (no permission, a directory, a device).
    static std::optional<ProfileDocument> load(const std::filesystem::path &file);
    // Like load, but a file that cannot be read gives an empty document.
    static ProfileDocument loadOrEmpty(const std::filesystem::path &file);
    static ProfileDocument parse(std::string_view bytes);

    // The value of the first matching key: cut at a NUL byte or a CR,
    // trimmed and unquoted, then cut to kMaxValueLength characters; empty when
    // section or key is missing.
    std::string value(std::string_view section, std::string_view key) const;

    // Replaces the value of an existing key in place, or appends the key at
    // the end of its section (the section at the end of the document when it
    // is new). A value is cut at its first CR, LF or NUL, so that it can never
    // break the line structure of the file.
    void setValue(std::string_view section, std::string_view key, std::string_view value);

    // Every line ended by CR LF.
    std::string serialise() const;
    // Replaces the file as a whole (replaceFileAtomically), so it is either
    // the old or the new file, never half of one. False when any step fails
    // or the file is read-only.
    bool save(const std::filesystem::path &file) const;

private:
    struct Line {
        std::string raw;          // the line without its line end
        std::string key;          // trimmed key name; empty for non-key lines
        std::size_t valueStart = 0;
        bool isEntry = false;
    };
    struct Section {
        std::string name;
        std::string headerRaw;
        std::vector<Line> lines;
    };

    static Line makeLine(std::string raw);
    const Line *findEntry(std::string_view section, std::string_view key) const;
    Line *findEntry(std::string_view section, std::string_view key);
    Section &sectionForAppend(std::string_view section);

    bool m_byteOrderMark = false;
    std::vector<Line> m_preamble;
    std::vector<Section> m_sections;
};

} // namespace teb
