#include "failing_disk.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <mutex>

namespace teb::test::failing_disk {
namespace {

struct Armed {
    std::mutex mutex;
    std::atomic<bool> active{false};
    Fault fault;
    std::atomic<int> failed{0};
};

Armed &armed()
{
    static Armed state;
    return state;
}

bool fails(Call call, const char *path)
{
    Armed &state = armed();
    const std::lock_guard lock(state.mutex);
    if (!state.active || state.fault.call != call || !path || std::string_view(path).find(state.fault.name) == std::string_view::npos)
        return false;
    ++state.failed;
    errno = state.fault.error;
    return true;
}

bool fails(Call call, int fd)
{
    if (!armed().active)
        return false;
    char link[64];
    char path[4096];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t length = ::readlink(link, path, sizeof path - 1);
    if (length <= 0)
        return false;
    path[length] = '\0';
    return fails(call, path);
}

bool writes(int flags) { return (flags & (O_WRONLY | O_RDWR | O_CREAT | O_TRUNC)) != 0; }

template <typename Function>
Function next(const char *name)
{
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

mode_t modeOf(int flags, va_list arguments)
{
    return (flags & (O_CREAT | O_TMPFILE)) != 0 ? static_cast<mode_t>(va_arg(arguments, int)) : 0;
}

} // namespace

void arm(const Fault &fault)
{
    Armed &state = armed();
    const std::lock_guard lock(state.mutex);
    state.fault = fault;
    state.failed = 0;
    state.active = true;
}

void disarm()
{
    Armed &state = armed();
    const std::lock_guard lock(state.mutex);
    state.active = false;
}

int failedCalls() { return armed().failed; }

std::string callName(Call call)
{
    switch (call) {
    case Call::Open: return "open";
    case Call::Write: return "write";
    case Call::Sync: return "sync";
    case Call::Rename: return "rename";
    }
    return "?";
}

} // namespace teb::test::failing_disk

using teb::test::failing_disk::Call;
using teb::test::failing_disk::fails;
using teb::test::failing_disk::modeOf;
using teb::test::failing_disk::next;
using teb::test::failing_disk::writes;

#define TEB_OPEN_AT(function)                                                                                      \
    extern "C" int function(int folder, const char *path, int flags, ...)                                           \
    {                                                                                                              \
        va_list arguments;                                                                                         \
        va_start(arguments, flags);                                                                                \
        const mode_t mode = modeOf(flags, arguments);                                                              \
        va_end(arguments);                                                                                         \
        if (writes(flags) && fails(Call::Open, path))                                                              \
            return -1;                                                                                             \
        return next<int (*)(int, const char *, int, ...)>(#function)(folder, path, flags, mode);                  \
    }
#define TEB_OPEN(function)                                                                                         \
    extern "C" int function(const char *path, int flags, ...)                                                      \
    {                                                                                                              \
        va_list arguments;                                                                                         \
        va_start(arguments, flags);                                                                                \
        const mode_t mode = modeOf(flags, arguments);                                                              \
        va_end(arguments);                                                                                         \
        if (writes(flags) && fails(Call::Open, path))                                                              \
            return -1;                                                                                             \
        return next<int (*)(const char *, int, ...)>(#function)(path, flags, mode);                               \
    }

TEB_OPEN(open)
TEB_OPEN(open64)
TEB_OPEN_AT(openat)
TEB_OPEN_AT(openat64)

extern "C" ssize_t write(int fd, const void *bytes, size_t count)
{
    if (fails(Call::Write, fd))
        return -1;
    return next<ssize_t (*)(int, const void *, size_t)>("write")(fd, bytes, count);
}

extern "C" ssize_t pwrite(int fd, const void *bytes, size_t count, off_t offset)
{
    if (fails(Call::Write, fd))
        return -1;
    return next<ssize_t (*)(int, const void *, size_t, off_t)>("pwrite")(fd, bytes, count, offset);
}

extern "C" ssize_t pwrite64(int fd, const void *bytes, size_t count, off64_t offset)
{
    if (fails(Call::Write, fd))
        return -1;
    return next<ssize_t (*)(int, const void *, size_t, off64_t)>("pwrite64")(fd, bytes, count, offset);
}

extern "C" int fsync(int fd)
{
    if (fails(Call::Sync, fd))
        return -1;
    return next<int (*)(int)>("fsync")(fd);
}

extern "C" int fdatasync(int fd)
{
    if (fails(Call::Sync, fd))
        return -1;
    return next<int (*)(int)>("fdatasync")(fd);
}

extern "C" int rename(const char *from, const char *to)
{
    if (fails(Call::Rename, from) || fails(Call::Rename, to))
        return -1;
    return next<int (*)(const char *, const char *)>("rename")(from, to);
}

extern "C" int renameat(int fromFolder, const char *from, int toFolder, const char *to)
{
    if (fails(Call::Rename, from) || fails(Call::Rename, to))
        return -1;
    return next<int (*)(int, const char *, int, const char *)>("renameat")(fromFolder, from, toFolder, to);
}
