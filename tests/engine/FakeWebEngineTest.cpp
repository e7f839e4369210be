#include <gtest/gtest.h>

#include <deque>
#include <filesystem>

#include "engine/FakeWebEngine.h"
#include "support/Files.h"
#include "tests/common/AsPath.h"

namespace kv {
namespace {

class FakeWebEngineTest : public testing::Test {
 protected:
  void SetUp() override {
    FDir = std::filesystem::temp_directory_path() /
           ("kv_fake_engine_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(FDir);
  }
  void TearDown() override { std::filesystem::remove_all(FDir); }
  std::string Path(const std::string& name) const { return (FDir / name).string(); }

  std::filesystem::path FDir;
  TFakeWebEngine FEngine;
};

TEST_F(FakeWebEngineTest, NavigationCompletesThroughTheQueueAndRaisesTheEvent) {
  std::deque<std::function<void()>> queue;
  FEngine.PostCompletion = [&](std::function<void()> f) { queue.push_back(std::move(f)); };
  int completed = 0;
  FEngine.OnNavigateComplete = [&] { ++completed; };
  ASSERT_TRUE(WriteFileBytes(AsPath(Path("a.html")), "<HTML>a</HTML>"));

  FEngine.Navigate(Path("a.html"));
  EXPECT_TRUE(FEngine.Busy());
  EXPECT_EQ(completed, 0);  // never inside Navigate
  ASSERT_EQ(queue.size(), 1u);
  queue.front()();
  EXPECT_FALSE(FEngine.Busy());
  EXPECT_EQ(completed, 1);
  EXPECT_EQ(FEngine.DocumentText, "<HTML>a</HTML>");
  EXPECT_TRUE(FEngine.HasDocument());
  EXPECT_FALSE(FEngine.DesignMode);
}

TEST_F(FakeWebEngineTest, ExplicitCompletionWithoutQueue) {
  int completed = 0;
  FEngine.OnNavigateComplete = [&] { ++completed; };
  FEngine.Navigate("about:blank");
  EXPECT_TRUE(FEngine.Busy());
  FEngine.CompleteNavigation();
  FEngine.CompleteNavigation();  // nothing pending: no second event
  EXPECT_EQ(completed, 1);
  EXPECT_EQ(FEngine.DocumentText, "");
  EXPECT_EQ(FEngine.Navigations, std::vector<std::string>{"about:blank"});
}

TEST_F(FakeWebEngineTest, NavigateRefusesUnreadableFilesAndALoadInBetweenWins) {
  EXPECT_THROW(FEngine.Navigate(Path("missing.html")), EFOpenError);
  EXPECT_THROW(FEngine.Navigate("file://" + Path("missing.html")), EFOpenError);
  EXPECT_FALSE(FEngine.Busy());

  int completed = 0;
  FEngine.OnNavigateComplete = [&] { ++completed; };
  ASSERT_TRUE(WriteFileBytes(AsPath(Path("nav.html")), "navigated"));
  ASSERT_TRUE(WriteFileBytes(AsPath(Path("load.html")), "loaded"));
  FEngine.Navigate("file://" + Path("nav.html"));
  FEngine.Load(AsPath(Path("load.html")));
  EXPECT_FALSE(FEngine.Busy());
  FEngine.CompleteNavigation();
  EXPECT_EQ(completed, 1);
  EXPECT_EQ(FEngine.DocumentText, "loaded");
  EXPECT_TRUE(FEngine.DesignMode);
}

TEST_F(FakeWebEngineTest, LoadAndSaveGoThroughTheHeldText) {
  int completed = 0;
  FEngine.OnNavigateComplete = [&] { ++completed; };
  ASSERT_TRUE(WriteFileBytes(AsPath(Path("in.html")), "<P>one</P>\r\n<P>two</P>\r\n"));
  FEngine.Load(AsPath(Path("in.html")));
  EXPECT_EQ(completed, 0);  // Load raises no navigation event
  EXPECT_TRUE(FEngine.DesignMode);
  EXPECT_EQ(FEngine.SaveToLines(), (std::vector<std::string>{"<P>one</P>", "<P>two</P>"}));

  FEngine.Save(AsPath(Path("out.html")));
  std::string saved;
  ASSERT_TRUE(ReadFileBytes(AsPath(Path("out.html")), saved));
  EXPECT_EQ(saved, "<P>one</P>\r\n<P>two</P>\r\n");
  EXPECT_THROW(FEngine.Load(AsPath(Path("missing.html"))), EFOpenError);
  EXPECT_THROW(FEngine.Save(AsPath(Path("no/such/folder/x.html"))), EFCreateError);
}

TEST_F(FakeWebEngineTest, RecordsCommandsAndAnswersFromTheTestsValues) {
  FEngine.ExecCommand("Bold", false, TVariant(0));
  FEngine.ExecCommand("FormatBlock", false, TVariant("<H1>"));
  EXPECT_EQ(FEngine.Commands,
            (std::vector<TFakeWebEngine::TCommand>{{"Bold", false, TVariant(0)},
                                                   {"FormatBlock", false, TVariant("<H1>")}}));

  FEngine.SetCommandValue("Bold", TVariant(true));
  EXPECT_EQ(FEngine.QueryCommandValue("bold"), TVariant(true));
  EXPECT_TRUE(FEngine.QueryCommandValue("Italic").IsNull());
  FEngine.ValueScript = [](const std::string& name) { return TVariant(name + "!"); };
  EXPECT_EQ(FEngine.QueryCommandValue("FontName"), TVariant("FontName!"));
}

TEST_F(FakeWebEngineTest, ShowUiCommandsAskAndCancelDoesNothing) {
  std::optional<std::string> answer = "http://example.com/a b";
  FEngine.AskLinkAddress = [&] { return answer; };
  FEngine.ExecCommand("CreateLink", true, TVariant(0));
  answer.reset();
  FEngine.ExecCommand("CreateLink", true, TVariant(0));
  ASSERT_EQ(FEngine.Commands.size(), 1u);
  EXPECT_EQ(FEngine.Commands[0].Value, TVariant("http://example.com/a b"));
}

TEST_F(FakeWebEngineTest, PasteInsertsTheClipboardTextAndUndoTakesItBack) {
  FEngine.DocumentText = "<BODY><P>x</P></BODY>";
  FEngine.ClipboardText = [] { return std::string("INSERTATABLE"); };
  FEngine.ExecWB(wbPaste, wbPromptUser);
  EXPECT_EQ(FEngine.DocumentText, "<BODY><P>x</P>INSERTATABLE</BODY>");
  FEngine.ExecWB(wbUndo, wbPromptUser);
  EXPECT_EQ(FEngine.DocumentText, "<BODY><P>x</P></BODY>");
  FEngine.ExecWB(wbUndo, wbPromptUser);  // an empty undo history is no failure
  EXPECT_EQ(FEngine.BrowserCommands, (std::vector<int>{wbPaste, wbUndo, wbUndo}));
  EXPECT_THROW(FEngine.ExecWB(99, 0), EEngineError);

  // The insert-text command goes in at the same place; a refused command changes nothing.
  FEngine.ExecCommand("InsertText", false, TVariant("INSERTATABLE"));
  EXPECT_EQ(FEngine.DocumentText, "<BODY><P>x</P>INSERTATABLE</BODY>");
  FEngine.ExecWB(wbUndo, wbPromptUser);
  FEngine.RefusedCommands = {"INSERTTEXT"};
  FEngine.ExecCommand("InsertText", false, TVariant("INSERTATABLE"));
  EXPECT_EQ(FEngine.DocumentText, "<BODY><P>x</P></BODY>");
  EXPECT_EQ(FEngine.Commands.size(), 2u);
}

TEST_F(FakeWebEngineTest, ClickRunsTheConnectorAndScrollIsRecorded) {
  int clicks = 0;
  FEngine.SetOnClick([&] { ++clicks; });
  FEngine.Click();
  FEngine.ScrollToText("Tablefield11");
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(FEngine.ScrolledTo, std::vector<std::string>{"Tablefield11"});
}

TEST_F(FakeWebEngineTest, AFailingEngineRaisesEngineErrors) {
  FEngine.SetFailing(true);
  EXPECT_FALSE(FEngine.HasDocument());
  EXPECT_THROW(FEngine.Navigate("about:blank"), EEngineError);
  EXPECT_THROW(FEngine.SetDesignMode(true), EEngineError);
  EXPECT_THROW(FEngine.ExecCommand("Bold", false, TVariant(0)), EEngineError);
  EXPECT_THROW(FEngine.QueryCommandValue("Bold"), EEngineError);
  EXPECT_THROW(FEngine.ExecWB(wbUndo, wbPromptUser), EEngineError);
  EXPECT_THROW(FEngine.SaveToLines(), EEngineError);
}

}  // namespace
}  // namespace kv
