#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>

#include "translate/ProgramTexts.h"

namespace kv {
namespace {

TEST(ProgramTextsTest, EveryRowHasAUniqueIdAndBothLanguages) {
  std::set<std::string_view> ids;
  for (const TProgramText& t : ProgramTexts()) {
    EXPECT_TRUE(ids.insert(t.Id).second) << "twice: " << t.Id;
    EXPECT_FALSE(t.German.empty()) << t.Id;
    EXPECT_FALSE(t.English.empty()) << t.Id;
  }
}

TEST(ProgramTextsTest, LooksUpByLanguageAndFillsPlaceholders) {
  EXPECT_EQ(ProgramText("Main.HintFontSize", 1),
            "Schriftgr\xF6\xDF"
            "e");
  EXPECT_EQ(ProgramText("Main.HintFontSize", 2), "Font size");
  EXPECT_EQ(ProgramText("Main.HintFontSize", 7), "Font size");
  EXPECT_THROW(ProgramText("No.SuchText", 1), std::out_of_range);

  EXPECT_EQ(FillPlaceholders("%2 in %1, 100%", {"a.html", "Fehler"}), "Fehler in a.html, 100%");
  EXPECT_EQ(FillPlaceholders("%1%3%", {"x"}), "x%");
}

}  // namespace
}  // namespace kv
