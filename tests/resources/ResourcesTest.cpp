// The pictures compiled into the program and the files placed beside it by the build.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QRegularExpression>
#include <QSet>
#include <memory>
#include <string>

#include "platform/Jpeg.h"
#include "resources/Resources.h"
#include "support/Files.h"
#include "tests/common/AsPath.h"

namespace kv {
namespace {

const std::string RuntimeDir = KV_RUNTIME_DIR "/";

// QPixmap needs an application object: one for the whole test program, gone again before
// exit() runs the destructors of Qt's own statics.
class TGuiEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "kv_resources_test";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QGuiApplication>(argc, argv);
    InitResources();
  }
  void TearDown() override { app_.reset(); }

 private:
  std::unique_ptr<QGuiApplication> app_;
};

[[maybe_unused]] ::testing::Environment* const GuiEnvironment =
    ::testing::AddGlobalTestEnvironment(new TGuiEnvironment);

using ResourcesTest = ::testing::Test;

// --- Pictures stored with the windows ---------------------------------------------------------

struct TStripCase {
  const char* Name;
  QString Path;
  int Count;
  QPixmap (*Image)(int);
};

class ImageStrip : public ResourcesTest, public ::testing::WithParamInterface<TStripCase> {};

TEST_P(ImageStrip, HoldsItsImagesSideBySide) {
  const TStripCase& c = GetParam();
  QImage strip;
  ASSERT_TRUE(strip.loadFromData(ResourceBytes(c.Path), "PNG"));
  EXPECT_EQ(strip.size(), QSize(c.Count * ImageListSize, ImageListSize));
  EXPECT_TRUE(strip.hasAlphaChannel());
}

// Every slot holds a picture of its own: no empty slot, no image repeated by a shifted index.
TEST_P(ImageStrip, EveryImageIsVisibleAndDistinct) {
  const TStripCase& c = GetParam();
  QSet<QByteArray> seen;
  for (int i = 0; i < c.Count; ++i) {
    const QImage image = c.Image(i).toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(image.size(), QSize(ImageListSize, ImageListSize)) << "image " << i;
    int opaque = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) opaque += qAlpha(image.pixel(x, y)) > 128;
    }
    EXPECT_GT(opaque, 16) << "image " << i << " is (nearly) empty";
    const QByteArray bits(reinterpret_cast<const char*>(image.constBits()),
                          static_cast<qsizetype>(image.sizeInBytes()));
    EXPECT_FALSE(seen.contains(bits)) << "image " << i << " repeats an earlier one";
    seen.insert(bits);
  }
}

TEST_P(ImageStrip, NumbersOutsideTheListGiveNoImage) {
  const TStripCase& c = GetParam();
  EXPECT_TRUE(c.Image(-1).isNull());
  EXPECT_TRUE(c.Image(c.Count).isNull());
}

INSTANTIATE_TEST_SUITE_P(Lists, ImageStrip,
                         ::testing::Values(TStripCase{"Toolbar", ResourcePath::ToolbarImages,
                                                      ToolbarImageCount, ToolbarImage},
                                           TStripCase{"Menu", ResourcePath::MenuImages,
                                                      MenuImageCount, MenuImage}),
                         [](const auto& info) { return std::string(info.param.Name); });

bool HasColorNear(const QImage& image, QRgb color, int tolerance = 24) {
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y);
      if (qAlpha(p) > 200 && std::abs(qRed(p) - qRed(color)) <= tolerance &&
          std::abs(qGreen(p) - qGreen(color)) <= tolerance &&
          std::abs(qBlue(p) - qBlue(color)) <= tolerance) {
        return true;
      }
    }
  }
  return false;
}

// The language menu's items refer to their flags by number.
TEST_F(ResourcesTest, LanguageMenuFlagsSitAtTheirNumbers) {
  const QImage german = MenuImage(19).toImage().convertToFormat(QImage::Format_ARGB32);
  EXPECT_TRUE(HasColorNear(german, qRgb(0, 0, 0)));
  EXPECT_TRUE(HasColorNear(german, qRgb(0xDD, 0, 0)));
  EXPECT_TRUE(HasColorNear(german, qRgb(0xFF, 0xCE, 0)));
  const QImage british = MenuImage(20).toImage().convertToFormat(QImage::Format_ARGB32);
  EXPECT_TRUE(HasColorNear(british, qRgb(0x01, 0x21, 0x69)));
  EXPECT_TRUE(HasColorNear(british, qRgb(0xC8, 0x10, 0x2E)));
}

struct TPictureCase {
  const char* Name;
  QString Path;
  QSize Size;
};

class StoredPicture : public ResourcesTest, public ::testing::WithParamInterface<TPictureCase> {};

TEST_P(StoredPicture, DecodesWithItsSize) {
  const TPictureCase& c = GetParam();
  const QByteArray bytes = ResourceBytes(c.Path);
  ASSERT_FALSE(bytes.isEmpty()) << c.Path.toStdString();
  QString error;
  const QImage image = DecodeJpeg(bytes, &error);
  ASSERT_FALSE(image.isNull()) << error.toStdString();
  EXPECT_EQ(image.size(), c.Size);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, StoredPicture,
    ::testing::Values(TPictureCase{"ControlBar", ResourcePath::ControlBarBackground, QSize(64, 40)},
                      TPictureCase{"ShowcaseGerman", ResourcePath::ShowcaseGerman, QSize(987, 665)},
                      TPictureCase{"ShowcaseEnglish", ResourcePath::ShowcaseEnglish,
                                   QSize(987, 665)}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(ResourcesTest, UnknownResourceGivesNoBytes) {
  EXPECT_TRUE(ResourceBytes(QStringLiteral(":/kavelin/none.jpg")).isEmpty());
}

// --- Files beside the program -----------------------------------------------------------------

TEST(BesideProgram, VersionFileHoldsTheVersionLine) {
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(AsPath(RuntimeDir + "Ver.ini"), bytes));
  EXPECT_EQ(bytes, "Version 9.2.6\r\n");
}

struct TFilePictureCase {
  const char* Name;
  const char* File;
  QSize Size;
};

class BesidePicture : public ::testing::TestWithParam<TFilePictureCase> {};

TEST_P(BesidePicture, DecodesWithItsSize) {
  const TFilePictureCase& c = GetParam();
  QString error;
  const QImage image = LoadJpegFile(AsPath(RuntimeDir + c.File), &error);
  ASSERT_FALSE(image.isNull()) << error.toStdString();
  EXPECT_EQ(image.size(), c.Size);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, BesidePicture,
    ::testing::Values(TFilePictureCase{"Header", "recom/m_head.jpg", QSize(1600, 40)},
                      TFilePictureCase{"About", "recom/m_about.jpg", QSize(234, 105)}),
    [](const auto& info) { return std::string(info.param.Name); });

// The header fills a panel as wide as a maximized window; beyond the wordmark it must stay
// plain white so that it ends without a visible edge.
TEST(BesideProgram, HeaderPictureIsWhiteAtItsRightEnd) {
  const QImage image = LoadJpegFile(AsPath(RuntimeDir + "recom/m_head.jpg"));
  ASSERT_FALSE(image.isNull());
  for (int y = 0; y < image.height(); y += 3) EXPECT_GE(qGray(image.pixel(1590, y)), 250);
}

class HelpPage : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(AsPath(RuntimeDir + "help/help.html"), bytes));
    text_ = QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
  }
  QString text_;
};

TEST_F(HelpPage, HasAGermanAndAnEnglishPart) {
  EXPECT_TRUE(text_.contains(QStringLiteral("id=\"deutsch\" lang=\"de\"")));
  EXPECT_TRUE(text_.contains(QStringLiteral("id=\"english\" lang=\"en\"")));
}

// The keys of the source window and the main window's commands are explained in both parts.
TEST_F(HelpPage, ExplainsTheKeysInBothLanguages) {
  const int english = static_cast<int>(text_.indexOf(QStringLiteral("id=\"english\"")));
  ASSERT_GT(english, 0);
  const QString german = text_.left(english), englishPart = text_.mid(english);
  for (const char* key :
       {"F2", "Esc", "F3", "Alt+O", "Alt+N", "Alt+S", "Alt+X", "Alt+H", "Alt+I"}) {
    EXPECT_TRUE(german.contains(QString::fromLatin1(key))) << key;
    EXPECT_TRUE(englishPart.contains(QString::fromLatin1(key))) << key;
  }
  EXPECT_TRUE(german.contains(QStringLiteral("Strg+F")));
  EXPECT_TRUE(englishPart.contains(QStringLiteral("Ctrl+F")));
}

// Every picture the page shows is installed with it: no broken images in the help.
TEST_F(HelpPage, EveryPictureItShowsExists) {
  const QRegularExpression src(QStringLiteral("src=\"([^\"]+)\""),
                               QRegularExpression::CaseInsensitiveOption);
  int pictures = 0;
  for (auto it = src.globalMatch(text_); it.hasNext(); ++pictures) {
    const std::string rel = it.next().captured(1).toStdString();
    EXPECT_TRUE(FileExists(AsPath(RuntimeDir + "help/" + rel))) << rel;
  }
  EXPECT_GT(pictures, 20);
}

// Plain ASCII with character references: the page reads right whatever encoding the
// desktop's browser assumes.
TEST_F(HelpPage, IsPlainAsciiWithCrLfLines) {
  for (QChar ch : text_) ASSERT_LT(ch.unicode(), 128);
  EXPECT_FALSE(text_.contains(QRegularExpression(QStringLiteral("[^\\r]\\n"))));
}

}  // namespace
}  // namespace kv
