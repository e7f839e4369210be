#include <gtest/gtest.h>

#include <string>

#include "support/Paths.h"

namespace kv {
namespace {

struct TPathCase {
  TPathStyle Style;
  std::string Path;
  std::string Expected;
};

std::string StyleName(TPathStyle s) {
  return s == TPathStyle::Windows ? "Windows" : "Posix";
}

void PrintTo(const TPathCase& c, std::ostream* os) {
  *os << StyleName(c.Style) << " '" << c.Path << "'";
}

class DirectoryOfPathTest : public testing::TestWithParam<TPathCase> {};

TEST_P(DirectoryOfPathTest, GivesTheFolder) {
  EXPECT_EQ(DirectoryOfPath(GetParam().Path, GetParam().Style), GetParam().Expected);
}

using enum TPathStyle;

INSTANTIATE_TEST_SUITE_P(
    Cases, DirectoryOfPathTest,
    testing::Values(
        // A file in a drive root keeps the backslash after the colon.
        TPathCase{Windows, "C:\\index.html", "C:\\"},
        // A file in a sub-directory drops the final backslash.
        TPathCase{Windows, "C:\\web\\site\\index.html", "C:\\web\\site"},
        TPathCase{Windows, "C:\\web\\site\\", "C:\\web\\site"},
        TPathCase{Windows, "index.html", ""}, TPathCase{Windows, "", ""},
        TPathCase{Windows, "\\index.html", "\\"}, TPathCase{Windows, "C:index.html", "C:"},
        TPathCase{Windows, "C:", "C:"},
        TPathCase{Windows, "\\\\server\\share\\a.html", "\\\\server\\share"},
        TPathCase{Windows, std::string("ab\0cd", 5), std::string("ab\0", 3)},
        TPathCase{Windows, "/home/u/a.html", ""},
        TPathCase{Posix, "/home/u/web/site/index.html", "/home/u/web/site"},
        TPathCase{Posix, "/home/u/web/site/", "/home/u/web/site"},
        TPathCase{Posix, "/index.html", "/"}, TPathCase{Posix, "index.html", ""},
        TPathCase{Posix, "site/index.html", "site"}, TPathCase{Posix, "", ""},
        // Neither the colon nor the backslash separates on Linux.
        TPathCase{Posix, "C:\\web\\a.html", ""}, TPathCase{Posix, "/home/u/a:b.html", "/home/u"}));

class WithTrailingBackslashTest : public testing::TestWithParam<TPathCase> {};

TEST_P(WithTrailingBackslashTest, EndsWithTheSeparator) {
  EXPECT_EQ(WithTrailingBackslash(GetParam().Path, GetParam().Style), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WithTrailingBackslashTest,
    testing::Values(TPathCase{Windows, "", ""},
                    // A bare drive gets its backslash, another two-character name does not.
                    TPathCase{Windows, "C:", "C:\\"}, TPathCase{Windows, "ab", "ab"},
                    TPathCase{Windows, "a", "a"}, TPathCase{Windows, "abc", "abc\\"},
                    TPathCase{Windows, "C:\\web", "C:\\web\\"},
                    TPathCase{Windows, "C:\\web\\", "C:\\web\\"},
                    TPathCase{Windows, "C:\\", "C:\\"}, TPathCase{Posix, "", ""},
                    TPathCase{Posix, "a", "a/"}, TPathCase{Posix, "ab", "ab/"},
                    TPathCase{Posix, "/", "/"}, TPathCase{Posix, "/home/u", "/home/u/"},
                    TPathCase{Posix, "/home/u/", "/home/u/"}, TPathCase{Posix, "C:", "C:/"}));

class FileNamePartTest : public testing::TestWithParam<TPathCase> {};

TEST_P(FileNamePartTest, GivesTheTextAfterTheLastSeparator) {
  EXPECT_EQ(FileNamePart(GetParam().Path, GetParam().Style), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, FileNamePartTest,
                         testing::Values(TPathCase{Windows, "C:\\web\\index.html", "index.html"},
                                         TPathCase{Windows, "C:index.html", "index.html"},
                                         TPathCase{Windows, "index.html", "index.html"},
                                         TPathCase{Windows, "C:\\web\\", ""},
                                         TPathCase{Posix, "/home/u/web/index.html", "index.html"},
                                         TPathCase{Posix, "/home/u/a:b\\c.html", "a:b\\c.html"},
                                         TPathCase{Posix, "index.html", "index.html"},
                                         TPathCase{Posix, "/home/u/", ""}));

TEST(AppDirTest, ProgramFolderAlwaysEndsWithTheSeparator) {
  const auto appDir = [](const std::string& exe, TPathStyle s) {
    return WithTrailingBackslash(DirectoryOfPath(exe, s), s);
  };
  EXPECT_EQ(appDir("C:\\kavelin.exe", Windows), "C:\\");
  EXPECT_EQ(appDir("C:\\Programme\\KAVELIN\\kavelin.exe", Windows), "C:\\Programme\\KAVELIN\\");
  EXPECT_EQ(appDir("/opt/kavelin/bin/kavelin", Posix), "/opt/kavelin/bin/");
  EXPECT_EQ(appDir("/kavelin", Posix), "/");
}

TEST(HostPathStyleTest, LinuxUsesTheSlash) {
#ifndef _WIN32
  EXPECT_EQ(HostPathStyle(), Posix);
  EXPECT_EQ(DirectoryOfPath("/home/u/a.html"), "/home/u");
#endif
  EXPECT_EQ(PathSeparator(Windows), '\\');
  EXPECT_EQ(PathSeparator(Posix), '/');
}

}  // namespace
}  // namespace kv
