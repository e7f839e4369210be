// The main window with the real web engine, offscreen: the paths a user takes, end to end.
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <QWebEngineScript>
#include <QWebEngineView>

#include "app/EngineHost.h"
#include "engine/QtWebEngine.h"
#include "platform/StdCtrls.h"
#include "support/Files.h"
#include "tests/app/AppFixture.h"
#include "tests/common/AsPath.h"
#include "tools/CreateTableForm.h"

namespace kv {
namespace {

class MainFormEngine : public MainFormTest {
 protected:
  TMainForm* StartReady(std::vector<std::string> arguments = {}) {
    TMainForm* f = Start(MakeQtEngineHost, std::move(arguments));
    bool ready = false;
    f->OnEditingReady = [&] { ready = true; };
    f->Show();
    EXPECT_TRUE(WaitFor([&] { return ready; }, 60000)) << "the page never became editable";
    f->OnEditingReady = nullptr;
    return f;
  }
  static QWidget* Surface(TMainForm* f) {
    return static_cast<QWebEngineView*>(f->WebBrowser1->Peer())->focusProxy();
  }
  static bool WaitForValue(TMainForm* f, const char* command, bool value) {
    return WaitFor([&] {
      TVariant v = f->GetDocument()->QueryCommandValue(command);
      return v.Kind() == TVariant::TKind::Boolean && v.AsBoolean() == value;
    });
  }
  // Typed keys travel to the page's process apart from commands: wait until they have landed.
  static bool TypeIntoPage(TMainForm* f, const char* text) {
    f->WebBrowser1->SetFocus();
    // The caret goes into the (empty) page where the user clicks.
    QTest::mouseClick(Surface(f), Qt::LeftButton, Qt::NoModifier, QPoint(30, 20));
    QTest::qWait(200);
    QTest::keyClicks(Surface(f), text);
    return WaitFor([&] {
      for (const std::string& line : f->GetDocument()->SaveToLines())
        if (line.find(text) != std::string::npos) return true;
      return false;
    });
  }
  static std::string FileText(const std::string& path) {
    std::string bytes;
    ReadFileBytes(AsPath(path), bytes);
    return bytes;
  }
  // A page file in the program's folder, opened at start.
  TMainForm* StartWithPage(const std::string& html) {
    page_ = folder_.Dir() + "seite.html";
    WriteFileBytes(AsPath(page_), html);
    TMainForm* f = StartReady({page_});
    table_ = app_->CreateForm<TCreateTableForm>(nullptr);
    return f;
  }
  // A script in the editor's world of the page, for what the test arranges or observes.
  static QVariant Js(TMainForm* f, const QString& script) {
    auto* view = static_cast<QWebEngineView*>(f->WebBrowser1->Peer());
    QVariant result;
    bool done = false;
    view->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld, [&](const QVariant& v) {
      result = v;
      done = true;
    });
    EXPECT_TRUE(WaitFor([&] { return done; }));
    return result;
  }
  static void Select(TMainForm* f, const char* id) {
    Js(f, QStringLiteral("var r = document.createRange();"
                         "r.selectNodeContents(document.getElementById('%1'));"
                         "getSelection().removeAllRanges(); getSelection().addRange(r); true;")
              .arg(QLatin1String(id)));
  }
  // The middle of an element, in the view's coordinates.
  static QPoint Middle(TMainForm* f, const char* id) {
    const QVariantList box =
        Js(f, QStringLiteral("var b = document.getElementById('%1').getBoundingClientRect();"
                             "[b.left + b.width / 2, b.top + b.height / 2];")
                  .arg(QLatin1String(id)))
            .toList();
    return box.size() == 2 ? QPoint(box[0].toInt(), box[1].toInt()) : QPoint();
  }
  static std::string PageText(TMainForm* f) {
    std::string text;
    for (const std::string& line : f->GetDocument()->SaveToLines()) text += line + "\n";
    return text;
  }
  static void Choose(TComboBox* box, int index) {
    auto* combo = qobject_cast<QComboBox*>(box->Peer());
    combo->setCurrentIndex(index);
    emit combo->activated(index);
  }
  std::string page_;
  TCreateTableForm* table_ = nullptr;
};

TEST_F(MainFormEngine, TypeBoldSaveAndFindTheSerialisedLines) {
  TMainForm* f = StartReady();
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  ASSERT_NE(f->GetDocument(), nullptr);
  ASSERT_TRUE(TypeIntoPage(f, "Hallo Welt"));
  f->GetDocument()->ExecCommand("SelectAll", false, 0);
  f->BoldToolButton->PerformClick();
  ASSERT_TRUE(WaitForValue(f, "Bold", true));
  f->RefreshToolbarState();
  EXPECT_TRUE(f->BoldToolButton->Down());

  f->Soeichern1Click(f);
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  EXPECT_EQ(messages_, (std::vector<std::string>{"KAVELIN: Document wurde gespeichert!"}));
  const std::string saved = FileText(folder_.TempDir() + "temp/temp.html");
  EXPECT_NE(saved.find("<B>Hallo Welt</B>"), std::string::npos) << saved;
  EXPECT_NE(saved.find("<META NAME=GENERATOR CONTENT=\"MSHTML"), std::string::npos) << saved;
  EXPECT_NE(saved.find("\r\n"), std::string::npos);
}

TEST_F(MainFormEngine, ARightClickOnThePageOpensNoMenuButArrowKeysRefresh) {
  TMainForm* f = StartReady();
  QWidget* surface = Surface(f);
  ASSERT_NE(surface, nullptr);
  EXPECT_TRUE(f->WebBrowser1->IsDocumentSurface()(surface));
  QTest::mouseClick(surface, Qt::RightButton, Qt::NoModifier, QPoint(40, 40));
  QTest::qWait(500);
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  for (QWidget* w : QApplication::topLevelWidgets())
    EXPECT_FALSE(qobject_cast<QMenu*>(w) && w->isVisible());
  const int before = f->ToolbarRefreshCount;
  QTest::keyClick(surface, Qt::Key_Right);
  QTest::keyClick(f->TextFontCombo->Peer(), Qt::Key_Up);
  EXPECT_EQ(f->ToolbarRefreshCount, before + 2);
}

TEST_F(MainFormEngine, SaveAsOpenAndWorkingFilesFollowTheDocument) {
  TMainForm* f = StartReady();
  const std::string untitledWork = f->WorkFile.Bytes();
  const std::string site = folder_.Dir() + "site/";
  ForceDirectories(AsPath(site));
  DialogService().FileDialog = [&](const TOpenDialog&, bool save) -> std::optional<std::string> {
    return save ? site + "seite" : site + "seite.html";
  };
  ASSERT_TRUE(TypeIntoPage(f, "Umlaute"));
  f->Speichernunter1Click(f);
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  EXPECT_EQ(f->CurrentFile.Bytes(), site + "seite.html");  // the default extension was added
  EXPECT_EQ(f->DocDir.Bytes(), site);
  EXPECT_EQ(f->StatusBar1->SimpleText(), site + "seite.html");
  EXPECT_EQ(f->WorkFile.Bytes(), untitledWork);  // Save as keeps the working copy where it was
  EXPECT_NE(FileText(site + "seite.html").find("Umlaute"), std::string::npos);

  f->NeueInternetseit1Click(f);
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  EXPECT_EQ(f->DocDir.Bytes(), site);
  EXPECT_TRUE(FileExists(AsPath(f->WorkFile)));
  EXPECT_EQ(f->WorkFile.Bytes().rfind(site + "KAVELIN_temp", 0), 0u);
  EXPECT_TRUE(FileExists(AsPath(folder_.Dir() + "historie.ini")));
  EXPECT_EQ(f->Datei1->Count(), 6);  // the five fixed items and the recent page
  EXPECT_EQ(f->Datei1->Items(5)->Caption(), "seite.html");
}

TEST_F(MainFormEngine, APageThatCannotBeOpenedLeavesTheDocumentAsItWas) {
  TMainForm* f = StartReady();
  const std::string file = f->CurrentFile.Bytes(), dir = f->DocDir.Bytes(),
                    work = f->WorkFile.Bytes();
  DialogService().FileDialog = [&](const TOpenDialog&, bool) -> std::optional<std::string> {
    return folder_.Dir() + "nicht-da.html";
  };
  SafeCall([&] { f->NeueInternetseit1Click(f); });
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_NE(errors_[0].find("nicht-da.html"), std::string::npos);
  EXPECT_EQ(f->CurrentFile.Bytes(), file);
  EXPECT_EQ(f->DocDir.Bytes(), dir);
  EXPECT_EQ(f->WorkFile.Bytes(), work);
  EXPECT_EQ(f->StatusBar1->SimpleText(), file);
  EXPECT_FALSE(FileExists(AsPath(folder_.Dir() + "historie.ini")));
}

TEST_F(MainFormEngine, ATableConfirmedAtTheCaretReachesFileAndViewAndUndoTakesItBack) {
  std::string html = "<html><body>";
  for (int i = 0; i < 80; ++i) html += "<p>Zeile " + std::to_string(i) + "</p>";
  html += "<p id=\"end\">Ende des Textes</p></body></html>";
  TMainForm* f = StartWithPage(html);
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  // The caret after the word "Ende".
  f->WebBrowser1->SetFocus();
  Js(f,
     "var t = document.getElementById('end').firstChild; var r = document.createRange();"
     "r.setStart(t, 4); r.collapse(true); getSelection().removeAllRanges();"
     "getSelection().addRange(r); true;");
  auto* clip = new QMimeData;
  clip->setText(QStringLiteral("Vorher"));
  clip->setHtml(QStringLiteral("<i>Vorher</i>"));
  QApplication::clipboard()->setMimeData(clip);

  QTimer::singleShot(0, [this] {
    table_->Edit1->SetText("2");
    table_->Edit2->SetText("2");
    table_->OKBitBtn->PerformClick();
  });
  f->ToolButton25->PerformClick();
  ASSERT_TRUE(errors_.empty()) << errors_.front();

  const std::string saved = FileText(page_);
  EXPECT_NE(saved.find("Ende\r\n \r\n<table width=100% border=\"0\" cellpadding=\"0\" "
                       "cellspacing=\"0\">\r\n  <tr>\r\n    <td>\r\n      Tabellenfeld11\r\n"),
            std::string::npos)
      << saved;
  EXPECT_NE(saved.find("      Tabellenfeld22\r\n    </td>\r\n  </tr>\r\n</table>\r\n des Textes"),
            std::string::npos)
      << saved;
  EXPECT_EQ(saved.find("INSERTATABLE"), std::string::npos);
  // The engine shows the user's file with the table; the clipboard is as it was.
  ASSERT_TRUE(WaitFor([&] { return PageText(f).find("Tabellenfeld22") != std::string::npos; }));
  EXPECT_NE(PageText(f).find("<TABLE"), std::string::npos) << PageText(f);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Vorher"));
  EXPECT_EQ(QApplication::clipboard()->mimeData()->html(), QStringLiteral("<i>Vorher</i>"));
  // A second later the first cell is at the top of the view.
  const QString cellTop = QStringLiteral(
      "var w = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT), n, top = null;"
      "while ((n = w.nextNode())) if (n.data.indexOf('Tabellenfeld11') >= 0) {"
      " var r = document.createRange(); r.selectNodeContents(n);"
      " top = r.getBoundingClientRect().top; break; } top;");
  ASSERT_TRUE(WaitFor([&] { return Js(f, "window.scrollY").toDouble() > 100; }, 5000));
  EXPECT_LT(std::abs(Js(f, cellTop).toDouble()), 20);

  f->ToolButton6->PerformClick();
  ASSERT_TRUE(WaitFor([&] { return PageText(f).find("Tabellenfeld") == std::string::npos; }));
  EXPECT_NE(PageText(f).find("Ende des Textes"), std::string::npos);
  EXPECT_TRUE(errors_.empty()) << errors_.front();
}

TEST_F(MainFormEngine, FormattingAppliedToSelectionsReachesTheSavedPage) {
  TMainForm* f = StartWithPage(
      "<html><body><p id=\"b\">fett</p><p id=\"i\">schief</p><p id=\"u\">unten</p>"
      "<p id=\"h\">Titel</p><p id=\"l\">Punkt</p><p id=\"c\">rot</p><p id=\"f\">Schrift</p>"
      "<p id=\"s\">gross</p><p id=\"a\">fett2</p></body></html>");
  DialogService().ColorDialog = [](TColor) -> std::optional<TColor> { return TColor(0x0000FF); };
  auto accessibly = [](TToolButton* b) {
    QAccessibleActionInterface* a =
        QAccessible::queryAccessibleInterface(b->Peer())->actionInterface();
    a->doAction(a->actionNames().front());
  };
  f->WebBrowser1->SetFocus();
  const std::vector<std::pair<const char*, std::function<void()>>> steps = {
      {"b", [&] { QTest::mouseClick(f->BoldToolButton->Peer(), Qt::LeftButton); }},
      {"a", [&] { accessibly(f->BoldToolButton); }},
      {"i", [&] { QTest::mouseClick(f->ItalicToolButton->Peer(), Qt::LeftButton); }},
      {"u", [&] { QTest::mouseClick(f->UnderlineToolButton1->Peer(), Qt::LeftButton); }},
      {"h", [&] { Choose(f->BlockFormatCombo, 2); }},
      {"l", [&] { Choose(f->BlockFormatCombo, 8); }},
      {"c", [&] { QTest::mouseClick(f->ToolButton22->Peer(), Qt::LeftButton); }},
      {"f", [&] { Choose(f->TextFontCombo, 1); }},
      {"s", [&] { Choose(f->TextSizeCombo, 4); }},
  };
  for (const auto& [id, apply] : steps) {
    Select(f, id);
    apply();
  }
  f->Soeichern1Click(f);
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  const std::string saved = FileText(page_);
  for (const char* expected :
       {"<P id=\"b\"><B>fett</B></P>", "<P id=\"a\"><B>fett2</B></P>",
        "<P id=\"i\"><I>schief</I></P>", "<P id=\"u\"><U>unten</U></P>", ">Titel</H2>", "<UL>",
        "<LI>Punkt</LI>", "color=\"#ff0000\">rot</FONT>", "face=\"Arial\">Schrift</FONT>",
        "size=\"5\">gross</FONT>"})
    EXPECT_NE(saved.find(expected), std::string::npos) << expected << "\n" << saved;
}

TEST_F(MainFormEngine, TheToolBarFollowsTheCaretAfterClicksAndArrowKeys) {
  TMainForm* f = StartWithPage(
      "<html><body><p id=\"p\">schlicht</p><p id=\"u\"><u>unterstrichen</u></p>"
      "<p id=\"b\"><b>fett</b></p><h2 id=\"h\">Titel</h2></body></html>");
  QWidget* surface = Surface(f);
  f->WebBrowser1->SetFocus();
  QTest::mouseClick(surface, Qt::LeftButton, Qt::NoModifier, Middle(f, "u"));
  ASSERT_TRUE(WaitFor([&] { return f->UnderlineToolButton1->Down(); }));
  EXPECT_FALSE(f->BoldToolButton->Down());
  QTest::mouseClick(surface, Qt::LeftButton, Qt::NoModifier, Middle(f, "p"));
  ASSERT_TRUE(WaitFor([&] { return !f->UnderlineToolButton1->Down(); }));

  // An arrow key shows the state where the caret was before it moved: after Down, Down the
  // caret is in the bold line, and the next key shows it.
  QTest::mouseClick(surface, Qt::LeftButton, Qt::NoModifier, Middle(f, "u"));
  ASSERT_TRUE(WaitFor([&] { return f->UnderlineToolButton1->Down(); }));
  QTest::keyClick(surface, Qt::Key_Down);
  EXPECT_TRUE(f->UnderlineToolButton1->Down());
  ASSERT_TRUE(
      WaitFor([&] { return f->GetDocument()->QueryCommandValue("Bold") == TVariant(true); }));
  QTest::keyClick(surface, Qt::Key_Right);
  EXPECT_TRUE(f->BoldToolButton->Down());
  EXPECT_FALSE(f->UnderlineToolButton1->Down());
  ASSERT_TRUE(
      WaitFor([&] { return f->GetDocument()->QueryCommandValue("Bold") == TVariant(true); }));
  QTest::keyClick(surface, Qt::Key_Down);
  ASSERT_TRUE(WaitFor([&] {
    return f->GetDocument()->QueryCommandValue("FormatBlock") == TVariant(
                                                                     "\xDC"
                                                                     "berschrift 2");
  }));
  QTest::keyClick(surface, Qt::Key_Left);
  EXPECT_EQ(f->BlockFormatCombo->ItemIndex(), 2);
  EXPECT_TRUE(errors_.empty()) << errors_.front();
}

}  // namespace
}  // namespace kv
