#include <gtest/gtest.h>

#include <filesystem>

#include "platform/classes/Exception.h"
#include "platform/classes/Strings.h"
#include "support/Files.h"
#include "tests/common/AsPath.h"

namespace kv {
namespace {

TEST(StringList, ChangeEventsFireOncePerChangeAndOnceAroundNestedUpdates) {
  TStringList list;
  int changing = 0, changed = 0;
  list.OnChanging = [&](TObject*) { ++changing; };
  list.OnChange = [&](TObject*) { ++changed; };
  list.Add("a");
  list.Add("b");
  EXPECT_EQ(changed, 2);
  list.BeginUpdate();
  list.BeginUpdate();
  list.Add("c");
  list.Delete(0);
  list.EndUpdate();
  EXPECT_EQ(changed, 2);
  list.EndUpdate();
  EXPECT_EQ(changed, 3);
  EXPECT_EQ(changing, 3);
  list.EndUpdate();  // never below zero
  EXPECT_EQ(list.UpdateCount(), 0);
}

TEST(StringList, CommaTextReadsAndWritesTheFrameworkForm) {
  struct Case {
    const char* text;
    std::vector<std::string> items;
    const char* written;  // what GetCommaText gives back
  };
  const Case cases[] = {
      {"Normal,\"\xDC"
       "berschrift 1\",Aufz\xE4hlung",
       {"Normal",
        "\xDC"
        "berschrift 1",
        "Aufz\xE4hlung"},
       "Normal,\"\xDC"
       "berschrift 1\",Aufz\xE4hlung"},
      {"\"\"", {""}, "\"\""},
      {"1,2,3,4,5,6,7", {"1", "2", "3", "4", "5", "6", "7"}, "1,2,3,4,5,6,7"},
      {"a b,c", {"a", "b", "c"}, "a,b,c"},  // an unquoted item ends at a blank
      {"\"say \"\"hi\"\"\",x", {"say \"hi\"", "x"}, "\"say \"\"hi\"\"\",x"},
      {"a,", {"a", ""}, "a,"},
      {"  Prozent , Pixel", {"Prozent", "Pixel"}, "Prozent,Pixel"},
      {"", {}, ""},
  };
  for (const Case& c : cases) {
    TStringList list;
    list.SetCommaText(c.text);
    ASSERT_EQ(list.Count(), static_cast<int>(c.items.size())) << c.text;
    for (size_t i = 0; i < c.items.size(); ++i)
      EXPECT_EQ(list.Get(static_cast<int>(i)), c.items[i]) << c.text;
    EXPECT_EQ(list.GetCommaText(), c.written) << c.text;
  }
}

TEST(StringList, TextSplitsAtEveryLineBreakKindAndJoinsWithCrLf) {
  TStringList list;
  list.SetText("a\r\nb\rc\nd\r\n");
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list.Get(2), "c");
  EXPECT_EQ(list.GetText(), "a\r\nb\r\nc\r\nd\r\n");
  list.SetText(std::string("x\0y", 3));  // NUL bytes are kept, not an end of text
  EXPECT_EQ(list.Get(0).size(), 3u);
}

TEST(StringList, IndexErrorsCarryTheFrameworkMessage) {
  TStringList list;
  try {
    list.Get(3);
    FAIL();
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message,
              "Listenindex \xFC"
              "berschreitet das Maximum (3)");
  }
}

TEST(StringList, FilesAreCrLfTextAndAMissingFileNamesItsPath) {
  const std::string dir =
      std::filesystem::temp_directory_path().string() + "/kv_strings_test_\xC3\xA4";
  ForceDirectories(AsPath(dir));
  const std::string file = dir + "/Ver.ini";
  TStringList out;
  out.Add("Version 9.2.6");
  out.Add("\xDC");
  out.SaveToFile(AsPath(file));
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(AsPath(file), bytes));
  EXPECT_EQ(bytes, "Version 9.2.6\r\n\xDC\r\n");
  TStringList in;
  in.LoadFromFile(AsPath(file));
  EXPECT_TRUE(in.Equals(out));
  try {
    in.LoadFromFile(AsPath(dir + "/missing.ini"));
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_NE(e.Message.find("missing.ini"), std::string::npos);
  }
  std::filesystem::remove_all(std::filesystem::path(dir));
}

TEST(StringList, SortedListsFindIgnoringCaseUnlessCaseSensitive) {
  TStringList list;
  list.Add("b");
  list.Add("A");
  list.SetSorted(true);
  EXPECT_EQ(list.Get(0), "A");
  EXPECT_EQ(list.IndexOf("a"), 0);
  list.SetCaseSensitive(true);
  EXPECT_EQ(list.IndexOf("a"), -1);
  EXPECT_THROW(list.Insert(0, "x"), EStringListError);
}

}  // namespace
}  // namespace kv
