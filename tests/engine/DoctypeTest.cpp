#include <gtest/gtest.h>

#include "engine/Doctype.h"

namespace kv {
namespace {

struct TDoctypeCase {
  const char* Label;
  std::string File;
  std::string Doctype;
};

class DoctypeOfPageTest : public testing::TestWithParam<TDoctypeCase> {};

TEST_P(DoctypeOfPageTest, FindsTheDeclarationAsWritten) {
  EXPECT_EQ(DoctypeOfPage(GetParam().File), GetParam().Doctype);
}

const std::string kXhtml =
    "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\"\r\n"
    " \"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">";

INSTANTIATE_TEST_SUITE_P(
    Cases, DoctypeOfPageTest,
    testing::Values(TDoctypeCase{"plain", "<!doctype html><html>", "<!doctype html>"},
                    TDoctypeCase{"multiLine", kXhtml + "\r\n<html>", kXhtml},
                    TDoctypeCase{"afterBomXmlAndComment",
                                 "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<!-- c -->\n" + kXhtml,
                                 kXhtml},
                    TDoctypeCase{"quotedGreaterThan", "<!DOCTYPE x SYSTEM \"a>b\"><x>",
                                 "<!DOCTYPE x SYSTEM \"a>b\">"},
                    TDoctypeCase{"none", "<html><head>", ""},
                    TDoctypeCase{"notAtStart", "<html><!DOCTYPE html>", ""},
                    TDoctypeCase{"unterminated", "<!DOCTYPE html", ""}),
    [](const auto& info) { return std::string(info.param.Label); });

TEST(Doctype, ComposesAndRecognisesTheParts) {
  EXPECT_EQ(ComposeDoctype("html", "", ""), "<!DOCTYPE html>");
  EXPECT_EQ(ComposeDoctype("html", "-//W3C//DTD HTML 4.01//EN", "http://x/strict.dtd"),
            "<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.01//EN\" \"http://x/strict.dtd\">");
  EXPECT_EQ(ComposeDoctype("svg", "", "s.dtd"), "<!DOCTYPE svg SYSTEM \"s.dtd\">");

  EXPECT_TRUE(DoctypeDeclares(kXhtml, "html", "-//W3C//DTD XHTML 1.0 Strict//EN",
                              "http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd"));
  EXPECT_TRUE(DoctypeDeclares("<!doctype HTML>", "html", "", ""));
  EXPECT_FALSE(DoctypeDeclares("<!DOCTYPE html>", "html", "-//W3C//DTD HTML 4.01//EN", ""));
  EXPECT_FALSE(DoctypeDeclares("<!DOCTYPE svg>", "html", "", ""));
}

}  // namespace
}  // namespace kv
