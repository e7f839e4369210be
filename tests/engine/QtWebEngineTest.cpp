// The Qt WebEngine backend against the real engine, offscreen. The engine is slow to start,
// so the whole binary shares one application and one engine.
#include <gtest/gtest.h>
#include <signal.h>

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <algorithm>
#include <filesystem>

#include "engine/QtWebEngine.h"
#include "support/Files.h"
#include "tests/common/AsPath.h"
#include "tests/engine/EngineFixture.h"
#include "translate/ProgramTexts.h"

namespace kv {
namespace {

using Lines = std::vector<std::string>;

bool Contains(const Lines& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::string DataFile(const char* name) {
  return std::string(KV_TEST_DATA_DIR) + "/" + name;
}

// Swallows right-button presses and releases on the document surface, as the program's mouse
// filter does, and counts them.
class TRightClickFilter : public QObject {
 public:
  int Swallowed = 0;

 protected:
  bool eventFilter(QObject* target, QEvent* event) override {
    if ((event->type() == QEvent::MouseButtonPress ||
         event->type() == QEvent::MouseButtonRelease) &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton &&
        TQtWebEngine::IsDocumentSurface(target)) {
      ++Swallowed;
      return true;
    }
    return false;
  }
};

class QtWebEngineTest : public TEngineFixture {
 protected:
  static void SelectContentsOf(const char* id) {
    Js(QStringLiteral("var r = document.createRange();"
                      "r.selectNodeContents(document.getElementById('%1'));"
                      "getSelection().removeAllRanges(); getSelection().addRange(r); true;")
           .arg(QLatin1String(id)));
  }
  static bool ValueBecomes(const std::string& command, const TVariant& value) {
    return WaitFor([&] { return FEngine->QueryCommandValue(command) == value; });
  }
  // A page just loaded may drop input until it has the focus and its input is set up: knock
  // with a key that types nothing until the page hears it.
  static bool PageTakesInput() {
    View()->window()->activateWindow();
    View()->setFocus();
    Js("window.__keys = 0;"
       "document.addEventListener('keydown', function () { window.__keys++; }); true;");
    return WaitFor([] {
      QTest::keyClick(View()->focusProxy(), Qt::Key_Shift);
      return Js("window.__keys").toInt() > 0;
    });
  }
};

TEST_F(QtWebEngineTest, NavigateCompletesLaterAsAnEventAndTheHandlerMakesItEditable) {
  int completed = 0;
  FEngine->OnNavigateComplete = [&] {
    ++completed;
    FEngine->SetDesignMode(true);
  };
  FEngine->Navigate("about:blank");
  EXPECT_EQ(completed, 0);
  ASSERT_TRUE(WaitFor([&] { return completed == 1; }));
  EXPECT_TRUE(FEngine->HasDocument());
  EXPECT_FALSE(FEngine->Busy());
  ASSERT_TRUE(WaitFor([] { return Js("document.designMode").toString() == "on"; }));
}

TEST_F(QtWebEngineTest, ALoadRightAfterANavigateKeepsTheNavigationsEvent) {
  ASSERT_TRUE(WriteFileBytes(AsPath(Path("first.html")), "<html><body><p>first</p></body></html>"));
  ASSERT_TRUE(
      WriteFileBytes(AsPath(Path("second.html")), "<html><body><p>second</p></body></html>"));
  int completed = 0;
  bool busyAtEvent = true;
  FEngine->OnNavigateComplete = [&] {
    ++completed;
    busyAtEvent = FEngine->Busy();
  };
  FEngine->Navigate(Path("first.html"));
  EXPECT_TRUE(FEngine->Busy());  // loading from the call on, not from the engine's first sign
  QElapsedTimer clock;
  clock.start();
  FEngine->Load(AsPath(Path("second.html")));
  EXPECT_LT(clock.elapsed(), 5000);
  EXPECT_EQ(completed, 0);  // the event comes through the event loop, after the Load
  ASSERT_TRUE(WaitFor([&] { return completed == 1; }));
  EXPECT_FALSE(busyAtEvent);
  EXPECT_TRUE(Contains(FEngine->SaveToLines(), "<P>second</P>"));
  EXPECT_THROW(FEngine->Navigate(Path("missing.html")), EFOpenError);
  EXPECT_FALSE(FEngine->Busy());
}

TEST_F(QtWebEngineTest, PagesWithBlanksAndUmlautsInTheirNamesLoad) {
  // A name that is no UTF-8 loads too: the engine gets the bytes as the file address holds them.
  ASSERT_TRUE(
      WriteFileBytes(AsPath(Path("M\xFCller.html")), "<html><body><p>bytes</p></body></html>"));
  FEngine->Load(AsPath(Path("M\xFCller.html")));
  EXPECT_TRUE(Contains(FEngine->SaveToLines(), "<P>bytes</P>"));
  const std::string name = "my page \xC3\xBC \xC5\x81\xC3\xB3" "d\xC5\xBA #1.html";
  ASSERT_TRUE(WriteFileBytes(AsPath(Path(name)), "<html><body><p>named</p></body></html>"));
  FEngine->Load(AsPath(Path(name)));
  EXPECT_TRUE(Contains(FEngine->SaveToLines(), "<P>named</P>"));
  LoadText("other.html", "<html><body><p>other</p></body></html>");
  int completed = 0;
  FEngine->OnNavigateComplete = [&] { ++completed; };
  FEngine->Navigate(AsPath(Path(name)));
  ASSERT_TRUE(WaitFor([&] { return completed == 1; }));
  EXPECT_TRUE(FEngine->HasDocument());
  EXPECT_TRUE(Contains(FEngine->SaveToLines(), "<P>named</P>"));
}

TEST_F(QtWebEngineTest, TypedTextMadeBoldIsReadBackAndSaved) {
  int completed = 0;
  FEngine->OnNavigateComplete = [&] { ++completed; };
  LoadText("type.html", "<html><head><title>Typing</title></head><body><p>x</p></body></html>");
  EXPECT_EQ(completed, 0);  // Load raises no navigation event
  EXPECT_EQ(Js("document.designMode").toString(), "on");

  ASSERT_TRUE(PageTakesInput());
  FEngine->ExecCommand("SelectAll", false, TVariant(0));
  // Keys and commands travel apart: type only once the selection is there.
  ASSERT_TRUE(WaitFor([] { return Js("getSelection().toString()").toString() == "x"; }));
  QTest::keyClicks(View()->focusProxy(), "Hello");
  ASSERT_TRUE(WaitFor([] { return Contains(FEngine->SaveToLines(), "<P>Hello</P>"); }))
      << testing::PrintToString(FEngine->SaveToLines());

  FEngine->ExecCommand("SelectAll", false, TVariant(0));
  FEngine->ExecCommand("Bold", false, TVariant(0));
  ASSERT_TRUE(ValueBecomes("Bold", TVariant(true)));

  FEngine->Save(AsPath(Path("typed.html")));
  std::string saved;
  ASSERT_TRUE(ReadFileBytes(AsPath(Path("typed.html")), saved));
  EXPECT_NE(saved.find("\r\n<P><B>Hello</B></P>\r\n"), std::string::npos) << saved;
  EXPECT_EQ(saved.rfind("<HTML>\r\n<HEAD>\r\n<META http-equiv", 0), 0u) << saved;
  EXPECT_NE(saved.find("<TITLE>Typing</TITLE>\r\n<META NAME=GENERATOR CONTENT=\"MSHTML"),
            std::string::npos);
}

TEST_F(QtWebEngineTest, CharactersOutsideTheCodePageComeBackIntact) {
  FEngine->Load(AsPath(DataFile("outside1252.html")));
  Lines first = FEngine->SaveToLines();
  ASSERT_FALSE(first.empty());
  EXPECT_EQ(first[0],
            "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" "
            "\"http://www.w3.org/TR/html4/loose.dtd\">");
  EXPECT_TRUE(Contains(first, "<P>Gr\xFC\xDF \x80 &#937; &#8594; &#128512;</P>"));
  EXPECT_TRUE(Contains(first, "<P><IMG alt=\"pic\" src=\"my pic\xFC.gif\"></P>"));
  EXPECT_TRUE(Contains(first,
                       "<TITLE>Gr\xFC\xDF"
                       "e</TITLE>"));
  EXPECT_TRUE(Contains(first, "<META NAME=KEYWORDS CONTENT=\"a, b\">"));

  FEngine->Save(AsPath(Path("outside.html")));
  FEngine->Load(AsPath(Path("outside.html")));
  EXPECT_EQ(FEngine->SaveToLines(), first);
}

TEST_F(QtWebEngineTest, ASavedPageLoadsAndSavesTheSameAgain) {
  FEngine->Load(AsPath(DataFile("rich.html")));
  Lines first = FEngine->SaveToLines();
  for (const char* line :
       {"<HTML xmlns=\"http://www.w3.org/1999/xhtml\">", "<!-- made by hand -->",
        "<TITLE>Rich page</TITLE>",
        "<META NAME=DESCRIPTION CONTENT=\"All the parts a page can have\">",
        "<META NAME=KEYWORDS CONTENT=\"x, y\">", "<H1 align=\"center\">Welcome &amp; hello</H1>",
        "<LI>one</LI>", "<TD>Tablefield11</TD>", "<ADDRESS>Somewhere 1</ADDRESS>", "<HR>",
        "<P>Umlaute: \xE4\xF6\xFC\xDF \x80, Greek: &#937;, arrow: &#8594;</P>"})
    EXPECT_TRUE(Contains(first, line)) << line << "\n" << testing::PrintToString(first);
  EXPECT_EQ(std::count_if(first.begin(), first.end(),
                          [](const std::string& l) { return l.find("NAME=GENERATOR") != l.npos; }),
            1);

  FEngine->Save(AsPath(Path("rich-saved.html")));
  FEngine->Load(AsPath(Path("rich-saved.html")));
  EXPECT_EQ(FEngine->SaveToLines(), first);
}

TEST_F(QtWebEngineTest, SavingRightAfterANavigateSavesTheNewPage) {
  LoadText("old.html", "<html><body><p>old</p></body></html>");
  ASSERT_TRUE(WriteFileBytes(AsPath(Path("new.html")), "<html><body><p>new</p></body></html>"));
  int completed = 0;
  FEngine->OnNavigateComplete = [&] { ++completed; };
  FEngine->Navigate(Path("new.html"));
  EXPECT_TRUE(Contains(FEngine->SaveToLines(), "<P>new</P>"));
  ASSERT_TRUE(WaitFor([&] { return completed == 1; }));
}

TEST_F(QtWebEngineTest, DeclaredCharsetWinsAndTheSavedPageDeclaresWindows1252) {
  FEngine->Load(AsPath(DataFile("utf8.html")));
  Lines lines = FEngine->SaveToLines();
  ASSERT_FALSE(lines.empty());
  EXPECT_NE(lines[0].find("XHTML 1.0"), std::string::npos);
  EXPECT_TRUE(Contains(lines, "<P>&#937; \xE4 \x80</P>"));
  EXPECT_TRUE(Contains(
      lines, "<META http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"));
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& l) { return l.find("charset=") != l.npos; }),
            1);
}

TEST_F(QtWebEngineTest, PageScriptsDoNotRunAndThePageDoesNotNavigateAway) {
  FEngine->Load(AsPath(DataFile("refresh.html")));
  QTest::qWait(1500);
  Lines lines = FEngine->SaveToLines();
  EXPECT_TRUE(Contains(lines, "<P id=\"p\">original</P>")) << testing::PrintToString(lines);
  EXPECT_NE(std::find_if(lines.begin(), lines.end(),
                         [](const std::string& l) { return l.find("<SCRIPT>") == 0; }),
            lines.end());
}

TEST_F(QtWebEngineTest, CommandValuesFollowTheSelection) {
  FEngine->Load(AsPath(DataFile("state.html")));
  EXPECT_EQ(FEngine->QueryCommandValue("FormatBlock"), TVariant("Normal"));  // known at once
  SelectContentsOf("h");
  ASSERT_TRUE(ValueBecomes("FormatBlock", TVariant("Heading 2")));
  FEngine->ActiveLanguage = [] { return EngineLanguageGerman; };
  EXPECT_EQ(FEngine->QueryCommandValue("FormatBlock"), TVariant("\xDC"
                                                                "berschrift 2"));
  EXPECT_EQ(FEngine->QueryCommandValue("Bold"), TVariant(true));  // headings are bold
  EXPECT_EQ(FEngine->QueryCommandValue("CreateLink"), TVariant(false));

  SelectContentsOf("li");
  ASSERT_TRUE(ValueBecomes("FormatBlock", TVariant("Aufz\xE4hlung")));

  SelectContentsOf("f");
  ASSERT_TRUE(ValueBecomes("FontName", TVariant("Arial")));
  EXPECT_EQ(FEngine->QueryCommandValue("FontSize"), TVariant(5));
  EXPECT_EQ(FEngine->QueryCommandValue("ForeColor"), TVariant(0x0000FF));
  EXPECT_EQ(FEngine->QueryCommandValue("FormatBlock"), TVariant("Normal"));

  SelectContentsOf("a");
  ASSERT_TRUE(ValueBecomes("CreateLink", TVariant(true)));
  EXPECT_EQ(FEngine->QueryCommandValue("Bold"), TVariant(false));
}

TEST_F(QtWebEngineTest, FormattingCommandsChangeThePage) {
  LoadText("format.html", "<html><body><p id=\"p\">one</p><p id=\"q\">two</p></body></html>");
  SelectContentsOf("p");
  FEngine->ExecCommand("FormatBlock", false, TVariant("<H1>"));
  SelectContentsOf("q");
  FEngine->ExecCommand("FormatBlock", false, TVariant("<OL>"));
  FEngine->ExecCommand("FormatBlock", false, TVariant("<OL>"));  // a choice, not a toggle
  ASSERT_TRUE(ValueBecomes("FormatBlock", TVariant("Numbered List")));
  FEngine->ExecCommand("SelectAll", false, TVariant(0));
  FEngine->ExecCommand("ForeColor", false, TVariant(0x0000FF));
  FEngine->ExecCommand("FontSize", false, TVariant("4"));
  Lines lines = FEngine->SaveToLines();
  EXPECT_TRUE(Contains(lines, "<OL>")) << testing::PrintToString(lines);
  EXPECT_FALSE(Contains(lines, "<P id=\"q\">")) << testing::PrintToString(lines);
  EXPECT_NE(std::find_if(lines.begin(), lines.end(),
                         [](const std::string& l) {
                           return l.find("<H1>") == 0 && l.find("color=\"#ff0000\"") != l.npos;
                         }),
            lines.end())
      << testing::PrintToString(lines);
  EXPECT_THROW(FEngine->ExecCommand("NoSuchCommand", false, TVariant(0)), EEngineError);
}

TEST_F(QtWebEngineTest, ShowUiCommandsInsertPlainAddresses) {
  LoadText("ui.html", "<html><body><p id=\"p\">word</p></body></html>");
  FEngine->AskLinkAddress = [] { return std::optional<std::string>("http://example.com/a b"); };
  FEngine->AskPictureFile = [] {
    return std::optional<THostPath>(THostPath::FromBytes("/tmp/my pics/b\xC3\xBC \xC5\x81.gif"));
  };
  SelectContentsOf("p");
  FEngine->ExecCommand("CreateLink", true, TVariant(0));
  FEngine->ExecCommand("InsertImage", true, TVariant(0));
  FEngine->AskLinkAddress = [] { return std::optional<std::string>(); };  // cancelled
  FEngine->ExecCommand("CreateLink", true, TVariant(0));
  Lines lines = FEngine->SaveToLines();
  std::string body;
  for (const std::string& line : lines) body += line;
  // The picture's address is page text: its characters, a reference where the code page ends.
  EXPECT_NE(body.find("<IMG src=\"file:///tmp/my pics/b\xFC &#321;.gif\">"), std::string::npos)
      << body;
  FEngine->AskLinkAddress = nullptr;
  FEngine->AskPictureFile = nullptr;
}

TEST_F(QtWebEngineTest, WithoutAnAskTheBackendsOwnAddressDialogAsks) {
  LoadText("dialog.html", "<html><body><p id=\"p\">word</p></body></html>");
  FEngine->ActiveLanguage = [] { return EngineLanguageGerman; };
  SelectContentsOf("p");
  QString label, preset;
  QTimer::singleShot(300, [&] {
    auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    label = dialog->labelText();
    preset = dialog->textValue();
    dialog->setTextValue(QStringLiteral("http://example.com/"));
    dialog->accept();
  });
  FEngine->ExecCommand("CreateLink", true, TVariant(0));
  EXPECT_EQ(label, QStringLiteral("Adresse:"));
  EXPECT_EQ(preset, QStringLiteral("http://"));
  EXPECT_TRUE(
      Contains(FEngine->SaveToLines(), "<P id=\"p\"><A href=\"http://example.com/\">word</A></P>"));
}

TEST_F(QtWebEngineTest, PasteHasLandedWhenExecWbReturns) {
  LoadText("paste.html", "<html><body><p id=\"p\">before</p></body></html>");
  SelectContentsOf("p");
  Js("getSelection().collapseToEnd(); true;");
  QApplication::clipboard()->setText(QStringLiteral("INSERTATABLE"));
  FEngine->ExecWB(wbPaste, wbPromptUser);
  EXPECT_TRUE(Contains(FEngine->SaveToLines(), "<P id=\"p\">beforeINSERTATABLE</P>"));

  SelectContentsOf("p");
  FEngine->ExecWB(wbCopy, wbPromptUser);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("beforeINSERTATABLE"));
  FEngine->ExecWB(wbCut, wbPromptUser);
  EXPECT_FALSE(Contains(FEngine->SaveToLines(), "<P id=\"p\">beforeINSERTATABLE</P>"));
  FEngine->ExecWB(wbUndo, wbPromptUser);
  FEngine->Load(AsPath(Path("paste.html")));
  EXPECT_NO_THROW(FEngine->ExecWB(wbUndo, wbPromptUser));  // empty history after a load
  EXPECT_THROW(FEngine->ExecWB(42, wbPromptUser), EEngineError);
}

TEST_F(QtWebEngineTest, ClickConnectorRunsWithTheNewState) {
  LoadText("click.html", "<html><body><p><b>bold text here</b></p></body></html>");
  bool boldAtClick = false;
  int clicks = 0;
  FEngine->SetOnClick([&] {
    ++clicks;
    boldAtClick = FEngine->QueryCommandValue("Bold").AsBoolean();
  });
  ASSERT_TRUE(PageTakesInput());
  QTest::mouseClick(View()->focusProxy(), Qt::LeftButton, {}, QPoint(20, 15));
  ASSERT_TRUE(WaitFor([&] { return clicks == 1; }));
  EXPECT_TRUE(boldAtClick);
}

TEST_F(QtWebEngineTest, RightClickOnTheDocumentOpensNoMenu) {
  LoadText("menu.html", "<html><body><p>right click me</p></body></html>");
  Js("window.__menus = 0; document.addEventListener('contextmenu', function () {"
     " window.__menus++; }); true;");
  QWidget* surface = View()->focusProxy();
  ASSERT_NE(surface, nullptr);
  EXPECT_TRUE(TQtWebEngine::IsDocumentSurface(surface));
  EXPECT_FALSE(TQtWebEngine::IsDocumentSurface(View()));
  EXPECT_FALSE(TQtWebEngine::IsDocumentSurface(nullptr));

  TRightClickFilter filter;
  qApp->installEventFilter(&filter);
  QTest::mouseClick(surface, Qt::RightButton, {}, QPoint(20, 15));
  QTest::qWait(500);
  qApp->removeEventFilter(&filter);

  EXPECT_EQ(filter.Swallowed, 2);
  EXPECT_EQ(Js("window.__menus").toInt(), 0);
  for (QWidget* w : QApplication::topLevelWidgets())
    EXPECT_FALSE(qobject_cast<QMenu*>(w) && w->isVisible());
}

TEST_F(QtWebEngineTest, ScrollToTextScrollsWithoutMovingTheSelection) {
  std::string page = "<html><body><p id=\"top\">top</p>";
  for (int i = 0; i < 200; ++i) page += "<p>filler " + std::to_string(i) + "</p>";
  page += "<p>Tablefield11</p></body></html>";
  LoadText("scroll.html", page);
  SelectContentsOf("top");
  FEngine->ScrollToText("tablefield11");
  ASSERT_TRUE(WaitFor([] { return Js("window.scrollY").toDouble() > 1000; }));
  EXPECT_EQ(Js("getSelection().toString()").toString(), QStringLiteral("top"));
}

TEST_F(QtWebEngineTest, SynchronousCallsDuringAWaitAreRefused) {
  LoadText("reenter.html", "<html><body><p>x</p></body></html>");
  bool busyInside = false;
  std::string refusal;
  QTimer::singleShot(0, [&] {
    busyInside = FEngine->Busy();
    try {
      FEngine->SaveToLines();
    } catch (const EEngineError& e) {
      refusal = e.Message;
    }
  });
  FEngine->Save(AsPath(Path("reenter-out.html")));
  EXPECT_TRUE(busyInside);
  EXPECT_NE(refusal.find("busy"), std::string::npos) << refusal;
  EXPECT_TRUE(FileExists(AsPath(Path("reenter-out.html"))));
}

TEST_F(QtWebEngineTest, MissingFilesAndTimeoutsAreErrorsNotHangs) {
  EXPECT_THROW(FEngine->Load(AsPath(Path("does-not-exist.html"))), EFOpenError);
  LoadText("timeout.html", "<html><body><p>x</p></body></html>");
  FEngine->SetTimeout(1);
  try {
    FEngine->SaveToLines();
    // The engine may have been quicker than a millisecond; then there is nothing to check.
  } catch (const EEngineError& e) {
    EXPECT_NE(e.Message.find("did not answer"), std::string::npos) << e.Message;
  }
  FEngine->SetTimeout(15000);
  QTest::qWait(200);  // the late answer arrives and is dropped
  EXPECT_TRUE(Contains(FEngine->SaveToLines(), "<P>x</P>"));
}

// Last: it ends the engine's process; the engine recovers with the next load.
TEST_F(QtWebEngineTest, ZEndedRenderProcessGivesErrorsAndTheNextLoadRecovers) {
  LoadText("crash.html", "<html><body><p>x</p></body></html>");
  qint64 pid = View()->page()->renderProcessPid();
  ASSERT_GT(pid, 0);
  ::kill(static_cast<pid_t>(pid), SIGKILL);
  ASSERT_TRUE(WaitFor([] { return !FEngine->HasDocument(); }));
  EXPECT_THROW(FEngine->SaveToLines(), EEngineError);
  EXPECT_THROW(FEngine->ExecCommand("Bold", false, TVariant(0)), EEngineError);
  EXPECT_THROW(FEngine->QueryCommandValue("Bold"), EEngineError);

  FEngine->Load(AsPath(Path("crash.html")));
  EXPECT_TRUE(FEngine->HasDocument());
  EXPECT_TRUE(Contains(FEngine->SaveToLines(), "<P>x</P>"));
}

}  // namespace
}  // namespace kv
