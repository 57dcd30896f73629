// Where the station works: its own folder when started in one, its data
// folder when started where menus start programs.
#include "params/working_folder.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace teb {
namespace {

class WorkingFolderTest : public ::testing::Test {
protected:
    StartPlace startedIn(const std::filesystem::path &current) const { return {current, home, data}; }

    test::TempDir dir;
    std::filesystem::path home = dir.path() / "home";
    std::filesystem::path data = dir.path() / "xdg";
};

// The menu entry starts the station in the home folder (or at the root): it
// works in its data folder there, unless the home folder holds its settings.
TEST_F(WorkingFolderTest, AStartInTheHomeOrRootFolderWorksInTheDataFolder)
{
    std::filesystem::create_directories(home);
    const std::filesystem::path ownData = data / "tag-encoder-bench";
    EXPECT_EQ(workingFolder({}, startedIn(home)), ownData);
    EXPECT_EQ(workingFolder({}, startedIn("/")), ownData);
    EXPECT_EQ(workingFolder({}, StartPlace{home, home, "relative"}), home / ".local/share/tag-encoder-bench");

    std::ofstream(home / "TagEncoderBench.ini") << "[Interface]\r\n";
    EXPECT_EQ(workingFolder({}, startedIn(home)), home);
}

// A folder of its own, with or without settings, stays; the options choose.
TEST_F(WorkingFolderTest, AFolderOfItsOwnOrTheOptionsChoose)
{
    const std::filesystem::path bench = dir.path() / "bench";
    std::filesystem::create_directories(bench);
    EXPECT_EQ(workingFolder({}, startedIn(bench)), bench);
    EXPECT_EQ(workingFolder({std::nullopt, true}, startedIn(bench)), data / "tag-encoder-bench");
    EXPECT_EQ(workingFolder({"line-2", false}, startedIn(bench)), bench / "line-2");
    EXPECT_EQ(workingFolder({"/srv/teb", true}, startedIn(home)), "/srv/teb");
    EXPECT_EQ(workingFolder({}, StartPlace{home, {}, {}}), home); // nowhere else to go
}

TEST_F(WorkingFolderTest, TheFolderIsMadeOnFirstStartAndAFileIsRefused)
{
    const std::filesystem::path folder = data / "tag-encoder-bench";
    EXPECT_EQ(makeWorkingFolder(folder), std::nullopt);
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_EQ(makeWorkingFolder(folder), std::nullopt);
    std::ofstream(dir.path() / "plain") << "x";
    EXPECT_NE(makeWorkingFolder(dir.path() / "plain"), std::nullopt);
}

} // namespace
} // namespace teb
