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
    const char *key;  // always looked up in section "Auto"
    std::string expected;
};

class ProfileRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ProfileRead, FindsTheValueAsWindowsWould)
{
    EXPECT_EQ(ProfileDocument::parse(GetParam().file).value("Auto", GetParam().key), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ProfileRead,
    ::testing::Values(ReadCase{"crlfAndOtherCase", "[AUTO]\r\nbaudrate=9600\r\n", "Baudrate", "9600"},
                      ReadCase{"lfWithoutFinalNewline", "[Auto]\nk=7", "k", "7"},
                      ReadCase{"blanksAroundKeyOnlyAreIgnored", "[Auto]\r\n  k \t= v \r\n", "K", " v "},
                      ReadCase{"equalsInValue", "[Auto]\r\nk=a=b\r\n", "k", "a=b"},
                      ReadCase{"keyOfOtherSection", "[Auto]\r\nx=1\r\n[Data]\r\nk=2\r\n", "k", ""},
                      ReadCase{"firstOfTwoKeys", "[Auto]\r\nk=1\r\nk=2\r\n", "k", "1"},
                      ReadCase{"repeatedSection", "[Auto]\r\n[Data]\r\n[auto]\r\nk=3\r\n", "k", "3"},
                      ReadCase{"keyBeforeAnySection", "k=1\r\n[Auto]\r\n", "k", ""},
                      ReadCase{"lineWithoutEquals", "[Auto]\r\nk\r\nk=5\r\n", "k", "5"},
                      ReadCase{"nulEndsValue", std::string("[Auto]\r\nk=ab\0cd\r\n", 17), "k", "ab"},
                      ReadCase{"latin1Bytes", "[Auto]\r\nk=\xe4\xff\r\n", "k", "\xe4\xff"}),
    [](const auto &info) { return std::string(info.param.label); });

TEST(ProfileReadLimits, LongValuesAreCutTo259CharactersAndJunkStaysStable)
{
    const std::string file = "[A]\r\nk=" + std::string(10000, 'x') + "\r\nnext=1\r\n";
    const ProfileDocument document = ProfileDocument::parse(file);
    EXPECT_EQ(document.value("A", "k"), std::string(259, 'x'));
    EXPECT_EQ(document.value("A", "next"), "1");
    EXPECT_EQ(document.serialise(), file);  // the stored value itself is kept whole

    std::mt19937 generator(42);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string junk = "[A]\n";
    for (int i = 0; i < 100000; ++i)
        junk += static_cast<char>(byte(generator));
    const std::string once = ProfileDocument::parse(junk).serialise();
    EXPECT_EQ(ProfileDocument::parse(once).serialise(), once);
}

TEST(ProfileWrite, ReplacesInPlaceAppendsToItsSectionAndKeepsOtherLines)
{
    ProfileDocument document = ProfileDocument::parse("; note\nstray=1\n[A]\nfirst=1\nSECOND=2\n\n[B]\nno equals");
    document.setValue("a", "second", "two");
    document.setValue("A", "third", "3");
    document.setValue("C", "c", "new");
    EXPECT_EQ(document.serialise(), "; note\r\nstray=1\r\n[A]\r\nfirst=1\r\nSECOND=two\r\nthird=3\r\n\r\n"
                                    "[B]\r\nno equals\r\n[C]\r\nc=new\r\n");
}

TEST(ProfileWrite, LineBreaksInAValueCannotAddKeys)
{
    ProfileDocument document;
    document.setValue("A", "k", "v\r\n[B]\r\nx=1");
    document.setValue("A", "n", std::string("a\0b", 3));
    EXPECT_EQ(document.serialise(), "[A]\r\nk=v\r\nn=a\r\n");
}

TEST(ProfileFile, SaveCreatesReplacesAndFollowsALink)
{
    TempDir dir;
    auto document = ProfileDocument::load(dir / "x.ini");
    ASSERT_TRUE(document.has_value());
    document->setValue("A", "k", "1");
    ASSERT_TRUE(document->save(dir / "x.ini"));
    EXPECT_EQ(readFileBytes(dir / "x.ini"), "[A]\r\nk=1\r\n");

    std::filesystem::create_symlink("x.ini", dir / "link.ini");
    document = ProfileDocument::load(dir / "link.ini");
    document->setValue("A", "k", "2");
    ASSERT_TRUE(document->save(dir / "link.ini"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.ini"));
    EXPECT_EQ(readFileBytes(dir / "x.ini"), "[A]\r\nk=2\r\n");
}

TEST(ProfileFile, FailedSaveLeavesTargetAndNoTemporaryFile)
{
    TempDir dir;
    ProfileDocument document;
    document.setValue("A", "k", "1");
    EXPECT_FALSE(document.save(dir / "missing" / "x.ini"));
    std::filesystem::create_directory(dir / "busy.ini");  // a non-empty directory cannot be replaced
    writeFileBytes(dir / "busy.ini" / "inside", "x");
    EXPECT_FALSE(document.save(dir / "busy.ini"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    EXPECT_FALSE(ProfileDocument::load(dir / "busy.ini").has_value());
}

} // namespace
} // namespace teb
