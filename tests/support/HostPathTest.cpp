#include <gtest/gtest.h>

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

}  // namespace
}  // namespace kv
