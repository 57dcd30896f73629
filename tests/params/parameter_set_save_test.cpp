#include "params/parameter_set_save.h"

#include <gtest/gtest.h>

#include "params/parameter_set_file.h"
#include "support/temp_dir.h"

namespace teb {
namespace {

using test::readFileBytes;
using test::TempDir;
using test::writeFileBytes;

ParameterSet namedSet(const std::string &name, const std::string &quantity = "1")
{
    ParameterSet set;
    set.name = name;
    set.quantity = quantity;
    return set;
}

// Answers the overwrite question from a script and counts the questions.
struct ScriptedAnswer {
    bool answer = false;
    int asked = 0;
    OverwriteQuestion question()
    {
        return [this] {
            ++asked;
            return answer;
        };
    }
};

int filesIn(const std::filesystem::path &dir)
{
    int count = 0;
    for ([[maybe_unused]] const auto &entry : std::filesystem::directory_iterator(dir))
        ++count;
    return count;
}

TEST(SaveFlow, NewNameIsWrittenWithoutQuestionAndAppended)
{
    TempDir dir;
    SetList list({"A"});
    ScriptedAnswer answer;
    EXPECT_EQ(saveParameterSet(dir.path(), namedSet("B", "7"), list, answer.question()), SaveOutcome::Saved);
    EXPECT_EQ(answer.asked, 0);
    EXPECT_EQ(list.names(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(loadParameterSet(dir.path(), "B").quantity, "7");
}

TEST(SaveFlow, ExistingFileAndNoLeavesFileAndListUnchanged)
{
    TempDir dir;
    writeFileBytes(dir / "B.ini", "[Work order Setup]\nQuantity=3\n");
    SetList list({"A"});
    ScriptedAnswer answer{false};
    EXPECT_EQ(saveParameterSet(dir.path(), namedSet("B", "9"), list, answer.question()), SaveOutcome::Declined);
    EXPECT_EQ(answer.asked, 1);
    EXPECT_EQ(readFileBytes(dir / "B.ini"), "[Work order Setup]\nQuantity=3\n");
    EXPECT_EQ(list.names(), (std::vector<std::string>{"A"}));
    EXPECT_EQ(saveParameterSet(dir.path(), namedSet("B", "9"), list, nullptr), SaveOutcome::Declined);
}

TEST(SaveFlow, ExistingNameKeepsItsPlaceAndForeignKeysStay)
{
    TempDir dir;
    SetList list({"A", "B", "C"});
    writeFileBytes(dir / "B.ini", "[Work order Setup]\r\nQuantity=3\r\nRemark=kept\r\n");
    ScriptedAnswer answer{true};
    EXPECT_EQ(saveParameterSet(dir.path(), namedSet("B", "9"), list, answer.question()), SaveOutcome::Saved);
    EXPECT_EQ(answer.asked, 1);
    EXPECT_EQ(list.names(), (std::vector<std::string>{"A", "B", "C"}));
    const std::string written = readFileBytes(dir / "B.ini");
    EXPECT_EQ(written.rfind("[Work order Setup]\r\nQuantity=9\r\nRemark=kept\r\nOperator badge ID#=\r\n", 0), 0u)
        << written;
}

TEST(SaveFlow, ListedNameWithoutFileIsWrittenOnce)
{
    TempDir dir;
    SetList list({"A", "B"});
    ScriptedAnswer answer;
    EXPECT_EQ(saveParameterSet(dir.path(), namedSet("B"), list, answer.question()), SaveOutcome::Saved);
    EXPECT_EQ(answer.asked, 0);
    EXPECT_EQ(list.count(), 2);
}

TEST(SaveFlow, DeleteKeepsOrderAndLeavesTheFile)
{
    TempDir dir;
    SetList list;
    for (const char *name : {"A", "B", "C"})
        ASSERT_EQ(saveParameterSet(dir.path(), namedSet(name), list, nullptr), SaveOutcome::Saved);
    EXPECT_TRUE(removeSetName(list, "B"));
    EXPECT_EQ(list.names(), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(list.count(), 2);
    EXPECT_TRUE(std::filesystem::exists(dir / "B.ini"));
    EXPECT_FALSE(removeSetName(list, "B"));
    EXPECT_FALSE(removeSetName(list, ""));
    EXPECT_EQ(list.count(), 2);
}

class BadSetName : public ::testing::TestWithParam<std::string> {};

TEST_P(BadSetName, IsRefusedAndNothingIsWritten)
{
    TempDir dir;
    std::filesystem::create_directory(dir / "work");
    SetList list({"A"});
    ScriptedAnswer answer{true};
    EXPECT_EQ(saveParameterSet(dir / "work", namedSet(GetParam()), list, answer.question()), SaveOutcome::InvalidName);
    EXPECT_EQ(answer.asked, 0);
    EXPECT_EQ(list.names(), (std::vector<std::string>{"A"}));
    EXPECT_EQ(filesIn(dir.path()), 1);
    EXPECT_EQ(filesIn(dir / "work"), 0);
}

INSTANTIATE_TEST_SUITE_P(Names, BadSetName,
                         ::testing::Values("", "../outside", "..", "a..b", "sub/set", "/abs", "win\\set",
                                           "line\r\nbreak", std::string("nul\0byte", 8), "tab\tname", "del\x7f"));

TEST(SaveFlow, The257thNameIsRefusedButListedNamesStillSave)
{
    TempDir dir;
    SetList list;
    for (int i = 0; i < 256; ++i)
        ASSERT_TRUE(list.add("S" + std::to_string(i)));
    EXPECT_EQ(saveParameterSet(dir.path(), namedSet("S256"), list, nullptr), SaveOutcome::ListFull);
    EXPECT_EQ(list.count(), 256);
    EXPECT_FALSE(std::filesystem::exists(dir / "S256.ini"));
    EXPECT_EQ(saveParameterSet(dir.path(), namedSet("S5"), list, nullptr), SaveOutcome::Saved);
    EXPECT_EQ(list.count(), 256);
}

TEST(SaveFlow, UnwritablePlacesReportNoAccessAndKeepTheList)
{
    TempDir dir;
    SetList list({"A"});
    EXPECT_EQ(saveParameterSet(dir / "missing", namedSet("B"), list, nullptr), SaveOutcome::NoAccess);
    EXPECT_EQ(saveParameterSet(dir.path(), namedSet(std::string(300, 'n')), list, nullptr), SaveOutcome::NoAccess);
    std::filesystem::create_directory(dir / "D.ini");
    ScriptedAnswer yes{true};
    EXPECT_EQ(saveParameterSet(dir.path(), namedSet("D"), list, yes.question()), SaveOutcome::NoAccess);
    EXPECT_EQ(yes.asked, 1);
    EXPECT_EQ(list.names(), (std::vector<std::string>{"A"}));
}

TEST(SaveFlowMessages, EachRefusalHasItsTexts)
{
    EXPECT_EQ(saveOutcomeMessages(SaveOutcome::NoAccess),
              (std::vector<std::string_view>{"No access to ini file or path.", "Error while saving configuration set"}));
    EXPECT_EQ(saveOutcomeMessages(SaveOutcome::InvalidName), (std::vector<std::string_view>{invalidSetNameMessage}));
    EXPECT_EQ(saveOutcomeMessages(SaveOutcome::ListFull), (std::vector<std::string_view>{setListFullMessage}));
    EXPECT_TRUE(saveOutcomeMessages(SaveOutcome::Saved).empty());
    EXPECT_TRUE(saveOutcomeMessages(SaveOutcome::Declined).empty());
}

} // namespace
} // namespace teb
