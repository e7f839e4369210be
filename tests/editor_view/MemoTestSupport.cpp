#include "MemoTestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>
#include <cstdlib>

#include "platform/FontMap.h"

namespace kv::test {

namespace {

// One application object for the whole test program (GUI tests run offscreen).
class QtEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    if (!QApplication::instance()) {
      static int argc = 1;
      static char arg0[] = "editor_view_tests";
      static char* argv[] = {arg0, nullptr};
      app_ = new QApplication(argc, argv);
    }
  }
  void TearDown() override {
    delete app_;
    app_ = nullptr;
  }

 private:
  QApplication* app_ = nullptr;
};

[[maybe_unused]] testing::Environment* const kQtEnvironment =
    testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace

QRgb ToRgb(TColor color) {
  return ToQColor(color).rgb() & 0xFFFFFF;
}

MemoFixtureBase::MemoFixtureBase() {
  Memo = std::make_unique<TCodeMemo>(nullptr);
  TCodeMemo& m = *Memo;
  m.Font()->SetName("FixedSys");
  m.Font()->SetHeight(-13);
  m.Gutter().SetDigitCount(4);
  m.Gutter().Font().SetName("Courier New");
  m.Gutter().Font().SetHeight(-13);
  m.Gutter().Font().SetColor(clWindowText);
  m.SetSelColor(clWhite);
  m.SetSelBkColor(clNavy);
  m.SetShowRightMargin(false);
  m.SetSyntaxStyles(&Styler);
  m.Memo().SetTabSize(4);
  SizeFor(20, 60);
}

MemoFixtureBase::~MemoFixtureBase() {
  Memo->SetSyntaxStyles(nullptr);
  Memo.reset();
}

void MemoFixtureBase::SetText(const std::string& text) {
  Memo->Lines()->SetText(text);
  Memo->RefreshScrollBars();
}

void MemoFixtureBase::SizeFor(int rows, int cols) {
  TMemoLayout l = Memo->Layout();
  l.ClientWidth = 1000;
  l.ClientHeight = 1000;
  const TMemoRect area = l.TextArea();
  const int extraW = 1000 - area.Width(), extraH = 1000 - area.Height();
  Memo->SetBounds(0, 0, extraW + cols * Memo->CellWidth(), extraH + rows * Memo->LineHeight());
  Memo->RefreshScrollBars();
}

QImage MemoFixtureBase::Render() {
  QWidget* peer = Memo->Peer();
  QImage img(peer->size(), QImage::Format_RGB32);
  img.fill(Qt::magenta);
  peer->render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
  // With KV_SHOT_DIR set, every rendering is kept for a look (named after the test).
  if (const char* dir = std::getenv("KV_SHOT_DIR")) {
    static int counter = 0;
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    img.save(QString("%1/%2_%3.png").arg(dir, info ? info->name() : "shot").arg(++counter));
  }
  return img;
}

bool MemoFixtureBase::Focus() {
  QWidget* peer = Memo->Peer();
  peer->show();
  peer->activateWindow();
  QApplication::setActiveWindow(peer);
  peer->setFocus(Qt::OtherFocusReason);
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
  return Memo->Focused();
}

QPoint MemoFixtureBase::CellPixel(int viewCol, int viewRow, int dx, int dy) const {
  const TMemoRect r = Memo->Layout().CellRect(viewCol, viewRow);
  return QPoint(r.Left + dx, r.Top + dy);
}

}  // namespace kv::test
