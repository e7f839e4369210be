#include <gtest/gtest.h>

#include "support/CharacterReferences.h"
#include "support/Cp1252.h"
#include "support/HostPath.h"

namespace kv {
namespace {

TEST(HostPath, BytesGoToTheSystemAndBackUnchanged) {
  for (std::string bytes : {std::string("/home/\xC5\x81ukasz/strona \xCE\xB6.html"),
                            std::string("/tmp/bad\xFF\xFE name"), std::string("a:b/c&amp;")}) {
    const THostPath p = THostPath::FromBytes(bytes);
    EXPECT_EQ(p.Sys().native(), bytes);
    EXPECT_EQ(THostPath::FromSys(p.Sys()), p);
  }
}

TEST(HostPath, PartsAndJoins) {
  const THostPath page = THostPath::FromBytes("/home/\xC5\x81\xC3\xB3\x64\xC5\xBA/a:b.html");
  EXPECT_EQ(page.Directory().Bytes(), "/home/\xC5\x81\xC3\xB3\x64\xC5\xBA");
  EXPECT_EQ(page.FileNameBytes(), "a:b.html");
  EXPECT_EQ(THostPath::FromBytes("/x").Directory().Bytes(), "/");
  EXPECT_TRUE(THostPath::FromBytes("x").Directory().IsEmpty());
  EXPECT_EQ((page.Directory() / "pic.png").Bytes(), "/home/\xC5\x81\xC3\xB3\x64\xC5\xBA/pic.png");
  EXPECT_EQ((THostPath::FromBytes("/d/") / "f").Bytes(), "/d/f");
  EXPECT_EQ(THostPath::FromBytes("/d").WithTrailingSeparator().Bytes(), "/d/");
  EXPECT_EQ(THostPath::FromBytes("rel").Absolute().Bytes().front(), '/');
}

TEST(HostPath, ShownAsCharactersAndWrittenAsPageText) {
  const THostPath p = THostPath::FromBytes("/\xC5\x81\xC3\xB3\x64\xC5\xBA/\xE2\x82\xAC&\xFF");
  EXPECT_EQ(PathForDisplay(p), U"/\u0141\u00F3d\u017A/\u20AC&\uFFFD");
  EXPECT_EQ(PathAsPageText(p),
            "/&#321;\xF3"
            "d&#378;/\x80&&#65533;");
  EXPECT_TRUE(IsValidUtf8("/\xC5\x81/\xEF\xBF\xBD"));
  EXPECT_FALSE(IsValidUtf8("/bad\xFF"));
  EXPECT_FALSE(IsValidUtf8("\xC5"));
}

TEST(HostPath, OddNamesKeepTheirBytesEverywhere) {
  // "&", a blank, the text "&amp;" and "&#321;", "%", ":", a line break, invalid UTF-8, 4000
  // bytes: the path is never changed into another one, and page text holds it as characters.
  struct TCase {
    std::string name;
    std::string pageText;
  };
  const TCase cases[] = {
      {"a & b", "a & b"},
      {"&amp;", "&amp;"},
      {"&#321;", "&#321;"},
      {"50%", "50%"},
      {"a:b", "a:b"},
      {"line\nbreak", "line\nbreak"},
      {"\xC5\x81\xC3\xB3\x64\xC5\xBA",
       "&#321;\xF3"
       "d&#378;"},
      {"M\xFCller", "M&#65533;ller"},
      {std::string(4000, 'x'), std::string(4000, 'x')},
  };
  for (const TCase& c : cases) {
    const THostPath dir = THostPath::FromBytes("/home/" + c.name);
    const THostPath page = dir / "strona.html";
    EXPECT_EQ(page.Directory(), dir);
    EXPECT_EQ(page.Sys().native(), "/home/" + c.name + "/strona.html");
    EXPECT_EQ(PathAsPageText(dir), "/home/" + c.pageText);
    EXPECT_EQ(THostPath::FromSys(page.Sys()), page);
  }
}

TEST(HostPath, APicturesAddressInThePage) {
  struct TCase {
    const char* path;
    std::u32string address;
  };
  const TCase cases[] = {
      {"/tmp/\xC5\x81\xC3\xB3\x64\xC5\xBA/a b.gif", U"file:///tmp/\u0141\u00F3d\u017A/a b.gif"},
      {"/tmp/a&b.gif", U"file:///tmp/a&b.gif"},
      {"/tmp/50%.gif", U"file:///tmp/50%25.gif"},  // escapes where a browser would decode
      {"/tmp/a#1?.gif", U"file:///tmp/a%231%3F.gif"},
      {"/tmp/M\xFC.gif", U"file:///tmp/M%FC.gif"},  // no UTF-8: the bytes, encoded
  };
  for (const TCase& c : cases)
    EXPECT_EQ(FileAddressForPage(THostPath::FromBytes(c.path)), c.address) << c.path;
}

// A message naming a path is page text shown through DecodeCharacterReferences: every name comes
// back as itself, also one that holds a reference or "&amp;" literally.
TEST(HostPath, AMessageShowsThePathAsItIs) {
  for (const char* bytes :
       {"/home/\xC5\x81ukasz/strona \xCE\xB6.html", "/a/&#321;/x.html", "/a/&amp;/&/b&#x41;.html",
        "/a/M\xC3\xBCller \xE2\x82\xAC/\xF0\x9F\x98\x80"}) {
    const THostPath path = THostPath::FromBytes(bytes);
    const std::string message = "Datei " + PathInMessage(path) + " fehlt";
    EXPECT_EQ(DecodeCharacterReferences(message), U"Datei " + PathForDisplay(path) + U" fehlt")
        << bytes;
  }
  // Text typed into a page keeps its references apart from a lone "&".
  EXPECT_EQ(DecodeCharacterReferences("&#321;\xF3"
                                      "d&#x17A; & &#; &#99999999; &amp;"),
            U"\u0141\u00F3d\u017A & &#; &#99999999; &");
}

}  // namespace
}  // namespace kv
