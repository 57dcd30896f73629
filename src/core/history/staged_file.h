#pragma once

#include "common/file_descriptor.h"

#include <filesystem>
#include <string>
#include <string_view>

// A file written under a temporary name beside its own and put in place only
// once it is whole and synced: work cancelled or failed half way leaves
// nothing under the file's name, and the temporary file is removed.
namespace teb {

class StagedFile {
public:
    enum class Placing {
        Replace,     // over an existing file (a link is followed); a read-only one is left alone
        NeverReplace // an existing file stays as it is and placing fails
    };

    StagedFile(const std::filesystem::path &file, Placing placing);
    ~StagedFile();
    StagedFile(const StagedFile &) = delete;
    StagedFile &operator=(const StagedFile &) = delete;

    // False once anything failed (the temporary file could not be made, a
    // write failed, the file may not be replaced): nothing will be placed.
    bool good() const { return !m_failed; }
    void write(std::string_view bytes);
    // Synced, renamed into place and the folder synced; false when any step failed.
    bool place();

private:
    bool flush();

    std::filesystem::path m_file;
    std::filesystem::path m_temporary;
    Placing m_placing;
    bool m_refused; // the file may not be written (over)
    FileDescriptor m_fd;
    std::string m_pending; // written in large pieces
    bool m_failed = false;
    bool m_placed = false;
};

} // namespace teb
