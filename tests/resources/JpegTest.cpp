// Decoding with libjpeg: the colour layouts a JPEG can have, and damaged data that must give a
// message instead of a crash, an exit or a grey picture passed off as the real one.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QImage>
#include <QString>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/Jpeg.h"
#include "support/Files.h"
#include "tests/common/AsPath.h"
#include "tests/resources/TestJpegEncoder.h"

namespace kv {
namespace {

using test::EncodeNoiseJpeg;
using test::EncodeSolidJpeg;
using test::TJpegLayout;

QByteArray Bytes(const std::string& s) {
  return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

void ExpectColorNear(QRgb actual, QRgb expected, int tolerance) {
  EXPECT_NEAR(qRed(actual), qRed(expected), tolerance);
  EXPECT_NEAR(qGreen(actual), qGreen(expected), tolerance);
  EXPECT_NEAR(qBlue(actual), qBlue(expected), tolerance);
}

struct TLayoutCase {
  const char* Name;
  TJpegLayout Layout;
  std::vector<uint8_t> Sample;
  QRgb Expected;
};

void PrintTo(const TLayoutCase& c, std::ostream* os) {
  *os << c.Name;
}

class JpegLayout : public ::testing::TestWithParam<TLayoutCase> {};

TEST_P(JpegLayout, DecodesToRgb32WithTheRightColour) {
  const TLayoutCase& c = GetParam();
  QString error;
  const QImage image = DecodeJpeg(Bytes(EncodeSolidJpeg(c.Layout, 23, 11, c.Sample)), &error);
  ASSERT_FALSE(image.isNull()) << error.toStdString();
  EXPECT_TRUE(error.isEmpty());
  EXPECT_EQ(image.size(), QSize(23, 11));
  EXPECT_EQ(image.format(), QImage::Format_RGB32);
  ExpectColorNear(image.pixel(0, 0), c.Expected, 6);
  ExpectColorNear(image.pixel(22, 10), c.Expected, 6);
  // Format_RGB32 wants its unused top byte at 0xFF; painting code may rely on it.
  EXPECT_EQ(reinterpret_cast<const QRgb*>(image.constScanLine(10))[22] >> 24, 0xFFu);
}

// Cyan in every CMYK layout: full cyan ink, none of the others. Adobe's writers store the
// samples inverted, so there full cyan is 0 and "no ink" is 255.
INSTANTIATE_TEST_SUITE_P(
    Layouts, JpegLayout,
    ::testing::Values(
        TLayoutCase{"Rgb", TJpegLayout::Rgb, {200, 40, 90}, qRgb(200, 40, 90)},
        TLayoutCase{
            "RgbProgressive", TJpegLayout::RgbProgressive, {20, 160, 230}, qRgb(20, 160, 230)},
        TLayoutCase{"Gray", TJpegLayout::Gray, {128}, qRgb(128, 128, 128)},
        TLayoutCase{"CmykAdobe", TJpegLayout::CmykAdobe, {0, 255, 255, 255}, qRgb(0, 255, 255)},
        TLayoutCase{"CmykPlain", TJpegLayout::CmykPlain, {255, 0, 0, 0}, qRgb(0, 255, 255)},
        TLayoutCase{"YcckAdobe", TJpegLayout::YcckAdobe, {0, 255, 255, 255}, qRgb(0, 255, 255)},
        TLayoutCase{"CmykAdobeHalfBlack",
                    TJpegLayout::CmykAdobe,
                    {255, 255, 255, 128},
                    qRgb(128, 128, 128)}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(JpegDecode, OnePixelPicture) {
  const QImage image = DecodeJpeg(Bytes(EncodeSolidJpeg(TJpegLayout::Rgb, 1, 1, {0, 0, 255})));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), QSize(1, 1));
}

// --- Damaged data -----------------------------------------------------------------------

std::string Truncated(std::string bytes, double fraction) {
  bytes.resize(static_cast<size_t>(bytes.size() * fraction));
  return bytes;
}

// Every byte of the picture but its end marker: for a progressive picture this cannot be told
// from one cut off between two scans, so it counts as incomplete.
std::string WithoutEndMarker(std::string bytes) {
  EXPECT_EQ(bytes.substr(bytes.size() - 2), std::string("\xFF\xD9"));
  bytes.resize(bytes.size() - 2);
  return bytes;
}

// A progressive picture whose last scan is repeated `times` times before the end marker.
std::string WithRepeatedLastScan(const std::string& bytes, int times) {
  const size_t lastScan = bytes.rfind("\xFF\xDA");
  const size_t end = bytes.size() - 2;
  EXPECT_NE(lastScan, std::string::npos);
  std::string scans;
  for (int i = 0; i < times; ++i) scans += bytes.substr(lastScan, end - lastScan);
  return bytes.substr(0, end) + scans + bytes.substr(end);
}

// Sets the frame size in the start-of-frame segment, leaving the data as it is.
std::string WithFrameSize(std::string bytes, int width, int height) {
  for (size_t i = 0; i + 9 < bytes.size(); ++i) {
    if (static_cast<unsigned char>(bytes[i]) == 0xFF &&
        (static_cast<unsigned char>(bytes[i + 1]) == 0xC0 ||
         static_cast<unsigned char>(bytes[i + 1]) == 0xC2)) {
      bytes[i + 5] = static_cast<char>(height >> 8);
      bytes[i + 6] = static_cast<char>(height & 0xFF);
      bytes[i + 7] = static_cast<char>(width >> 8);
      bytes[i + 8] = static_cast<char>(width & 0xFF);
      return bytes;
    }
  }
  ADD_FAILURE() << "no start-of-frame segment";
  return bytes;
}

// Repeating a scan a few times is odd but harmless; only a flood of scans is refused.
TEST(JpegDecode, AFewRepeatedScansStillDecode) {
  QString error;
  const QImage image =
      DecodeJpeg(Bytes(WithRepeatedLastScan(
                     EncodeSolidJpeg(TJpegLayout::RgbProgressive, 16, 16, {1, 2, 3}), 5)),
                 &error);
  EXPECT_FALSE(image.isNull()) << error.toStdString();
}

struct TBadCase {
  const char* Name;
  std::string Bytes;
  const char* MessagePart;  // expected in the message (German, as the framework's)
};

void PrintTo(const TBadCase& c, std::ostream* os) {
  *os << c.Name;
}

class JpegBadData : public ::testing::TestWithParam<TBadCase> {};

TEST_P(JpegBadData, GivesAMessageAndNoPicture) {
  const TBadCase& c = GetParam();
  QString error;
  const QImage image = DecodeJpeg(Bytes(c.Bytes), &error);
  EXPECT_TRUE(image.isNull());
  EXPECT_TRUE(error.contains(QString::fromUtf8(c.MessagePart))) << error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JpegBadData,
    ::testing::Values(
        TBadCase{"Empty", "", "leer"},
        TBadCase{"Text", "this is not a picture at all", "Ungültiges JPEG-Bild"},
        TBadCase{"OnlyStartMarker", std::string("\xFF\xD8", 2), "unvollständig"},
        TBadCase{"CutInHeader", Truncated(EncodeNoiseJpeg(64, 48), 0.05), "unvollständig"},
        TBadCase{"CutInData", Truncated(EncodeNoiseJpeg(64, 48), 0.5), "unvollständig"},
        TBadCase{"CutProgressive",
                 Truncated(EncodeSolidJpeg(TJpegLayout::RgbProgressive, 64, 48, {1, 2, 3}), 0.6),
                 "unvollständig"},
        TBadCase{"NoEndMarker", WithoutEndMarker(EncodeNoiseJpeg(64, 48)), "unvollständig"},
        TBadCase{"HugeFrame", WithFrameSize(EncodeNoiseJpeg(16, 16), 60000, 60000), "zu groß"},
        TBadCase{
            "EndlessScans",
            WithRepeatedLastScan(EncodeSolidJpeg(TJpegLayout::RgbProgressive, 16, 16, {1, 2, 3}),
                                 600),
            "Durchgänge"},
        TBadCase{"ZeroWidth", WithFrameSize(EncodeNoiseJpeg(16, 16), 0, 16),
                 "Ungültiges JPEG-Bild"}),
    [](const auto& info) { return std::string(info.param.Name); });

// Random damage in the middle of the data: libjpeg either steps over it or reports it; either
// way the call returns, and a picture, if any, has the frame's size.
TEST(JpegDecode, ScrambledDataNeverCrashes) {
  const std::string clean = EncodeNoiseJpeg(80, 60, 7);
  unsigned state = 99;
  for (int round = 0; round < 200; ++round) {
    std::string bytes = clean;
    for (int k = 0; k < 8; ++k) {
      state = state * 1103515245u + 12345u;
      const size_t at = 20 + (state >> 8) % (bytes.size() - 20);
      bytes[at] = static_cast<char>(state >> 24);
    }
    QString error;
    const QImage image = DecodeJpeg(Bytes(bytes), &error);
    if (image.isNull()) {
      EXPECT_FALSE(error.isEmpty());
    } else {
      EXPECT_EQ(image.format(), QImage::Format_RGB32);
      EXPECT_GT(image.width(), 0);
    }
  }
}

// --- Files --------------------------------------------------------------------------------

class JpegFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = QDir::tempPath().toStdString() + "/kv_jpeg_test_" + std::to_string(::getpid());
    ASSERT_TRUE(ForceDirectories(AsPath(dir_)));
  }
  void TearDown() override { std::filesystem::remove_all(AsPath(dir_).Sys()); }
  std::string dir_;
};

TEST_F(JpegFile, LoadsFromAPathInTheProgramsCodePage) {
  const std::string path = dir_ + "/Bild_\xE4\xF6\xFC.jpg";  // Windows-1252 umlauts
  ASSERT_TRUE(WriteFileBytes(AsPath(path), EncodeSolidJpeg(TJpegLayout::Rgb, 8, 4, {9, 9, 9})));
  QString error;
  const QImage image = LoadJpegFile(AsPath(path), &error);
  ASSERT_FALSE(image.isNull()) << error.toStdString();
  EXPECT_EQ(image.size(), QSize(8, 4));
}

TEST_F(JpegFile, MissingFileGivesTheFileOpenMessageWithThePath) {
  const std::string path = dir_ + "/nirgends.jpg";
  QString error;
  EXPECT_TRUE(LoadJpegFile(AsPath(path), &error).isNull());
  EXPECT_EQ(error, QString::fromStdString("Datei " + path +
                                          " kann nicht ge\xC3\xB6"
                                          "ffnet werden"));
}

TEST_F(JpegFile, DamagedFileNamesTheFile) {
  const std::string path = dir_ + "/kaputt.jpg";
  ASSERT_TRUE(WriteFileBytes(AsPath(path), Truncated(EncodeNoiseJpeg(64, 48), 0.5)));
  QString error;
  EXPECT_TRUE(LoadJpegFile(AsPath(path), &error).isNull());
  EXPECT_TRUE(error.contains(QString::fromStdString(path))) << error.toStdString();
  EXPECT_TRUE(error.contains(QStringLiteral("unvollständig"))) << error.toStdString();
}

}  // namespace
}  // namespace kv
