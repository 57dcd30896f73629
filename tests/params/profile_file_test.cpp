#include "params/profile_file.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

#include "support/temp_dir.h"

namespace teb {
namespace {

using namespace std::string_literals;
using namespace test;

TEST(ProfileRead, FindsTheValueAsWindowsWould)
{
    const std::array<std::string, 3> cases[] = {  // file, key in section "Auto", value
        {"[AUTO]\r\nbaudrate=9600\r\n", "Baudrate", "9600"}, {"[Auto]\nk=7", "k", "7"},
        {"[Auto]\r\n  k \t= v \r\n", "K", " v "}, {"[Auto]\r\nk=a=b\r\n", "k", "a=b"},
        {"[Auto]\r\nx=1\r\n[Data]\r\nk=2\r\n", "k", ""}, {"[Auto]\r\nk=1\r\nk=2\r\n", "k", "1"},
        {"[Auto]\r\n[Data]\r\n[auto]\r\nk=3\r\n", "k", "3"}, {"k=1\r\n[Auto]\r\n", "k", ""},
        {"[Auto]\r\nk\r\n[Data\r\nk=5\r\n", "k", "5"}, {"[Auto]\r\nk=ab\0cd\r\n"s, "k", "ab"}};
    for (const auto &[file, key, value] : cases)
        EXPECT_EQ(ProfileDocument::parse(file).value("Auto", key), value) << testing::PrintToString(file);
}

TEST(ProfileRead, LongValuesAreCutTo259CharactersAndJunkStaysStable)
{
    const std::string file = "[A]\r\nk=" + std::string(10000, 'x') + "\r\nnext=1\r\n";
    const ProfileDocument document = ProfileDocument::parse(file);
    EXPECT_EQ(document.value("A", "k"), std::string(259, 'x'));
    EXPECT_EQ(document.value("A", "next"), "1");
    EXPECT_EQ(document.serialise(), file);  // the stored value itself is kept whole

    std::mt19937 generator(42);
    std::string junk = "[A]\n";
    for (int i = 0; i < 100000; ++i)
        junk += static_cast<char>(generator() % 256);
    const std::string once = ProfileDocument::parse(junk).serialise();
    EXPECT_EQ(ProfileDocument::parse(once).serialise(), once);
}

TEST(ProfileWrite, ReplacesInPlaceAppendsToItsSectionAndKeepsOtherLines)
{
    ProfileDocument document = ProfileDocument::parse("; note\nstray=1\n[A]\nfirst=1\nSECOND=2\n\n[B]\nno equals");
    document.setValue("a", "second", "two");
    document.setValue("A", "third", "3\0junk"s);
    document.setValue("C", "c", "new\r\n[B]\r\nx=1");  // a line break cannot add keys
    EXPECT_EQ(document.serialise(), "; note\r\nstray=1\r\n[A]\r\nfirst=1\r\nSECOND=two\r\nthird=3\r\n\r\n"
                                    "[B]\r\nno equals\r\n[C]\r\nc=new\r\n");
}

TEST(ProfileFile, SaveGoesThroughALinkAndAFailedSaveLeavesNoTemporaryFile)
{
    TempDir dir;
    writeFileBytes(dir / "x.ini", "[A]\nk=1\n");
    std::filesystem::create_symlink("x.ini", dir / "link.ini");
    auto document = ProfileDocument::load(dir / "link.ini");
    ASSERT_TRUE(document && document->value("A", "k") == "1");
    document->setValue("A", "k", "2");
    ASSERT_TRUE(document->save(dir / "link.ini"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.ini"));
    EXPECT_EQ(readFileBytes(dir / "x.ini"), "[A]\r\nk=2\r\n");

    EXPECT_FALSE(document->save(dir / "missing" / "x.ini"));
    std::filesystem::create_directory(dir / "busy.ini");  // a non-empty directory cannot be replaced
    writeFileBytes(dir / "busy.ini" / "inside", "x");
    EXPECT_FALSE(document->save(dir / "busy.ini"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 3);
}

} // namespace
} // namespace teb
