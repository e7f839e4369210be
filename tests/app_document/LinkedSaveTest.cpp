// Save of pages that are more than one plain file, through the main window and the real engine:
// a symbolic link, a file with a second hard link, a file with its own mode and group; a save
// that breaks off part-way; and a page dropped on the web view.
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWebEngineView>
#include <filesystem>

#include "platform/QtText.h"
#include "support/AtomicFile.h"
#include "support/Files.h"
#include "tests/app_document/DocumentFixture.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

struct TStat {
  ino_t inode;
  mode_t mode;
  gid_t group;
  nlink_t links;
};

TStat StatOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
  return {st.st_ino, static_cast<mode_t>(st.st_mode & 07777), st.st_gid, st.st_nlink};
}

TEST_F(DocumentFlowTest, SaveKeepsLinksModeAndGroupAndABrokenSaveKeepsTheOldPage) {
  const std::string real = Dir() + "echt/";
  ASSERT_TRUE(ForceDirectories(AsPath(real)));
  const std::string page = real + "seite.html";
  ASSERT_TRUE(WriteFileBytes(AsPath(page), "<html><body><p>alt</p></body></html>"));
  ASSERT_EQ(::chown(page.c_str(), ::getuid(), 65534), 0);
  ASSERT_EQ(::chmod(page.c_str(), 0604), 0);
  const std::string symlink = Dir() + "verweis.html";  // opened by this name
  fs::create_symlink("echt/seite.html", symlink);
  const std::string twin = Dir() + "zwilling.html";  // a second name of the same file
  ASSERT_EQ(::link(page.c_str(), twin.c_str()), 0);
  const TStat before = StatOf(page);

  TMainForm* f = StartReady();
  AnswerFileDialog(symlink);
  Click([&] { f->NeueInternetseit1Click(f); });
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  EXPECT_EQ(f->CurrentFile.Bytes(), symlink);
  Type("Neu");
  Click([&] { f->Soeichern1Click(f); });
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  const std::string saved = FileText(page);
  EXPECT_NE(saved.find("Neu"), std::string::npos) << saved;
  EXPECT_TRUE(fs::is_symlink(symlink));
  EXPECT_EQ(FileText(twin), saved);
  const TStat after = StatOf(page);
  EXPECT_EQ(after.inode, before.inode);
  EXPECT_EQ(after.links, 2u);
  EXPECT_EQ(after.mode, 0604u);
  EXPECT_EQ(after.group, 65534u);
  EXPECT_EQ(FilesIn(real, ""), std::vector<std::string>{"seite.html"});

  // The page saved through its second name; then a save that breaks off after a few bytes,
  // once in place (two names) and once by rename (one name left): the old page stays whole.
  for (const bool linked : {true, false}) {
    SCOPED_TRACE(linked ? "in place" : "rename");
    if (!linked) {
      ASSERT_EQ(::unlink(twin.c_str()), 0);
    }
    const std::string old = FileText(page);
    Type(linked ? "Mehr" : "Noch");
    SetPartialWriteFault([](const std::string& p) -> std::optional<size_t> {
      return p.ends_with("seite.html") ? std::optional<size_t>(12) : std::nullopt;
    });
    errors_.clear();
    messages_.clear();
    Click([&] { f->Soeichern1Click(f); });
    SetPartialWriteFault(nullptr);
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_NE(errors_[0].find(symlink), std::string::npos) << errors_[0];
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(FileText(page), old);
    if (linked) {
      EXPECT_EQ(FileText(twin), old);
    }
    EXPECT_EQ(StatOf(page).mode, 0604u);
    EXPECT_EQ(FilesIn(real, ""), std::vector<std::string>{"seite.html"});
  }
}

TEST_F(DocumentFlowTest, APageDroppedOnTheWebViewOpens) {
  TMainForm* f = StartReady();
  const std::string page = Dir() + "gezogen.html";
  ASSERT_TRUE(WriteFileBytes(AsPath(page), "<html><body><p>Gezogen</p></body></html>"));
  QWidget* surface = static_cast<QWebEngineView*>(f->WebBrowser1->Peer())->focusProxy();
  ASSERT_NE(surface, nullptr);
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(PathToQ(AsPath(page)))});
  QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(surface, &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(surface, &drop);
  ASSERT_TRUE(WaitFor([&] { return f->CurrentFile.Bytes() == page; }));
  ASSERT_TRUE(WaitFor([&] {
    std::string text;
    for (const std::string& line : f->GetDocument()->SaveToLines()) text += line;
    return text.find("Gezogen") != std::string::npos;
  }));
  EXPECT_TRUE(errors_.empty()) << errors_.front();
}

}  // namespace
}  // namespace kv
