#include "history/staged_file.h"

#include "common/file_layer.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace teb {
namespace {

constexpr std::size_t kPieceBytes = std::size_t{1} << 20;

bool nameTaken(const std::filesystem::path &file)
{
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(file, error));
}

// Where a replacement goes: a link is followed, so that it stays a link.
std::filesystem::path replacedFile(const std::filesystem::path &file)
{
    std::error_code error;
    const auto target = std::filesystem::canonical(file, error);
    return error ? file : target;
}

// link() refuses an existing name without a gap between look and write; a
// file system without links (FAT on a USB stick) is looked at first instead.
bool placeBesideExisting(const std::filesystem::path &temporary, const std::filesystem::path &file)
{
    if (::link(temporary.c_str(), file.c_str()) == 0) {
        ::unlink(temporary.c_str()); // left over at worst: a second name of the placed file
        return true;
    }
    if (errno == EEXIST || nameTaken(file))
        return false;
    return ::rename(temporary.c_str(), file.c_str()) == 0;
}

// A read-only file stays read-only, also for root, whom a rename would let
// replace it anyway.
bool refusedAt(const std::filesystem::path &file, StagedFile::Placing placing)
{
    if (!nameTaken(file))
        return false;
    struct stat status {};
    const bool writable = ::stat(file.c_str(), &status) == 0 && (status.st_mode & 0222) != 0 &&
                          ::access(file.c_str(), W_OK) == 0;
    return placing == StagedFile::Placing::NeverReplace || !writable;
}

} // namespace

StagedFile::StagedFile(const std::filesystem::path &file, Placing placing)
    : m_file(placing == Placing::Replace ? replacedFile(file) : file), m_placing(placing),
      m_refused(refusedAt(m_file, placing))
{
    if (!m_refused) {
        if (auto temporary = createTemporaryBeside(m_file)) {
            m_temporary = std::move(temporary->path);
            m_fd = std::move(temporary->fd);
        }
    }
    m_failed = m_refused || !m_fd.valid();
}

StagedFile::~StagedFile()
{
    m_fd.close();
    if (!m_placed && !m_temporary.empty())
        ::unlink(m_temporary.c_str());
}

void StagedFile::write(std::string_view bytes)
{
    if (m_failed)
        return;
    m_pending += bytes;
    if (m_pending.size() >= kPieceBytes)
        m_failed = !flush();
}

bool StagedFile::flush()
{
    const bool written = writeAll(m_fd.get(), m_pending).ok();
    m_pending.clear();
    return written;
}

bool StagedFile::place()
{
    if (m_failed || !flush() || ::fsync(m_fd.get()) != 0 || !m_fd.close()) {
        m_failed = true;
        return false;
    }
    const bool renamed = m_placing == Placing::Replace ? ::rename(m_temporary.c_str(), m_file.c_str()) == 0
                                                       : placeBesideExisting(m_temporary, m_file);
    if (!renamed) {
        m_failed = true;
        return false;
    }
    m_placed = true;
    // Only a synced folder holds the new name over a power loss.
    return syncDirectory(m_file.parent_path()).ok();
}

} // namespace teb
