#include "common/sync_directory.h"

#include "common/file_descriptor.h"

#include <fcntl.h>

namespace teb {

void syncDirectory(const std::filesystem::path &directory)
{
    const FileDescriptor fd(::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid())
        ::fsync(fd.get());
}

} // namespace teb
