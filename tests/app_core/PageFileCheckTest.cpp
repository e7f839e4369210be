#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "TestEnv.h"
#include "app/core/PageFileCheck.h"
#include "support/Files.h"
#include "translate/ProgramTexts.h"

namespace kv {
namespace {

using namespace std::string_literals;
using V = TPageFileVerdict;

struct TCase {
  const char* name;
  std::string bytes;  // written to the file; see the special names below
  V verdict;
};

TEST(PageFileCheckTest, SortsFilesByWhatTheyAre) {
  test::TTempFolder folder;
  const TCase cases[] = {
      {"page.html",
       "<html><body>Gr\xFC\xDF"
       "e</body></html>",
       V::Ok},
      {"empty.html", "", V::Ok},
      {"bm-text.html", "BMW and other cars, a page that begins with BM", V::Ok},
      {"late-nul.html", std::string(PageFileProbeSize, 'a') + "\0"s, V::Ok},
      {"nul.html", "<html>\0</html>"s, V::Binary},
      {"png.html", "\x89PNG\r\n\x1A\n\0\0\0\rIHDR"s, V::Picture},
      {"jpeg.html", "\xFF\xD8\xFF\xE0\0\x10JFIF"s, V::Picture},
      {"gif.html", "GIF89a\1\0\1\0"s, V::Picture},
      {"bmp.html", "BM\x46\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0"s, V::Picture},
      {"webp.html", "RIFF\x24\0\0\0WEBPVP8 "s, V::Picture},
      {"ico.html", "\0\0\1\0\1\0\x10\x10"s, V::Picture},
  };
  for (const TCase& c : cases) {
    ASSERT_TRUE(WriteFileBytes(folder.Path(c.name), c.bytes));
    EXPECT_EQ(CheckPageFile(THostPath::FromBytes(folder.File(c.name))), c.verdict) << c.name;
  }

  // The special files: a folder, a pipe, a sparse file just over the limit, nothing at all.
  ASSERT_TRUE(ForceDirectories(folder.Path("folder.html")));
  ASSERT_EQ(::mkfifo(folder.File("fifo.html").c_str(), 0600), 0);
  ASSERT_TRUE(WriteFileBytes(folder.Path("huge.html"), "<html>"));
  ASSERT_EQ(::truncate(folder.File("huge.html").c_str(), 65 * 1024 * 1024), 0);
  ASSERT_TRUE(WriteFileBytes(folder.Path("limit.html"), std::string(PageFileProbeSize, 'a')));
  ASSERT_EQ(::truncate(folder.File("limit.html").c_str(), MaxPageFileSize), 0);
  ASSERT_TRUE(WriteFileBytes(folder.Path("blocker"), "a file where a folder should be"));
  const std::pair<const char*, V> special[] = {
      {"folder.html", V::Folder},   {"fifo.html", V::Unreadable},      {"huge.html", V::TooLarge},
      {"missing.html", V::Missing}, {"blocker/page.html", V::Missing}, {"/dev/null", V::Unreadable},
  };
  for (const auto& [name, verdict] : special) {
    const std::string path = name[0] == '/' ? std::string(name) : folder.File(name);
    EXPECT_EQ(CheckPageFile(THostPath::FromBytes(path)), verdict) << name;
  }
  // Exactly the limit is still a page (its zeros lie past the first 4 KB).
  EXPECT_EQ(CheckPageFile(THostPath::FromBytes(folder.File("limit.html"))), V::Ok);
  EXPECT_EQ(CheckPageFile(THostPath()), V::Missing);
}

TEST(PageFileCheckTest, EveryRefusalHasATextNamingTheFileInBothLanguages) {
  EXPECT_TRUE(PageFileRefusalText(V::Ok).empty());
  for (const V v : {V::Missing, V::Folder, V::Unreadable, V::TooLarge, V::Binary, V::Picture}) {
    const std::string_view id = PageFileRefusalText(v);
    for (const int language : {1, 2}) {
      const std::string text = ProgramText(id, language, {"/home/u/x.html"});
      EXPECT_NE(text.find("/home/u/x.html"), std::string::npos) << id << " " << language;
    }
  }
}

TEST(PageFileCheckTest, PageNamesAreThoseOfTheOpenDialogsFirstFilter) {
  const std::string filter = "HTML-Dateien|*.htm;*.html;;*.htm;;*.shtml;*.dhtml|Alle Dateien|*.*";
  const std::pair<const char*, bool> cases[] = {
      {"/a/Seite.HTM", true}, {"/a/b.html", true},    {"/a/c.dhtml", true},
      {"/a/d.shtml", true},   {"/a/bild.png", false}, {"/a/.htm", false},
      {"/a/html", false},     {"/a.htm/page", false}, {"/a/x.html.png", false},
  };
  for (const auto& [name, page] : cases)
    EXPECT_EQ(HasPageFileExtension(THostPath::FromBytes(name), filter), page) << name;
  EXPECT_FALSE(HasPageFileExtension(THostPath::FromBytes("/a/b.html"), ""));
  EXPECT_FALSE(HasPageFileExtension(THostPath::FromBytes("/a/b.txt"), "Alle|*.*"));
}

}  // namespace
}  // namespace kv
