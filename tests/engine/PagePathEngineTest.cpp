// The page path against the real engine, offscreen: what the page script hands over and the C++
// side reads must save exactly as the old JSON tree walk did, on random pages built by the
// engine's own parser and on a long generated page; the engine reports changes and the end of
// its page process.
#include <gtest/gtest.h>
#include <signal.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <filesystem>
#include <random>
#include <thread>

#include "bench/page/PageGenerator.h"
#include "engine/Doctype.h"
#include "engine/QtWebEngine.h"
#include "support/Files.h"
#include "tests/common/AsPath.h"
#include "tests/engine/EngineFixture.h"
#include "tests/engine/OldTreePath.h"

namespace kv {
namespace {

using Lines = std::vector<std::string>;

class PagePathEngineTest : public TEngineFixture {
 protected:
  // Loads the page file and answers its DOCTYPE as the file wrote it.
  static std::string LoadPage(const std::string& name, const std::string& bytes) {
    EXPECT_TRUE(WriteFileBytes(AsPath(Path(name)), bytes));
    FEngine->Load(AsPath(Path(name)));
    return DoctypeOfPage(bytes);
  }
  static Lines OldLines(const std::string& fileDoctype) {
    return OldTreeLines(Js(OldTreeScript()).toString(), fileDoctype);
  }
  // The page as the script hands it over in its fast form, read on the C++ side.
  static TCapturedPage FastCapture() {
    const QString text = Js(QStringLiteral("window.__kv.capture(false)")).toString();
    return ReadPageCapture(
        std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), text.size()));
  }
};

// Random markup with the parts pages have, misnested at times as pages are: the engine's parser
// decides what tree it becomes.
class TRandomMarkup {
 public:
  explicit TRandomMarkup(unsigned seed) : random_(seed) {}

  std::string Page() {
    std::string out = Below(2) ? "<!DOCTYPE html>\r\n" : "";
    out += "<html><head><title>" + Text(6) + "</title>";
    if (Below(2)) out += "<meta name=keywords content=\"" + Text(4) + "\">";
    if (Below(2)) out += "<style>p > b { color: red }</style>";
    out += "</head><body>";
    for (int i = 0; i < 12; ++i) out += Piece(0);
    return out + "</body></html>\r\n";
  }

 private:
  std::mt19937 random_;

  std::size_t Below(std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_);
  }
  std::string Text(std::size_t maxPieces) {
    static const char* const kPieces[] = {
        "a",    "Wort",   " ",      "  ",       "\r\n",     "\t",        "&amp;", "&lt;",
        "&gt;", "&nbsp;", "\xFC",   "\x80",     "&#26085;", "&#128512;", "\"",    "'",
        "=",    "/",      "&#937;", "\xE4\xDF", "x&#13;y",  "&quot;"};
    std::string out;
    const std::size_t n = 1 + Below(maxPieces);
    for (std::size_t i = 0; i < n; ++i) out += kPieces[Below(std::size(kPieces))];
    return out;
  }
  std::string Attribute() {
    static const char* const kNames[] = {"href", "src", "class", "title", "data-x", "align"};
    return std::string(" ") + kNames[Below(std::size(kNames))] + "=\"" + Text(3) + "\"";
  }
  std::string Wrap(const char* tag, int depth, std::size_t children) {
    std::string out = std::string("<") + tag + (Below(3) == 0 ? Attribute() : "") + ">";
    for (std::size_t i = 0; i < children; ++i) out += Piece(depth + 1);
    return out + "</" + tag + ">";
  }
  std::string Piece(int depth) {
    if (depth > 4) return Text(4);
    switch (Below(24)) {
      case 0:
      case 1:
      case 2:
        return Text(8);
      case 3:
        return Wrap("p", depth, 1 + Below(3));
      case 4:
        return Wrap("b", depth, 1 + Below(2));
      case 5:
        return Wrap("i", depth, 1);
      case 6:
        return Wrap("a", depth, 1);
      case 7:
        return Wrap("div", depth, Below(4));
      case 8:
        return "<ul><li>" + Piece(depth + 1) + "<li>" + Piece(depth + 1) + "</ul>";
      case 9:
        return "<table><tr><td>" + Piece(depth + 1) + "<td>" + Text(3) + "</table>";
      case 10:
        return "<pre>" + std::string(Below(2) ? "\n" : "") + "\n " + Text(5) + "\n</pre>";
      case 11:
        return "<textarea>\n" + Text(4) + "</textarea>";
      case 12:
        return "<br>";
      case 13:
        return "<img" + Attribute() + ">";
      case 14:
        return "<hr>";
      case 15:
        return "<script>if (a < b && c) x = '&amp;';</script>";
      case 16:
        return "<xmp>" + Text(4) + " <b> & </xmp>";
      case 17:
        return "<svg><circle r=\"1\"></circle><style>a > b {}</style><foreignObject><p>" + Text(3) +
               "<br></p></foreignObject></svg>";
      case 18:
        return "<math><mi>x<br></mi></math>";
      case 19:
        return "<template><b>" + Text(3) + "</b></template>";
      case 20:
        return "<noscript><p>" + Text(3) + "</p></noscript>";
      case 21:
        return "<!--" + Text(3) + "-->";
      case 22:
        return "<h2" + Attribute() + ">" + Text(4);  // left open
      default:
        return "<font color=red><center>" + Piece(depth + 1) + "</font>";
    }
  }
};

TEST_F(PagePathEngineTest, RandomPagesSaveLineForLineAsTheOldTreeWalkDid) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    const std::string fileDoctype = LoadPage("random.html", TRandomMarkup(seed).Page());
    if (seed % 4 == 0) {
      // Text the parser never makes but editing can: lone CRs, control characters.
      Js("var p = document.createElement('p');"
         "p.appendChild(document.createTextNode('a\\rb\\u0001c\\u00a0'));"
         "p.setAttribute('title', 'x\\ny\\r<&>\"');"
         "document.body.appendChild(p); true;");
    }
    // Neighbouring text nodes read back as one; the old walk saw them apart.
    Js("document.normalize(); true;");
    const TCapturedPage fast = FastCapture();
    EXPECT_FALSE(fast.NodeByNode);
    const Lines expected = OldLines(fileDoctype);
    ASSERT_EQ(FEngine->SaveToLines(), expected);
  }
}

TEST_F(PagePathEngineTest, ALongGeneratedPageSavesAsTheOldTreeWalkDid) {
  const std::string fileDoctype = LoadPage("long.html", GenerateBenchPage(400000, 7));
  const Lines expected = OldLines(fileDoctype);
  ASSERT_GT(expected.size(), 5000u);
  EXPECT_EQ(FEngine->SaveToLines(), expected);

  // And taken without waiting, its lines made on another thread.
  std::optional<TPageCapture> capture;
  bool done = false;
  FEngine->CapturePage(
      [&](std::optional<TPageCapture> c) {
        capture = std::move(c);
        done = true;
      },
      false);
  ASSERT_TRUE(WaitFor([&] { return done; }));
  ASSERT_TRUE(capture);
  Lines lines;
  std::thread([&] { lines = capture->Lines(); }).join();
  EXPECT_EQ(lines, expected);
}

TEST_F(PagePathEngineTest, PagesWhoseMarkupDoesNotReadBackGoNodeByNode) {
  // A raw-text element holding its own end tag, as typing into it can leave it.
  std::string fileDoctype =
      LoadPage("xmp.html", "<html><body><xmp id=x>a</xmp><p>after</p></body></html>");
  Js("document.getElementById('x').firstChild.data = 'a</xmp><p>b'; true;");
  EXPECT_THROW(FastCapture(), EPageCaptureError);
  EXPECT_EQ(FEngine->SaveToLines(), OldLines(fileDoctype));

  // An XML document: its markup declares name spaces that are no attributes.
  fileDoctype = LoadPage("page.xhtml",
                         "<?xml version=\"1.0\"?>\n<html xmlns=\"http://www.w3.org/1999/xhtml\">"
                         "<head><title>X</title></head><body><p>x<br/>y &amp; z</p></body></html>");
  EXPECT_TRUE(FastCapture().NodeByNode);
  const Lines expected = OldLines(fileDoctype);
  EXPECT_EQ(FEngine->SaveToLines(), expected);
  EXPECT_NE(std::find(expected.begin(), expected.end(), "<P>x<BR>"), expected.end());
}

TEST_F(PagePathEngineTest, EditingIsReportedAsChangesButLoadingIsNot) {
  int changes = 0;
  FEngine->OnContentChanged = [&] { ++changes; };
  LoadPage("changes.html", "<html><body><p id=p>x</p></body></html>");
  QTest::qWait(400);
  EXPECT_EQ(changes, 0);

  View()->window()->activateWindow();
  View()->setFocus();
  FEngine->ExecCommand("SelectAll", false, TVariant(0));
  FEngine->ExecCommand("Bold", false, TVariant(0));
  ASSERT_TRUE(WaitFor([&] { return changes >= 1; }));
  // Changes in quick succession: the last one still arrives, with the caret's next report.
  const int before = changes;
  Js("var p = document.getElementById('p'); p.appendChild(document.createTextNode('1'));"
     "p.appendChild(document.createTextNode('2')); true;");
  ASSERT_TRUE(WaitFor([&] { return changes > before; }));
}

TEST_F(PagePathEngineTest, TheEndOfThePageProcessIsReportedAndALoadBringsThePageBack) {
  LoadPage("gone.html", "<html><body><p>da</p></body></html>");
  int gone = 0;
  FEngine->OnProcessGone = [&] { ++gone; };
  const qint64 pid = View()->page()->renderProcessPid();
  ASSERT_GT(pid, 0);
  ASSERT_EQ(::kill(static_cast<pid_t>(pid), SIGKILL), 0);
  ASSERT_TRUE(WaitFor([&] { return gone == 1; }));
  EXPECT_FALSE(FEngine->HasDocument());
  EXPECT_EQ(FEngine->LoadedFile().Bytes(), "");
  EXPECT_THROW(FEngine->SaveToLines(), EEngineError);
  bool answered = false, empty = false;
  FEngine->CapturePage(
      [&](std::optional<TPageCapture> c) {
        answered = true;
        empty = !c;
      },
      false);
  ASSERT_TRUE(WaitFor([&] { return answered; }));
  EXPECT_TRUE(empty);

  FEngine->Load(AsPath(Path("gone.html")));
  EXPECT_TRUE(FEngine->HasDocument());
  EXPECT_EQ(FEngine->LoadedFile().Bytes(), Path("gone.html"));
  const Lines lines = FEngine->SaveToLines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "<P>da</P>"), lines.end());
  QTest::qWait(200);
  EXPECT_EQ(gone, 1);
}

}  // namespace
}  // namespace kv
