#pragma once

#include <filesystem>
#include <optional>
#include <string>

// Where the station keeps its settings, sets, journal and records. Started
// from a folder of its own it works there; started where a menu or a desktop
// starts programs (the home folder, the root folder), it works in its data
// folder instead of strewing files there.
namespace teb {

inline constexpr std::string_view kDataFolderName = "tag-encoder-bench";

// What the command line asks for.
struct FolderRequest {
    std::optional<std::filesystem::path> folder; // --dir DIR
    bool dataFolder = false;                     // --data-folder
};

// What the process was started with.
struct StartPlace {
    std::filesystem::path current;
    std::filesystem::path home;        // $HOME; empty when unset
    std::filesystem::path xdgDataHome; // $XDG_DATA_HOME; empty when unset
};

// $XDG_DATA_HOME/tag-encoder-bench; ~/.local/share/tag-encoder-bench when
// it is unset or relative (a relative one counts as unset); empty without
// either.
std::filesystem::path dataFolder(const StartPlace &place);

// In this order: the folder asked for; the data folder when asked for; the
// current folder when it holds TagEncoderBench.ini; the data folder when the
// current folder is the home or the root folder; otherwise the current folder.
std::filesystem::path workingFolder(const FolderRequest &request, const StartPlace &place);

// The folder made (with its parents) when missing; the reason when it cannot
// be, or is no folder.
std::optional<std::string> makeWorkingFolder(const std::filesystem::path &folder);

} // namespace teb
