#include "power_cut.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <fstream>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace teb::test::power_cut {
namespace {

// The shadow: content/<inode> holds a file's bytes at its last sync, pin/<inode>
// a hard link that keeps the inode (and so its number) alive while the shadow
// refers to it, names the folder's last synced list of "<inode> <name>" lines.
constexpr const char *kContent = "content";
constexpr const char *kPins = "pin";
constexpr const char *kNames = "names";
constexpr const char *kCutNote = "cut";

struct Watch {
    std::mutex mutex;
    bool active = false;
    fs::path folder;
    fs::path shadow;
    dev_t device = 0;
    ino_t inode = 0;
    int syncs = 0;
    int cutAt = 0;
    CutMoment moment = CutMoment::BeforeSync;
};

Watch &watched()
{
    static Watch watch;
    return watch;
}

using SyncCall = int (*)(int);

SyncCall systemCall(const char *name)
{
    return reinterpret_cast<SyncCall>(::dlsym(RTLD_NEXT, name));
}

// The power goes at a sync: the shadow notes where, for the trials' tally.
[[noreturn]] void dieNow(const Watch &watch, std::string_view synced)
{
    std::ofstream(watch.shadow / kCutNote, std::ios::binary | std::ios::trunc)
        << (watch.moment == CutMoment::BeforeSync ? "before " : "after ") << synced;
    ::kill(::getpid(), SIGKILL);
    for (;;)
        ::pause();
}

fs::path descriptorPath(int fd) { return "/proc/self/fd/" + std::to_string(fd); }

// Copies everything readable from `from` into `to`, replacing it in one step
// (a SIGKILL meanwhile leaves the old shadow copy, as the sync never returned).
bool copyInto(const fs::path &from, const fs::path &to)
{
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return false;
    const fs::path temporary = to.string() + ".tmp";
    const int out = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    bool copied = out >= 0;
    std::array<char, 1 << 16> buffer;
    off_t offset = 0;
    while (copied) {
        const ssize_t got = ::pread(in, buffer.data(), buffer.size(), offset);
        if (got <= 0) {
            copied = got == 0;
            break;
        }
        copied = ::write(out, buffer.data(), static_cast<std::size_t>(got)) == got;
        offset += got;
    }
    ::close(in);
    if (out >= 0)
        ::close(out);
    return copied && ::rename(temporary.c_str(), to.c_str()) == 0;
}

std::map<ino_t, std::string> regularFiles(const fs::path &folder)
{
    std::map<ino_t, std::string> files;
    for (const auto &entry : fs::directory_iterator(folder)) {
        struct stat status {};
        if (::lstat(entry.path().c_str(), &status) == 0 && S_ISREG(status.st_mode))
            files.emplace(status.st_ino, entry.path().filename().string());
    }
    return files;
}

void pin(const fs::path &file, const fs::path &shadow, ino_t inode, int flags)
{
    const fs::path pinned = shadow / kPins / std::to_string(inode);
    ::linkat(AT_FDCWD, file.c_str(), AT_FDCWD, pinned.c_str(), flags); // EEXIST: pinned already
}

void writeNames(const fs::path &shadow, const std::map<ino_t, std::string> &files)
{
    const fs::path temporary = shadow / (std::string(kNames) + ".tmp");
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        for (const auto &[inode, name] : files)
            out << inode << ' ' << name << '\n';
    }
    fs::rename(temporary, shadow / kNames);
}

std::multimap<ino_t, std::string> readNames(const fs::path &shadow)
{
    std::multimap<ino_t, std::string> names;
    std::ifstream in(shadow / kNames, std::ios::binary);
    ino_t inode = 0;
    std::string name;
    while (in >> inode && in.get() == ' ' && std::getline(in, name))
        names.emplace(inode, name);
    return names;
}

// What the shadow holds of inodes the folder neither names durably nor holds
// now can never be asked for again.
void forgetUnnamed(const fs::path &shadow, const std::map<ino_t, std::string> &named)
{
    for (const char *kind : {kContent, kPins}) {
        for (const auto &entry : fs::directory_iterator(shadow / kind)) {
            const std::string stem = entry.path().filename().string();
            if (stem.ends_with(".tmp") || !named.contains(static_cast<ino_t>(std::stoull(stem))))
                fs::remove(entry.path());
        }
    }
}

void syncFolder(Watch &watch)
{
    const auto files = regularFiles(watch.folder);
    for (const auto &[inode, name] : files)
        pin(watch.folder / name, watch.shadow, inode, 0);
    writeNames(watch.shadow, files);
    forgetUnnamed(watch.shadow, files);
}

void syncFile(Watch &watch, int fd, ino_t inode)
{
    copyInto(descriptorPath(fd), watch.shadow / kContent / std::to_string(inode));
    pin(descriptorPath(fd), watch.shadow, inode, AT_SYMLINK_FOLLOW);
}

std::string syncedName(int fd)
{
    std::error_code error;
    return fs::read_symlink(descriptorPath(fd), error).filename().string();
}

// The file behind a descriptor lies in the watched folder (also once unlinked).
bool inFolder(const Watch &watch, int fd)
{
    std::error_code error;
    std::string target = fs::read_symlink(descriptorPath(fd), error).string();
    if (error)
        return false;
    constexpr std::string_view kDeleted = " (deleted)";
    if (target.ends_with(kDeleted))
        target.resize(target.size() - kDeleted.size());
    return fs::path(target).parent_path() == watch.folder;
}

int modelledSync(int fd, const char *call)
{
    Watch &watch = watched();
    struct stat status {};
    std::unique_lock lock(watch.mutex);
    if (!watch.active || ::fstat(fd, &status) != 0)
        return systemCall(call)(fd);
    const bool isFolder = S_ISDIR(status.st_mode) && status.st_dev == watch.device && status.st_ino == watch.inode;
    const bool isFile = S_ISREG(status.st_mode) && inFolder(watch, fd);
    if (!isFolder && !isFile)
        return systemCall(call)(fd);
    const bool cutHere = ++watch.syncs == watch.cutAt;
    const auto synced = [&] { return isFolder ? std::string("the folder") : syncedName(fd); };
    if (cutHere && watch.moment == CutMoment::BeforeSync)
        dieNow(watch, synced());
    if (isFolder)
        syncFolder(watch);
    else
        syncFile(watch, fd, status.st_ino);
    if (cutHere)
        dieNow(watch, synced());
    return 0;
}

void makeShadowFolders(const fs::path &shadow)
{
    fs::remove_all(shadow);
    fs::create_directories(shadow / kContent);
    fs::create_directories(shadow / kPins);
}

} // namespace

void watch(const fs::path &folder, const fs::path &shadow)
{
    Watch &watch = watched();
    struct stat status {};
    const fs::path canonical = fs::canonical(folder);
    if (::stat(canonical.c_str(), &status) != 0)
        throw std::system_error(errno, std::generic_category(), "cannot watch " + folder.string());
    const std::lock_guard lock(watch.mutex);
    watch.folder = canonical;
    watch.shadow = shadow;
    watch.device = status.st_dev;
    watch.inode = status.st_ino;
    watch.syncs = 0;
    watch.cutAt = 0;
    watch.active = true;
}

void stopWatching()
{
    const std::lock_guard lock(watched().mutex);
    watched().active = false;
}

void cutAtSync(int syncNumber, CutMoment moment)
{
    const std::lock_guard lock(watched().mutex);
    watched().cutAt = syncNumber;
    watched().moment = moment;
}

int syncsSeen()
{
    const std::lock_guard lock(watched().mutex);
    return watched().syncs;
}

void makeDurable(const fs::path &folder, const fs::path &shadow)
{
    makeShadowFolders(shadow);
    const auto files = regularFiles(folder);
    for (const auto &[inode, name] : files) {
        copyInto(folder / name, shadow / kContent / std::to_string(inode));
        pin(folder / name, shadow, inode, 0);
    }
    writeNames(shadow, files);
}

std::string cutNote(const fs::path &shadow)
{
    std::ifstream in(shadow / kCutNote, std::ios::binary);
    std::string note;
    std::getline(in, note);
    return note;
}

void losePower(const fs::path &folder, const fs::path &shadow)
{
    const auto names = readNames(shadow);
    for (const auto &[inode, name] : regularFiles(folder))
        fs::remove(folder / name);
    for (const auto &[inode, name] : names) {
        const fs::path content = shadow / kContent / std::to_string(inode);
        if (fs::exists(content))
            fs::copy_file(content, folder / name);
        else
            std::ofstream(folder / name, std::ios::binary); // named, never synced: empty
    }
    makeDurable(folder, shadow);
}

} // namespace teb::test::power_cut

// Every fsync and fdatasync of the program, SQLite's included, passes here.
extern "C" int fsync(int fd) { return teb::test::power_cut::modelledSync(fd, "fsync"); }
extern "C" int fdatasync(int fd) { return teb::test::power_cut::modelledSync(fd, "fdatasync"); }
