#pragma once

#include "params/parameter_set.h"
#include "reader/date_time_stamp.h"
#include "records/record_entry.h"
#include "records/workbook_append.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

// The record file of the automatic cycle and the manual log.
namespace teb::records {

// Used when the name is empty, in the working directory.
inline constexpr std::string_view kDefaultRecordFileName = "TagEncoderBench.xml";
// The manual log's name when "Open" gives none.
inline constexpr std::string_view kDefaultManualLogName = "manual_log.xml";

// The file a name stands for: the default when empty, relative names in the
// working directory.
std::filesystem::path workbookPath(const std::filesystem::path &workingDirectory, std::string_view name);

// The entry for the given pages: page n is filled when filled[n-1] is set;
// its lock cell carries the mark when the set locks page n.
RecordEntry makeEntry(std::string uid, const std::array<bool, kPageCount> &filled,
                      const std::array<std::string, kPageCount> &hexTexts,
                      const std::array<std::string, kPageCount> &asciiTexts, const ParameterSet &set);

// One record of the automatic cycle. A new file sets jobHeaderPending; while
// it is set the job header block goes before the record, and it is cleared
// once the record with its header is in the file.
AppendStatus appendRecord(const std::filesystem::path &file, const RecordEntry &entry, std::string_view setName,
                          const ParameterSet &set, bool &jobHeaderPending, const WallClock &clock = systemWallClock(),
                          WorkbookFileOps &ops = WorkbookFileOps::system());

// One entry of the manual log, always with its own header rows. It leaves the
// record file's job header flag alone.
AppendStatus appendManualLog(const std::filesystem::path &file, ManualLogKind kind, const RecordEntry &entry,
                             const WallClock &clock = systemWallClock(),
                             WorkbookFileOps &ops = WorkbookFileOps::system());

} // namespace teb::records
