#include "records/record_files.h"

namespace teb::records {

std::filesystem::path workbookPath(const std::filesystem::path &workingDirectory, std::string_view name)
{
    if (name.empty())
        return workingDirectory / kDefaultRecordFileName;
    return workingDirectory / std::filesystem::path(name);
}

RecordEntry makeEntry(std::string uid, const std::array<bool, kPageCount> &filled,
                      const std::array<std::string, kPageCount> &hexTexts,
                      const std::array<std::string, kPageCount> &asciiTexts, const ParameterSet &set)
{
    RecordEntry entry;
    entry.uid = std::move(uid);
    for (std::size_t i = 0; i < entry.pages.size(); ++i) {
        if (filled[i])
            entry.pages[i] = {true, hexTexts[i], asciiTexts[i], set.pages[i].locked};
    }
    return entry;
}

AppendStatus appendRecord(const std::filesystem::path &file, const RecordEntry &entry, std::string_view setName,
                          const ParameterSet &set, bool &jobHeaderPending, const WallClock &clock,
                          WorkbookFileOps &ops)
{
    bool headerWritten = false;
    const AppendStatus status = appendToWorkbook(
        file, WorkbookKind::RecordFile,
        [&](bool fileIsNew) {
            headerWritten = jobHeaderPending || fileIsNew;
            const std::string header = headerWritten ? jobHeaderRows(setName, set) : std::string();
            return header + entryRows(entry, dateTimeStamp(clock));
        },
        ops);
    if (appended(status) && headerWritten)
        jobHeaderPending = false;
    return status;
}

AppendStatus appendManualLog(const std::filesystem::path &file, ManualLogKind kind, const RecordEntry &entry,
                             const WallClock &clock, WorkbookFileOps &ops)
{
    return appendToWorkbook(
        file, WorkbookKind::ManualLog,
        [&](bool) { return manualLogHeaderRows(kind) + entryRows(entry, dateTimeStamp(clock)); }, ops);
}

} // namespace teb::records
