#include "params/profile_file.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

namespace teb {
namespace {

using namespace std::string_literals;

// What Windows gives, also for hand-edited files: blanks around "=", quotes, a
// byte-order mark, line ends converted twice, a lone CR.
TEST(ProfileRead, FindsTheValueAsWindowsWould)
{
    const std::array<std::string, 3> cases[] = {  // file, key in section "Auto", value
        {"[AUTO]\r\nbaudrate=9600\r\n", "Baudrate", "9600"}, {"[Auto]\nk=7", "k", "7"},
        {"[Auto]\r\n  k \t= v \r\n", "K", "v"}, {"[Auto]\r\nk=a=b\r\n", "k", "a=b"},
        {"[Auto]\r\nx=1\r\n[Data]\r\nk=2\r\n", "k", ""}, {"[Auto]\r\nk=1\r\nk=2\r\n", "k", "1"},
        {"[Auto]\r\n[Data]\r\n[auto]\r\nk=3\r\n", "k", "3"}, {"[Auto]\r\nk\r\n[Data\r\nk=5\r\n", "k", "5"},
        {"[Auto]\r\nk=ab\0cd\r\n"s, "k", "ab"}, {"[Auto]\r\nk=\" A B \"\r\n", "k", " A B "},
        {"[Auto]\r\nk='x'\r\n", "k", "x"}, {"[Auto]\r\nk=\"x'\r\n", "k", "\"x'"},
        {"\xEF\xBB\xBF[Auto]\r\nk=2\r\n", "k", "2"}, {"[Auto]\r\r\nk=COM3\r\r\n", "k", "COM3"},
        {"[Auto]\rk=1\r\n[Auto]\nk=2", "k", "2"}, {"[Auto]\r\nk=\rname\r\n", "k", ""}, {"[Auto]\r\nk=ab\rcd\r\n", "k", "ab"}};
    for (const auto &[file, key, value] : cases)
        EXPECT_EQ(ProfileDocument::parse(file).value("Auto", key), value) << testing::PrintToString(file);

    ProfileDocument withMark = ProfileDocument::parse("\xEF\xBB\xBF[Auto]\r\nk=2\r\n");
    withMark.setValue("Auto", "k", "3");
    EXPECT_EQ(withMark.serialise(), "\xEF\xBB\xBF[Auto]\r\nk=3\r\n");  // no second section
}

// Every value the station writes reads back as it was written, and load ->
// save -> load keeps every value for any bytes.
TEST(ProfileWrite, EveryValueWrittenReadsBackUnchanged)
{
    for (const std::string value : {" A B C D E F G H", "NUL NUL 1 2 3 4 5  ", "\"quoted\"", "'q'", "\"", " ", "\t",
                                     "a \"b\" c", "x"}) {
        ProfileDocument document;
        document.setValue("Data", "P1", value);
        EXPECT_EQ(ProfileDocument::parse(document.serialise()).value("Data", "P1"), value)
            << testing::PrintToString(value);
    }
    std::mt19937 generator(7);
    for (int round = 0; round < 200; ++round) {
        std::string file = "[A]\r\n";
        for (int i = 0; i < 20; ++i)
            file += static_cast<char>("k=\r\n \"'x"[generator() % 9]);
        const ProfileDocument once = ProfileDocument::parse(file);
        const ProfileDocument twice = ProfileDocument::parse(once.serialise());
        EXPECT_EQ(twice.value("A", "k"), once.value("A", "k")) << testing::PrintToString(file);
        ProfileDocument rewritten = once;
        rewritten.setValue("A", "k", once.value("A", "k"));
        EXPECT_EQ(ProfileDocument::parse(rewritten.serialise()).value("A", "k"), once.value("A", "k"));
    }
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

} // namespace
} // namespace teb
