// The main window as a desktop program: files that are no page refused before anything
// changes, pages dropped from a file manager, and the usual keys beside the designed ones.
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QKeySequence>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <filesystem>

#include "platform/QtText.h"
#include "platform/classes/Strings.h"
#include "support/Files.h"
#include "tests/app/PageToolsFixture.h"
#include "tests/common/AsPath.h"

namespace kv {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

class Desktop : public PageToolsTest {
 protected:
  // Everything a refused file must leave alone.
  struct TState {
    std::string currentFile, docDir, workFile, status, history;
    std::vector<std::string> docFiles;
    size_t loads = 0;
    bool operator==(const TState&) const = default;
  };
  TState State() const {
    TState s{main_->CurrentFile.Bytes(),
             main_->DocDir.Bytes(),
             main_->WorkFile.Bytes(),
             main_->StatusBar1->SimpleText(),
             ReadOr(folder_.Dir() + "historie.ini", "(none)"),
             {},
             engine_->Loads.size()};
    for (const auto& e : fs::directory_iterator(main_->DocDir.Sys()))
      s.docFiles.push_back(e.path().filename().string());
    std::sort(s.docFiles.begin(), s.docFiles.end());
    return s;
  }
  // The files that are no page, made in folder/bad/.
  std::vector<std::string> MakeRefusedFiles() const {
    const std::string dir = folder_.Dir() + "bad/";
    ForceDirectories(AsPath(dir + "ordner.html"));
    EXPECT_EQ(::mkfifo((dir + "pipe.html").c_str(), 0600), 0);
    WriteFileBytes(AsPath(dir + "riesig.html"), "<html>");
    EXPECT_EQ(::truncate((dir + "riesig.html").c_str(), 65 * 1024 * 1024), 0);
    WriteFileBytes(AsPath(dir + "nul.html"), "<html>\0</html>"s);
    WriteFileBytes(AsPath(dir + "bild.html"), "\x89PNG\r\n\x1A\n\0\0\0\rIHDR"s);
    return {dir + "ordner.html", dir + "pipe.html", dir + "riesig.html", dir + "nul.html",
            dir + "bild.html"};
  }
  void AnswerOpen(const std::string& name) {
    DialogService().FileDialog = [name](const TOpenDialog&, bool) {
      return std::optional<std::string>(name);
    };
  }
  // A drag from a file manager over target: true when the window takes it; a taken drag is
  // dropped too.
  static bool Drop(QWidget* target, const std::vector<std::string>& paths) {
    QMimeData mime;
    QList<QUrl> urls;
    for (const std::string& p : paths) urls.append(QUrl::fromLocalFile(PathToQ(AsPath(p))));
    mime.setUrls(urls);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
  }
};

TEST_F(Desktop, FilesThatAreNoPageAreRefusedByNameAndChangeNothing) {
  StartOn("<HTML><BODY>Seite</BODY></HTML>");
  main_->AddRecentFile(AsPath(PagePath()));
  const TState before = State();
  for (const std::string& bad : MakeRefusedFiles()) {
    SCOPED_TRACE(bad);
    errors_.clear();
    AnswerOpen(bad);
    main_->NeueInternetseit1->Click();
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_NE(errors_[0].find(bad), std::string::npos) << errors_[0];
    EXPECT_TRUE(State() == before);
    EXPECT_EQ(main_->CurrentFile.Bytes(), PagePath());
  }
  // The texts say what the file is.
  AnswerOpen(folder_.Dir() + "bad/bild.html");
  main_->English1Click(main_);
  errors_.clear();
  main_->NeueInternetseit1->Click();
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_EQ(errors_[0], "The file " + folder_.Dir() + "bad/bild.html is a picture, not a page.");
}

TEST_F(Desktop, OnTheCommandLineARefusedFileIsSaidAndAMissingOneIsNot) {
  StartOn("<HTML></HTML>");
  const std::vector<std::string> bad = MakeRefusedFiles();
  app_->DestroyForms();
  for (const std::string& start :
       {bad[0], bad[1], bad[2], bad[3], bad[4], folder_.Dir() + "fehlt.html"}) {
    SCOPED_TRACE(start);
    errors_.clear();
    TMainForm* f = Start([this] { return FakeEngineHost(&engine_); }, {start});
    f->Show();
    ASSERT_TRUE(WaitFor([&] { return !f->CurrentFile.IsEmpty(); }));
    EXPECT_EQ(f->CurrentFile.Bytes(), folder_.TempDir() + "temp/temp.html");
    if (start.ends_with("fehlt.html")) {
      EXPECT_TRUE(errors_.empty());
    } else {
      ASSERT_EQ(errors_.size(), 1u);
      EXPECT_NE(errors_[0].find(start), std::string::npos) << errors_[0];
    }
    EXPECT_TRUE(engine_->Loads.size() == 1u);  // the new page's working copy, nothing else
    app_->DestroyForms();
  }
}

TEST_F(Desktop, ADroppedPageOpensAsFileOpenWouldAndOtherDropsAreRefusedQuietly) {
  StartOn("<HTML></HTML>");
  const std::string other = folder_.Dir() + "other/Andere Seite.HTM";
  ForceDirectories(AsPath(folder_.Dir() + "other"));
  WriteFileBytes(AsPath(other), "<HTML><BODY>Andere</BODY></HTML>");
  const std::string picture = folder_.Dir() + "bild.png";
  WriteFileBytes(AsPath(picture), "\x89PNG\r\n\x1A\n"s);
  const TState before = State();

  // Anything but one page file: the window says no while it is dragged, and nothing happens.
  QWidget* surface = main_->WebBrowser1->Peer();
  for (const std::vector<std::string>& files :
       {std::vector<std::string>{picture}, {other, PagePath()}, {folder_.Dir() + "bad"}}) {
    EXPECT_FALSE(Drop(surface, files)) << files.front();
    EXPECT_FALSE(Drop(main_->StatusBar1->Peer(), files)) << files.front();
  }
  WaitFor([] { return false; }, 100);
  EXPECT_TRUE(State() == before);
  EXPECT_TRUE(errors_.empty());
  EXPECT_TRUE(messages_.empty());

  // A page, over the page itself or anywhere else on the window.
  EXPECT_TRUE(Drop(surface, {other}));
  ASSERT_TRUE(WaitFor([&] { return main_->CurrentFile.Bytes() == other && !engine_->Busy(); }));
  EXPECT_EQ(engine_->DocumentText, "<HTML><BODY>Andere</BODY></HTML>");
  TStringList history;
  history.LoadFromFile(AsPath(folder_.Dir() + "historie.ini"));
  EXPECT_EQ(history.Get(0), other);
  EXPECT_TRUE(Drop(main_->StatusBar1->Peer(), {PagePath()}));
  ASSERT_TRUE(WaitFor([&] { return main_->CurrentFile.Bytes() == PagePath(); }));

  // A page's name on something that is no page: refused as File, Open refuses it.
  const std::string fake = folder_.Dir() + "bild.html";
  WriteFileBytes(AsPath(fake), "\x89PNG\r\n\x1A\n"s);
  EXPECT_TRUE(Drop(surface, {fake}));
  ASSERT_TRUE(WaitFor([&] { return !errors_.empty(); }));
  EXPECT_NE(errors_[0].find(fake), std::string::npos) << errors_[0];
  EXPECT_EQ(main_->CurrentFile.Bytes(), PagePath());
}

TEST_F(Desktop, TheUsualKeysSitBesideTheDesignedOnesAndTakeNoKeyOfThePage) {
  StartOn("<HTML></HTML>");
  main_->English1Click(main_);
  struct TKeys {
    TMenuItem* item;
    const char* designed;
    const char* usual;
  };
  const TKeys keys[] = {{main_->NeueInternetseit1, "Alt+O", "Ctrl+O"},
                        {main_->Neu1, "Alt+N", "Ctrl+N"},
                        {main_->Soeichern1, "F2", "Ctrl+S"},
                        {main_->Speichernunter1, "Alt+S", "Ctrl+Shift+S"},
                        {main_->Programmbeenden1, "Alt+X", "Ctrl+Q"},
                        {main_->Hilfedatei2, "Alt+H", "F1"}};
  for (const TKeys& k : keys) {
    SCOPED_TRACE(k.usual);
    const QList<QKeySequence> bound = k.item->Action()->shortcuts();
    EXPECT_EQ(bound, (QList<QKeySequence>{QKeySequence(k.designed), QKeySequence(k.usual)}));
    // The menu shows both after the caption; the hint names both.
    const QString text = k.item->Action()->text();
    EXPECT_EQ(text.section(u'\t', 0, 0), ToQ(k.item->Caption()));
    EXPECT_EQ(text.section(u'\t', 1), QKeySequence(k.designed).toString(QKeySequence::NativeText) +
                                          ", " +
                                          QKeySequence(k.usual).toString(QKeySequence::NativeText));
    EXPECT_NE(k.item->Hint().find(k.designed), std::string::npos) << k.item->Hint();
    EXPECT_NE(k.item->Hint().find(k.usual), std::string::npos) << k.item->Hint();
    EXPECT_EQ(k.item->Action()->toolTip(), ToQ(k.item->Hint()));
  }
  // German hints name the keys as a German keyboard does.
  main_->Deutsch1Click(main_);
  EXPECT_NE(main_->Speichernunter1->Hint().find("Strg+Umschalt+S"), std::string::npos);

  // No key of the whole menu is one the page or the source window needs.
  const QStringList needed = {"Ctrl+B", "Ctrl+I", "Ctrl+U", "Ctrl+Z", "Ctrl+Y",
                              "Ctrl+C", "Ctrl+X", "Ctrl+V", "Ctrl+A", "Ctrl+Shift+Z",
                              "Ctrl+F", "F3",     "Esc"};
  for (QAction* action : main_->Peer()->findChildren<QAction*>())
    for (const QKeySequence& key : action->shortcuts())
      EXPECT_FALSE(needed.contains(key.toString())) << key.toString().toStdString();

  // The keys work from the page: Ctrl+N makes a new page, Ctrl+S saves it, Ctrl+O asks for a
  // page, Ctrl+Shift+S for a name, F1 opens the help.
  QWidget* surface = main_->WebBrowser1->Peer();
  Press(surface, Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(main_->CurrentFile.Bytes(), folder_.TempDir() + "temp/temp.html");
  Press(surface, Qt::Key_S, Qt::ControlModifier);
  EXPECT_TRUE(FileExists(main_->CurrentFile));
  ASSERT_EQ(messages_.size(), 1u);
  int dialogs = 0;
  DialogService().FileDialog = [&](const TOpenDialog&, bool) -> std::optional<std::string> {
    ++dialogs;
    return std::nullopt;
  };
  Press(surface, Qt::Key_O, Qt::ControlModifier);
  Press(surface, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(dialogs, 2);
  Press(surface, Qt::Key_F1);
  ASSERT_EQ(opened_.size(), 1u);
  EXPECT_NE(opened_[0].back().find("help.html"), std::string::npos);
  EXPECT_TRUE(errors_.empty()) << errors_.front();
}

TEST_F(Desktop, InTheSourceWindowItsOwnKeysReachItAndTheMainWindowsStayOut) {
  StartOn("<HTML>\r\n<BODY>Hallo</BODY>\r\n</HTML>\r\n");
  int dialogs = 0;
  DialogService().FileDialog = [&](const TOpenDialog&, bool) -> std::optional<std::string> {
    ++dialogs;
    return std::nullopt;
  };
  Visit([&] { main_->SpeedButton1Click(main_); },
        [&] {
          QWidget* memo = source_->HTMLMemo->Peer();
          for (const QKeySequence& key :
               {QKeySequence("Ctrl+N"), QKeySequence("Ctrl+O"), QKeySequence("Ctrl+S"),
                QKeySequence("Ctrl+Shift+S"), QKeySequence("F1"), QKeySequence("Ctrl+Q")})
            Press(memo, key[0].key(), key[0].keyboardModifiers());
          EXPECT_TRUE(source_->Showing());
          EXPECT_EQ(main_->CurrentFile.Bytes(), PagePath());
          Press(memo, Qt::Key_F, Qt::ControlModifier);
          EXPECT_TRUE(source_->FindDialog1->Showing());
          source_->FindDialog1->CloseDialog();
          Press(memo, Qt::Key_F3);  // nothing to find again; it must not leave the window
          EXPECT_TRUE(source_->Showing());
          Press(memo, Qt::Key_F2);
        });
  EXPECT_EQ(source_->ModalResult(), mrOk);
  Visit([&] { main_->SpeedButton1Click(main_); },
        [&] { Press(source_->HTMLMemo->Peer(), Qt::Key_Escape); });
  EXPECT_EQ(source_->ModalResult(), mrCancel);
  EXPECT_EQ(dialogs, 0);
  EXPECT_TRUE(opened_.empty());
  EXPECT_TRUE(messages_.empty());
  EXPECT_EQ(main_->CurrentFile.Bytes(), PagePath());
  EXPECT_TRUE(errors_.empty()) << errors_.front();
}

}  // namespace
}  // namespace kv
