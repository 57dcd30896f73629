#include "windows/main/log_file_label.h"

namespace teb {

std::string shortenedLogFileName(std::string_view fullName)
{
    if (fullName.size() <= kLogFileLabelLimit)
        return std::string(fullName);
    return "..." + std::string(fullName.substr(fullName.size() - kLogFileLabelLimit));
}

} // namespace teb
