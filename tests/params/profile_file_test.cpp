#include "params/profile_file.h"

#include <gtest/gtest.h>

#include <random>

#include "support/temp_dir.h"

namespace teb {
namespace {

using test::readFileBytes;
using test::TempDir;
using test::writeFileBytes;

struct ReadCase {
    const char *label;
    std::string file;
    const char *section;
    const char *key;
    std::string expected;
};

class ProfileRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ProfileRead, FindsTheValueAsWindowsWould)
{
    const ReadCase &c = GetParam();
    EXPECT_EQ(ProfileDocument::parse(c.file).value(c.section, c.key), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ProfileRead,
    ::testing::Values(
        ReadCase{"crlf", "[Interface]\r\nbaudrate=9600\r\n", "Interface", "baudrate", "9600"},
        ReadCase{"lf", "[Interface]\nbaudrate=9600\n", "Interface", "baudrate", "9600"},
        ReadCase{"keyCase", "[Interface]\r\nbaudrate=9600\r\n", "Interface", "Baudrate", "9600"},
        ReadCase{"sectionCase", "[INTERFACE]\r\nBAUDRATE=19200\r\n", "Interface", "baudrate", "19200"},
        ReadCase{"blanksAroundKey", "[A]\r\n  key \t= v\r\n", "A", "KEY", " v"},
        ReadCase{"valueBlanksKept", "[Data]\r\nP1=  41 42  \r\n", "Data", "P1", "  41 42  "},
        ReadCase{"equalsInValue", "[A]\r\nk=a=b\r\n", "A", "k", "a=b"},
        ReadCase{"emptyValue", "[A]\r\nk=\r\n", "A", "k", ""},
        ReadCase{"missingKey", "[A]\r\nk=1\r\n", "A", "other", ""},
        ReadCase{"missingSection", "[A]\r\nk=1\r\n", "B", "k", ""},
        ReadCase{"keyOfOtherSection", "[A]\r\nk=1\r\n[B]\r\nj=2\r\n", "B", "k", ""},
        ReadCase{"firstOfTwoKeys", "[A]\r\nk=1\r\nk=2\r\n", "A", "k", "1"},
        ReadCase{"repeatedSection", "[A]\r\nx=1\r\n[B]\r\n[a]\r\nk=3\r\n", "A", "k", "3"},
        ReadCase{"keyBeforeAnySection", "k=1\r\n[A]\r\n", "A", "k", ""},
        ReadCase{"lineWithoutEquals", "[A]\r\nk\r\nk=5\r\n", "A", "k", "5"},
        ReadCase{"noFinalNewline", "[A]\r\nk=7", "A", "k", "7"},
        ReadCase{"bracketedSectionBlanks", "  [ A ]  \r\nk=8\r\n", "A", "k", "8"},
        ReadCase{"nulEndsValue", std::string("[A]\r\nk=ab\0cd\r\n", 14), "A", "k", "ab"},
        ReadCase{"strayCrKept", "[A]\r\nk=ab\r\r\n", "A", "k", "ab\r"},
        ReadCase{"latin1Bytes", "[A]\r\nk=\xe4\xff\r\n", "A", "k", "\xe4\xff"}),
    [](const auto &info) { return std::string(info.param.label); });

TEST(ProfileReadLimits, LongValuesAreCutTo259Characters)
{
    const std::string file = "[A]\r\nk=" + std::string(10000, 'x') + "\r\nnext=1\r\n";
    const ProfileDocument document = ProfileDocument::parse(file);
    EXPECT_EQ(document.value("A", "k"), std::string(259, 'x'));
    EXPECT_EQ(document.value("A", "next"), "1");
    // the stored value itself is not shortened
    EXPECT_EQ(document.serialise(), file);
}

TEST(ProfileReadLimits, BinaryJunkGivesBoundedValuesAndAStableRewrite)
{
    std::mt19937 generator(42);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string junk = "[A]\n";
    for (int i = 0; i < 200000; ++i)
        junk += static_cast<char>(byte(generator));
    const ProfileDocument document = ProfileDocument::parse(junk);
    EXPECT_LE(document.value("A", "k").size(), ProfileDocument::maxValueLength);
    const std::string once = document.serialise();
    EXPECT_EQ(ProfileDocument::parse(once).serialise(), once);
}

TEST(ProfileWrite, ReplacesInPlaceAndAppendsAtTheEndOfTheSection)
{
    ProfileDocument document = ProfileDocument::parse("[A]\nfirst=1\nSECOND=2\n\n[B]\nb=1\n");
    document.setValue("a", "second", "two");
    document.setValue("A", "third", "3");
    document.setValue("C", "c", "new");
    EXPECT_EQ(document.serialise(),
              "[A]\r\nfirst=1\r\nSECOND=two\r\nthird=3\r\n\r\n[B]\r\nb=1\r\n[C]\r\nc=new\r\n");
}

TEST(ProfileWrite, KeepsJunkAndLinesBeforeTheFirstSection)
{
    ProfileDocument document = ProfileDocument::parse("; note\nstray=1\n[A]\nno equals here\nk=1");
    document.setValue("A", "k", "2");
    EXPECT_EQ(document.serialise(), "; note\r\nstray=1\r\n[A]\r\nno equals here\r\nk=2\r\n");
}

TEST(ProfileWrite, LineBreaksInAValueCannotAddKeys)
{
    ProfileDocument document;
    document.setValue("A", "k", "v\r\n[B]\r\nx=1");
    document.setValue("A", "n", std::string("a\0b", 3));
    EXPECT_EQ(document.serialise(), "[A]\r\nk=v\r\nn=a\r\n");
    EXPECT_FALSE(document.contains("B", "x"));
}

TEST(ProfileFile, MissingFileReadsEmptyAndSaveCreatesIt)
{
    TempDir dir;
    auto document = ProfileDocument::load(dir / "x.ini");
    ASSERT_TRUE(document.has_value());
    EXPECT_EQ(document->value("A", "k"), "");
    document->setValue("A", "k", "1");
    ASSERT_TRUE(document->save(dir / "x.ini"));
    EXPECT_EQ(readFileBytes(dir / "x.ini"), "[A]\r\nk=1\r\n");
    EXPECT_EQ(ProfileDocument::load(dir / "x.ini")->value("a", "K"), "1");
}

TEST(ProfileFile, FailedSaveLeavesTargetAndNoTemporaryFile)
{
    TempDir dir;
    ProfileDocument document;
    document.setValue("A", "k", "1");
    EXPECT_FALSE(document.save(dir / "missing" / "x.ini"));

    // a non-empty directory in the target's place cannot be replaced
    std::filesystem::create_directory(dir / "busy.ini");
    writeFileBytes(dir / "busy.ini" / "inside", "x");
    EXPECT_FALSE(document.save(dir / "busy.ini"));
    int entries = 0;
    for ([[maybe_unused]] const auto &entry : std::filesystem::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(ProfileFile, SaveReplacesTheWholeFileAndFollowsALink)
{
    TempDir dir;
    writeFileBytes(dir / "real.ini", "[A]\nk=old\nkept=1\n");
    std::filesystem::create_symlink("real.ini", dir / "link.ini");
    auto document = ProfileDocument::load(dir / "link.ini");
    ASSERT_TRUE(document.has_value());
    document->setValue("A", "k", "new");
    ASSERT_TRUE(document->save(dir / "link.ini"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.ini"));
    EXPECT_EQ(readFileBytes(dir / "real.ini"), "[A]\r\nk=new\r\nkept=1\r\n");
}

TEST(ProfileFile, SomethingThatIsNotAFileCannotBeLoaded)
{
    TempDir dir;
    std::filesystem::create_directory(dir / "dir.ini");
    EXPECT_FALSE(ProfileDocument::load(dir / "dir.ini").has_value());
    EXPECT_EQ(ProfileDocument::loadOrEmpty(dir / "dir.ini").serialise(), "");
}

} // namespace
} // namespace teb
