// Rows, the stored byte format and the windows' stored tables.
#include <gtest/gtest.h>

#include <random>

#include "FakeComponents.h"
#include "support/Files.h"
#include "tests/common/AsPath.h"
#include "translate/LangLocales.h"
#include "translate/LangRows.h"
#include "translate/PayloadCheck.h"
#include "translate/TranslationData.h"
#include "translate/tables/TableSource.h"

namespace kv {
namespace {

const char D = '\x01';

std::string Row(std::string_view key, std::string_view de, std::string_view en) {
  return MakeRow(key, {de, en}, D);
}

// ---- Rows -------------------------------------------------------------------------------------

struct ColumnCase {
  std::string row;
  int column;
  std::string expected;
};

TEST(Rows, ColumnsAreCutAtDelimiters) {
  const std::vector<ColumnCase> cases = {
      {"ToolButton21\x01ToolButton1\x01\x01", 0, "ToolButton21"},
      {"ToolButton21\x01ToolButton1\x01\x01", 1, "ToolButton1"},
      {"ToolButton21\x01ToolButton1\x01\x01", 2, ""},
      {"ToolButton21\x01ToolButton1\x01\x01", 3, ""},
      {"Key\x01"
       "a\x01"
       "b\x01",
       4, ""},            // beyond the last delimiter
      {"Key", 0, "Key"},  // no delimiter: the whole row is the key
      {"Key", 1, ""},
      {"\x01"
       "Key\x01"
       "a\x01",
       0,
       "\x01"
       "Key"},  // the first byte is never a delimiter
      {"Key\x01"
       "a\x01"
       "b",
       2, "b"},  // a last cell without its closing delimiter
      {"", 0, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(GetColumn(c.row, c.column, D), c.expected) << c.row << " #" << c.column;
}

TEST(Rows, NormalisationTrimsPadsShrinksAndChangesTheDelimiter) {
  std::string trimmed =
      "K\x01"
      "a\x01"
      "b\x01\x01\x01";
  TrimRow(trimmed, 2, D);
  EXPECT_EQ(trimmed, Row("K", "a", "b"));

  TStringList rows;
  rows.Add(
      "K\x01"
      "a");  // one delimiter: padded to three
  rows.Add(Row("L", "x", "y"));
  PadRows(rows, 2, D);
  EXPECT_EQ(rows[0],
            "K\x01"
            "a\x01\x01");
  EXPECT_EQ(rows[1], Row("L", "x", "y"));

  ShrinkRows(rows, 1, D);
  EXPECT_EQ(rows[1], "L\x01x\x01");

  ReplaceDelim(rows, D, '\t');
  EXPECT_EQ(rows[1], "L\tx\t");
}

TEST(Rows, OnlyRowsWithoutAnyCellCountAsEmpty) {
  EXPECT_TRUE(RowHasOnlyKey(Row("K", "", ""), 2, D));
  EXPECT_FALSE(RowHasOnlyKey(Row("K", "de", ""), 2, D));
  EXPECT_FALSE(RowHasOnlyKey(Row("K", "", "en"), 2, D));
}

// ---- ReadTranslationData / WriteTranslationData ----------------------------------------------

class StoredFormat : public ::testing::Test {
 protected:
  StoredFormat() {
    for (int i = 0; i < kTableCount; ++i) set[i] = &lists[i];
    options.WindowClassName = "TMainForm";
  }
  TStringList& Table(TStringsType t) { return lists[t]; }
  void Read(const std::string& payload) { ReadTranslationData(payload, set, options); }

  std::array<TStringList, kTableCount> lists;
  TTableSet set{};
  TReadOptions options;
};

TEST_F(StoredFormat, WriterEmitsEveryHeaderAndEscapesLineBreaks) {
  Table(stHints).Add(Row("Memo1", "zwei\r\nZeilen", "two\nlines"));
  const std::string out = WriteTranslationData(set);
  EXPECT_EQ(out.substr(0, 14), "stCaptions\r\nst");
  EXPECT_NE(
      out.find("stHints\r\nMemo1\x01zwei\x19\x1AZeilen\x01two\x1Alines\x01\r\nstDisplayLabels\r\n"),
      std::string::npos);
  EXPECT_EQ(out.substr(out.size() - 12), "stCharSets\r\n");
  EXPECT_EQ(out.find("stListView"), std::string::npos);

  Table(stHints).Clear();
  Read(out);
  EXPECT_EQ(Table(stHints)[0], Row("Memo1", "zwei\r\nZeilen", "two\nlines"));
}

TEST_F(StoredFormat, ReaderAcceptsWhatTheFormatAllows) {
  // Lower-case headers, the "_Unicode" suffix, lone CR or LF line ends, the window's own row
  // moved to the front, an unknown section skipped.
  Read(
      "stcaptions\rLabel1\x01"
      "a\x01"
      "b\x01\nTMainForm\x01K\x01K\x01\r\nSTHINTS_Unicode\r\nX\x01y\x01z\x01\r\n"
      "stListView_TreeView_Items\r\nignored\r\nstStrings\r\nIDS_1\x01"
      "eins\x01one\x01\r\n");
  ASSERT_EQ(Table(stCaptions).Count(), 2);
  EXPECT_EQ(Table(stCaptions)[0], Row("TMainForm", "K", "K"));
  EXPECT_EQ(Table(stCaptions)[1], Row("Label1", "a", "b"));
  EXPECT_EQ(Table(stHints).Count(), 1);
  EXPECT_EQ(Table(stStrings).Count(), 1);
}

TEST_F(StoredFormat, ReaderIgnoresWhatIsNotInTheFormat) {
  Table(stCaptions).Add("kept");
  Read(
      "Label1\x01"
      "a\x01"
      "b\x01\r\nmore text\r\n");  // rows before any header
  EXPECT_EQ(Table(stCaptions).Count(), 1);
  Read("stCaptions");  // a header on the very last line
  EXPECT_EQ(Table(stCaptions).Count(), 1);
  Read("s");
  Read("");
  EXPECT_EQ(Table(stCaptions)[0], "kept");
}

TEST_F(StoredFormat, Utf16PayloadsAreConvertedToWindows1252) {
  const std::u16string text = u"stCaptions\r\nLabel1\x01\u00DCbersicht\x01Overview\x01\r\n";
  std::string bytes;
  for (char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  Read(bytes);
  ASSERT_EQ(Table(stCaptions).Count(), 1);
  EXPECT_EQ(Table(stCaptions)[0], Row("Label1",
                                      "\xDC"
                                      "bersicht",
                                      "Overview"));
}

TEST_F(StoredFormat, UnicodeSectionsCanBeKeptAsUtf8) {
  const std::u16string text =
      u"stCaptions_Unicode\r\nLabel1\x01\u0416\x01\u00DC\x01\r\nstFonts_"
      u"Unicode\r\nLabel1\x01\u0416\x01\x01\r\n";
  std::string bytes;
  for (char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  options.StoreAsUTF8 = true;
  Read(bytes);
  EXPECT_EQ(Table(stCaptions)[0], Row("Label1", "\xD0\x96", "\xC3\x9C"));
  EXPECT_EQ(Table(stFonts)[0], Row("Label1", "?", ""));  // names are never re-read
  options.StoreAsUTF8 = false;
  Read(bytes);
  EXPECT_EQ(Table(stCaptions)[0], Row("Label1", "?", "\xDC"));
}

TEST_F(StoredFormat, InheritedTablesMergeRowsByKey) {
  options.IsInheritedOwner = true;
  Table(stCaptions).Add(Row("Label1", "alt", "old"));
  Read(
      "stCaptions\r\nlabel1\x01neu\x01\x01\r\nLabel2\x01"
      "b\x01"
      "c\x01\r\n");
  ASSERT_EQ(Table(stCaptions).Count(), 2);
  EXPECT_EQ(Table(stCaptions)[0], Row("Label1", "neu", "old"));
}

TEST(StoredFormatFrame, PropertyIsFramedWithNameTypeAndLength) {
  const std::string framed = FrameTranslationData("abc");
  EXPECT_EQ(framed, std::string("\x0F"
                                "TranslationData\x0A\x03\x00\x00\x00"
                                "abc",
                                24));
}

// Arbitrary bytes never crash the reader nor raise: the tables are only ever partial.
TEST_F(StoredFormat, BinaryAndTruncatedPayloadsYieldPartialTables) {
  const std::string good = StoredTranslationData("TMainForm");
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    std::string bytes = good.substr(0, random() % good.size());
    for (int flips = random() % 20; flips > 0; --flips)
      if (!bytes.empty()) bytes[random() % bytes.size()] = static_cast<char>(random());
    if (round % 3 == 0) {
      bytes.resize(random() % 400);
      for (char& c : bytes) c = static_cast<char>(random());
    }
    EXPECT_NO_THROW(Read(bytes));
    EXPECT_NO_THROW(WriteTranslationData(set));
  }
}

// ---- The windows' stored tables --------------------------------------------------------------

class StoredTables : public ::testing::TestWithParam<std::string> {};

TEST_P(StoredTables, PayloadIsTheAuthoredOneAndWellFormed) {
  const std::string cls = GetParam();
  const std::string stored = StoredTranslationData(cls);
  EXPECT_EQ(stored, AuthoredTranslationData(cls))
      << "run kv_tablegen translate/tables after changing TableSource.cpp";
  std::string file;
  ASSERT_TRUE(ReadFileBytes(
      AsPath(std::string(KV_SOURCE_DIR) + "/translate/tables/" + PayloadFileName(cls)), file));
  EXPECT_EQ(file, stored);
  const TPayloadReport report = CheckPayload(stored);
  EXPECT_TRUE(report.Problems.empty()) << report.Problems.front();
}

TEST_P(StoredTables, LoadingAWindowKeepsTheBytesAndTheDialogCaptions) {
  // Loaded while the dispatcher is at 2 nothing is applied, so the write-back is exact.
  const std::string cls = GetParam();
  auto main = testing::CreateFakeWindow("TMainForm", nullptr);
  auto window =
      cls == "TMainForm" ? nullptr : testing::CreateFakeWindow(cls, testing::DispatcherOf(*main));
  TTranslator* t = testing::TranslatorOf(window ? *window : *main);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->WriteTranslationData(), StoredTranslationData(cls));
  ASSERT_EQ(t->DlgsCaptions()->Count(), 15);
  EXPECT_EQ(t->DlgsCaptions()->Get(3), Row("Confirm", "Best\xE4tigung", ""));
  EXPECT_EQ(t->Version(), "2.4.3.0");
  EXPECT_EQ(t->ExcludedProperties()->Count(), 20);
}

INSTANTIATE_TEST_SUITE_P(AllWindows, StoredTables, ::testing::ValuesIn(TranslatedWindows()));

TEST(StoredTablesMain, HoldsTheMainWindowTexts) {
  TTranslator t(nullptr);
  t.SetNumOfLanguages(2);
  t.ReadTranslationData(StoredTranslationData("TMainForm"));
  EXPECT_EQ(t.Captions()->Get(1), Row("Datei1", "Datei", "File"));
  EXPECT_EQ(t.Captions()->Count(), 28);
  EXPECT_EQ(t.Hints()->Count(), 14);
  EXPECT_EQ(t.MultiLines()->Get(0).rfind("BlockFormatCombo.Items\x01Normal,\"\xDC"
                                         "berschrift 1\",",
                                         0),
            0u);
  EXPECT_EQ(t.Strings()->Get(0), Row("IDS_36", "Document wurde gespeichert!", "Document saved!"));
  EXPECT_EQ(t.CharSets()->Count(), 5);
  EXPECT_EQ(StoredTranslationData("TNoSuchForm"), "");
}

TEST(StoredTablesCheck, ReportsMisshapenPayloads) {
  const TPayloadReport report = CheckPayload(
      "junk\r\nstCaptions\r\nLabel1\x01"
      "a\x01\r\nstCaptionz\r\nstHints\r\nX\x01"
      "a\x01"
      "b\x01");
  ASSERT_EQ(report.Problems.size(), 5u);
  EXPECT_EQ(report.Problems[0], "payload does not end with CR LF");
  EXPECT_EQ(report.Problems[1], "line 1: text before the first header");
  EXPECT_EQ(report.Problems[2], "line 3 (stCaptions): 2 delimiters, expected 3 ending the row");
  EXPECT_EQ(report.Problems[3], "line 4: unknown section stCaptionz");
  EXPECT_EQ(report.Problems[4], "2 section headers, expected 11");
  EXPECT_NE(report.Table.find("  X | a | b\n"), std::string::npos);
}

TEST(StoredTablesCheck, TablesAreStoredUnlessAnAncestorHasTheSame) {
  TTranslator a(nullptr), b(nullptr);
  EXPECT_TRUE(a.ShouldStoreTranslationData(nullptr));
  EXPECT_FALSE(a.ShouldStoreTranslationData(&b));
  b.Hints()->Add(Row("Label1", "x", "y"));
  EXPECT_TRUE(a.ShouldStoreTranslationData(&b));
}

// ---- Load-time adjustments --------------------------------------------------------------------

TEST(LoadAdjustments, DialogCaptionsAreCutBackOrCompleted) {
  for (bool needAll : {false, true}) {
    testing::TTestForm form("TestForm");
    form.BeginLoading();
    auto* t = new TTranslator(&form);
    t->BeginLoading();
    t->SetNumOfLanguages(2);
    t->NeedAllDlgs = true;
    form.EndLoading();  // a component that needs all dialogs grows to 86 rows
    ASSERT_EQ(t->DlgsCaptions()->Count(), 86);
    EXPECT_EQ(t->DlgsCaptions()->Get(15), Row("Open", "&Open", ""));
    // A stored 86-row table loaded by a component without NeedAllDlgs shrinks to 15.
    testing::TTestForm second("TestForm2");
    second.BeginLoading();
    auto* u = new TTranslator(&second);
    u->BeginLoading();
    u->SetNumOfLanguages(2);
    u->NeedAllDlgs = needAll;
    u->ReadTranslationData(t->WriteTranslationData());
    second.EndLoading();
    EXPECT_EQ(u->DlgsCaptions()->Count(), needAll ? 86 : 15);
  }
}

TEST(LoadAdjustments, TabDelimitedTablesAreConverted) {
  testing::TTestForm form("TestForm");
  auto* label = new testing::TFakeControl(&form, "Label1", "old");
  form.BeginLoading();
  auto* t = new TTranslator(&form);
  t->BeginLoading();
  t->SetNumOfLanguages(2);
  t->SetActiveLanguage(2);
  t->ReadTranslationData(
      "stCaptions\r\nLabel1\tneu\tnew\t\r\nstDlgsCaptions\r\nWarning\tWarnung\t\t\r\n");
  form.EndLoading();
  EXPECT_EQ(t->Captions()->Get(0), Row("Label1", "neu", "new"));
  t->SetActiveLanguage(1);
  EXPECT_EQ(label->Caption, "neu");
}

TEST(LoadAdjustments, ElevenLocaleRowsGetTheFourNameLists) {
  testing::TTestForm form("TestForm");
  form.BeginLoading();
  auto* t = new TTranslator(&form);
  t->BeginLoading();
  t->SetNumOfLanguages(2);
  std::string payload = "stLocales\r\n";
  for (int i = 0; i < 11; ++i) payload += Row(std::string(LocaleKeys()[i]), "", "") + "\r\n";
  t->ReadTranslationData(payload);
  form.EndLoading();
  ASSERT_EQ(t->Locales()->Count(), 15);
  EXPECT_EQ(GetColumn(t->Locales()->Get(12), 0, D), "Long Month Names");
  EXPECT_EQ(GetColumn(t->Locales()->Get(12), 1, D).substr(0, 15), "Januar,Februar,");
}

TEST(LoadAdjustments, ExcludedPropertiesDropRowsAtLoad) {
  testing::TTestForm form("TestForm");
  new testing::TFakeCodeMemo(&form, "Memo1");
  new testing::TComboBox(&form, "Combo1");
  form.BeginLoading();
  auto* t = new TTranslator(&form);
  t->BeginLoading();
  t->SetNumOfLanguages(2);
  t->ExcludedProperties()->Add("Hint");
  t->SmartExcludeProps()->Add("Memo1.Version");
  t->SmartExcludeProps()->Add("!TComboBox.Text");
  t->ReadTranslationData(
      "stHints\r\nMemo1\x01h\x01h\x01\r\nstOtherStrings\r\nMemo1.Version\x01"
      "1\x01\x01\r\n"
      "Memo1.Name\x01n\x01\x01\r\nCombo1.Text\x01t\x01\x01\r\nMemo1.FileName\x01"
      "f\x01\x01\r\n"
      "Memo1.Lines\x01l\x01\x01\r\nstCollections\r\nMemo1.Items[0].FileName\x01x\x01\x01\r\n");
  form.EndLoading();
  EXPECT_EQ(t->Hints()->Count(), 0);
  ASSERT_EQ(t->OtherStrings()->Count(), 1);
  EXPECT_EQ(GetColumn(t->OtherStrings()->Get(0), 0, D), "Memo1.Lines");
  EXPECT_EQ(t->Collections()->Count(), 0);
}

}  // namespace
}  // namespace kv
