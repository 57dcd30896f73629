#pragma once

#include <filesystem>
#include <string>

// A power cut for the tests. A SIGKILL leaves the page cache, so every write
// reaches the disk anyway; a power cut leaves only what was made durable. The
// model: a file holds what it held at its last successful fsync/fdatasync
// (nothing when it never had one), and a folder holds the names it held at
// its own last sync. The program linked with this file has its fsync and
// fdatasync replaced (SQLite's too): in a watched folder they copy the file,
// or the folder's list of names, into a shadow folder that stands for the
// disk, and losePower() puts the folder back to that shadow.
namespace teb::test::power_cut {

// Which side of a sync a planned cut falls on.
enum class CutMoment { BeforeSync, AfterSync };

// Watches `folder` in this process; the shadow lives in `shadow` (a folder on
// the same file system). Its syncs no longer reach the real disk: the model
// alone says what is durable.
void watch(const std::filesystem::path &folder, const std::filesystem::path &shadow);
void stopWatching();
// This process dies by SIGKILL at its `syncNumber`th sync in the folder
// (counting from 1), before or after that sync took effect.
void cutAtSync(int syncNumber, CutMoment moment);
// The syncs in the watched folder so far.
int syncsSeen();

// Everything in the folder as it is now becomes durable (a set-up, or the
// disk as a restart finds it).
void makeDurable(const std::filesystem::path &folder, const std::filesystem::path &shadow);
// Where the last planned cut fell: "before <file>" or "after <file>" ("the
// folder" for a folder sync); empty when no plan cut the writer. losePower() clears it.
std::string cutNote(const std::filesystem::path &shadow);
// The folder goes back to what was durable; the writer must be dead. Links
// and other non-regular entries (the reader's COM link) are left alone.
void losePower(const std::filesystem::path &folder, const std::filesystem::path &shadow);

} // namespace teb::test::power_cut
