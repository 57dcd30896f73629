#include "params/parameter_set_save.h"

#include <gtest/gtest.h>

#include "params/parameter_set_file.h"
#include "support/temp_dir.h"

namespace teb {
namespace {

using test::readFileBytes;
using test::TempDir;
using test::writeFileBytes;
using Names = std::vector<std::string>;

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
        return [this] { return ++asked, answer; };
    }
};

TEST(SaveFlow, NewNameIsWrittenWithoutQuestionAndAppendedOnce)
{
    TempDir dir;
    SetList list({"A", "B"});
    ScriptedAnswer answer;
    EXPECT_EQ(saveParameterSet(dir.path(), namedSet("C", "7"), list, answer.question()), SaveOutcome::Saved);
    EXPECT_EQ(saveParameterSet(dir.path(), namedSet("B"), list, answer.question()), SaveOutcome::Saved);
    EXPECT_EQ(answer.asked, 0);
    EXPECT_EQ(list.names(), (Names{"A", "B", "C"}));
    EXPECT_EQ(loadParameterSet(dir.path(), "C").quantity, "7");
}

TEST(SaveFlow, ExistingFileIsOverwrittenOnlyAfterYes)
{
    TempDir dir;
    const std::string old = "[Work order Setup]\r\nQuantity=3\r\nRemark=kept\r\n";
    writeFileBytes(dir / "B.ini", old);
    SetList list({"A", "B", "C"});
    ScriptedAnswer no{false};
    EXPECT_EQ(saveParameterSet(dir.path(), namedSet("B", "9"), list, no.question()), SaveOutcome::Declined);
    EXPECT_EQ(saveParameterSet(dir.path(), namedSet("B", "9"), list, nullptr), SaveOutcome::Declined);
    EXPECT_EQ(saveParameterSet(dir.path(), namedSet("D", "9"), list, no.question()), SaveOutcome::Saved);
    EXPECT_EQ(no.asked, 1);
    EXPECT_EQ(readFileBytes(dir / "B.ini"), old);

    ScriptedAnswer yes{true};
    EXPECT_EQ(saveParameterSet(dir.path(), namedSet("B", "9"), list, yes.question()), SaveOutcome::Saved);
    EXPECT_EQ(list.names(), (Names{"A", "B", "C", "D"}));
    // keys are replaced in place; keys the station does not know stay
    EXPECT_EQ(readFileBytes(dir / "B.ini").rfind("[Work order Setup]\r\nQuantity=9\r\nRemark=kept\r\nOperator", 0), 0u);
}

TEST(SaveFlow, DeleteKeepsOrderAndLeavesTheFile)
{
    TempDir dir;
    SetList list;
    for (const char *name : {"A", "B", "C"})
        ASSERT_EQ(saveParameterSet(dir.path(), namedSet(name), list, nullptr), SaveOutcome::Saved);
    EXPECT_TRUE(removeSetName(list, "B"));
    EXPECT_FALSE(removeSetName(list, "B"));
    EXPECT_EQ(list.names(), (Names{"A", "C"}));
    EXPECT_EQ(list.count(), 2);
    EXPECT_TRUE(std::filesystem::exists(dir / "B.ini"));
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
    EXPECT_EQ(list.names(), (Names{"A"}));
    EXPECT_EQ(std::distance(std::filesystem::recursive_directory_iterator(dir.path()), {}), 1);
}

INSTANTIATE_TEST_SUITE_P(Names, BadSetName,
                         ::testing::Values("", "../outside", "..", "a..b", "sub/set", "/abs", "win\\set",
                                           "line\r\nbreak", std::string("nul\0byte", 8), "tab\tname"));

TEST(SaveFlow, The257thNameIsRefusedButListedNamesStillSave)
{
    TempDir dir;
    SetList list;
    for (int i = 0; i < 256; ++i)
        ASSERT_TRUE(list.add("S" + std::to_string(i)));
    EXPECT_FALSE(list.add("S256"));
    EXPECT_EQ(saveParameterSet(dir.path(), namedSet("S256"), list, nullptr), SaveOutcome::ListFull);
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
    EXPECT_EQ(saveParameterSet(dir.path(), namedSet(std::string(251, 'n')), list, nullptr), SaveOutcome::Saved);
    std::filesystem::create_directory(dir / "D.ini");
    ScriptedAnswer yes{true};
    EXPECT_EQ(saveParameterSet(dir.path(), namedSet("D"), list, yes.question()), SaveOutcome::NoAccess);
    EXPECT_EQ(yes.asked, 1);
    EXPECT_EQ(list.names(), (Names{"A", std::string(251, 'n')}));
    const std::vector<std::string_view> messages{"No access to ini file or path.",
                                                 "Error while saving configuration set"};
    EXPECT_EQ(saveOutcomeMessages(SaveOutcome::NoAccess), messages);
}

} // namespace
} // namespace teb
