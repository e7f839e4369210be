#include "platform/Jpeg.h"

#include <csetjmp>
#include <cstdio>  // jpeglib.h expects FILE and size_t to be declared already

extern "C" {
#include <jerror.h>
#include <jpeglib.h>
}

#include "platform/QtText.h"
#include "platform/classes/Exception.h"
#include "support/Cp1252.h"
#include "support/Files.h"

namespace kv {
namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return. We jump back to
// the decoding frame instead of letting the library call exit(): a damaged picture must cost
// the user an error message, not the program.
struct TErrorTrap {
  jpeg_error_mgr Pub;  // first member: libjpeg hands us a pointer to it
  std::jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX];
};

[[noreturn]] void TrapErrorExit(j_common_ptr cinfo) {
  auto* trap = reinterpret_cast<TErrorTrap*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, trap->Message);
  std::longjmp(trap->Jump, 1);
}

// Warnings (corrupt data that libjpeg can step over) and trace messages stay silent; the
// library's default prints them to stderr.
void TrapEmitMessage(j_common_ptr, int) {}

void TrapOutputMessage(j_common_ptr) {}

// A source over bytes already in memory. libjpeg asks for more only when it has read every
// byte without meeting the end-of-image marker: the file is short. The source then feeds it an
// end marker, so that the library stops cleanly, and remembers that the data ran out.
struct TMemorySource {
  jpeg_source_mgr Pub;  // first member, as for the error trap
  bool RanOut = false;
};

const JOCTET FakeEndOfImage[2] = {0xFF, JPEG_EOI};

TMemorySource* SourceOf(j_decompress_ptr cinfo) {
  return reinterpret_cast<TMemorySource*>(cinfo->src);
}

void SourceInit(j_decompress_ptr) {}

boolean SourceFill(j_decompress_ptr cinfo) {
  TMemorySource* source = SourceOf(cinfo);
  source->RanOut = true;
  source->Pub.next_input_byte = FakeEndOfImage;
  source->Pub.bytes_in_buffer = sizeof FakeEndOfImage;
  return TRUE;
}

void SourceSkip(j_decompress_ptr cinfo, long count) {
  if (count <= 0) return;
  TMemorySource* source = SourceOf(cinfo);
  if (static_cast<unsigned long>(count) > source->Pub.bytes_in_buffer) {
    SourceFill(cinfo);
    return;
  }
  source->Pub.next_input_byte += count;
  source->Pub.bytes_in_buffer -= static_cast<size_t>(count);
}

void SourceTerm(j_decompress_ptr) {}

// libjpeg calls the progress monitor while it reads the scans; past the limit it stops the
// decoding the way a fatal error does.
struct TScanGuard {
  jpeg_progress_mgr Pub;  // first member, as for the error trap
  bool Exceeded = false;
};

void GuardScans(j_common_ptr cinfo) {
  if (!cinfo->is_decompressor) return;
  if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number <= MaxJpegScans) return;
  reinterpret_cast<TScanGuard*>(cinfo->progress)->Exceeded = true;
  cinfo->err->msg_code = JERR_NOTIMPL;
  (*cinfo->err->error_exit)(cinfo);
}

enum class TDecodeResult { Ok, Failed, Truncated, TooLarge, TooManyScans, OutOfMemory };
// Rgb32: libjpeg-turbo writes rows straight in QImage's 0xAARRGGBB layout (B, G, R, A in
// memory on a little-endian machine), so colour pictures need no second pass.
enum class TSampleKind { Gray, Rgb, Rgb32, Cmyk };

#if defined(JCS_ALPHA_EXTENSIONS) && Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr bool DirectRgb32 = true;
constexpr J_COLOR_SPACE Rgb32Space = JCS_EXT_BGRA;
#else
constexpr bool DirectRgb32 = false;
constexpr J_COLOR_SPACE Rgb32Space = JCS_RGB;
#endif

QImage::Format FormatFor(TSampleKind kind) {
  switch (kind) {
    case TSampleKind::Gray:
      return QImage::Format_Grayscale8;
    case TSampleKind::Rgb:
      return QImage::Format_RGB888;
    case TSampleKind::Rgb32:
    case TSampleKind::Cmyk:
      break;
  }
  return QImage::Format_RGB32;
}

// Kept out of the decoding frame: it creates and destroys a temporary QImage, and no object
// with a destructor may be alive in a frame that a longjmp can leave.
bool AllocateImage(QImage& image, unsigned width, unsigned height, TSampleKind kind) {
  image = QImage(static_cast<int>(width), static_cast<int>(height), FormatFor(kind));
  return !image.isNull();
}

int MultiplyDiv255(int a, int b) {
  return (a * b + 127) / 255;
}

// Adobe's applications write CMYK with every sample inverted (0 = full ink) and mark the file
// with their APP14 segment; other writers store ink amounts as they are.
void CmykToRgb32(const JSAMPLE* in, QRgb* out, unsigned width, bool adobeInverted) {
  for (unsigned x = 0; x < width; ++x, in += 4) {
    int c = in[0], m = in[1], y = in[2], k = in[3];
    if (!adobeInverted) {
      c = 255 - c;
      m = 255 - m;
      y = 255 - y;
      k = 255 - k;
    }
    out[x] = qRgb(MultiplyDiv255(c, k), MultiplyDiv255(m, k), MultiplyDiv255(y, k));
  }
}

// Every libjpeg call that can fail runs here. A failure lands back at the setjmp; only
// references and plain values live in this frame.
TDecodeResult DecodeProtected(jpeg_decompress_struct& cinfo, TErrorTrap& trap,
                              TMemorySource& source, TScanGuard& guard, const QByteArray& bytes,
                              QImage& image) {
  if (setjmp(trap.Jump)) return TDecodeResult::Failed;

  jpeg_create_decompress(&cinfo);
  source.Pub.init_source = SourceInit;
  source.Pub.fill_input_buffer = SourceFill;
  source.Pub.skip_input_data = SourceSkip;
  source.Pub.resync_to_restart = jpeg_resync_to_restart;
  source.Pub.term_source = SourceTerm;
  source.Pub.next_input_byte = reinterpret_cast<const JOCTET*>(bytes.constData());
  source.Pub.bytes_in_buffer = static_cast<size_t>(bytes.size());
  cinfo.src = &source.Pub;
  guard.Pub.progress_monitor = GuardScans;
  cinfo.progress = &guard.Pub;

  jpeg_read_header(&cinfo, TRUE);
  const long long pixels = static_cast<long long>(cinfo.image_width) * cinfo.image_height;
  if (pixels > MaxJpegPixels) return TDecodeResult::TooLarge;

  TSampleKind kind;
  switch (cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
      cinfo.out_color_space = JCS_GRAYSCALE;
      kind = TSampleKind::Gray;
      break;
    case JCS_CMYK:
    case JCS_YCCK:
      cinfo.out_color_space = JCS_CMYK;
      kind = TSampleKind::Cmyk;
      break;
    default:
      cinfo.out_color_space = DirectRgb32 ? Rgb32Space : JCS_RGB;
      kind = DirectRgb32 ? TSampleKind::Rgb32 : TSampleKind::Rgb;
      break;
  }
  jpeg_start_decompress(&cinfo);
  if (source.RanOut) return TDecodeResult::Truncated;  // progressive: all scans are read here

  if (!AllocateImage(image, cinfo.output_width, cinfo.output_height, kind)) {
    return TDecodeResult::OutOfMemory;
  }
  JSAMPARRAY cmykRow = nullptr;
  if (kind == TSampleKind::Cmyk) {
    cmykRow = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                         cinfo.output_width * 4, 1);
  }
  const bool adobeInverted = cinfo.saw_Adobe_marker;
  while (cinfo.output_scanline < cinfo.output_height) {
    uchar* line = image.scanLine(static_cast<int>(cinfo.output_scanline));
    JSAMPROW row = kind == TSampleKind::Cmyk ? cmykRow[0] : line;
    if (jpeg_read_scanlines(&cinfo, &row, 1) != 1) return TDecodeResult::Failed;
    // Stop at once: libjpeg would go on to fill the rest of a short picture with grey.
    if (source.RanOut) return TDecodeResult::Truncated;
    if (kind == TSampleKind::Cmyk) {
      CmykToRgb32(cmykRow[0], reinterpret_cast<QRgb*>(line), cinfo.output_width, adobeInverted);
    }
  }
  // Even a file that lacks only its end marker counts as short: for a progressive picture that
  // cannot be told from one cut off between two scans, a blurred picture shown as complete.
  jpeg_finish_decompress(&cinfo);
  return source.RanOut ? TDecodeResult::Truncated : TDecodeResult::Ok;
}

void SetError(QString* error, const QString& message) {
  if (error) *error = message;
}

QString FromAnsi(const std::string& text) {
  return QString::fromStdU16String(Cp1252ToUtf16(text));
}

}  // namespace

QImage DecodeJpeg(const QByteArray& bytes, QString* error) {
  if (bytes.isEmpty()) {
    SetError(error, QStringLiteral("Keine Bilddaten: die JPEG-Daten sind leer"));
    return {};
  }
  jpeg_decompress_struct cinfo{};
  TErrorTrap trap;
  TMemorySource source;
  TScanGuard guard;
  cinfo.err = jpeg_std_error(&trap.Pub);
  trap.Pub.error_exit = TrapErrorExit;
  trap.Pub.emit_message = TrapEmitMessage;
  trap.Pub.output_message = TrapOutputMessage;
  trap.Message[0] = '\0';

  QImage image;
  TDecodeResult result = DecodeProtected(cinfo, trap, source, guard, bytes, image);
  // Ending in the middle of the header shows up as a follow-on error ("no image"); the real
  // cause is the missing data.
  if (result == TDecodeResult::Failed && guard.Exceeded) result = TDecodeResult::TooManyScans;
  if (result == TDecodeResult::Failed && source.RanOut) result = TDecodeResult::Truncated;
  const unsigned width = cinfo.image_width, height = cinfo.image_height;
  jpeg_destroy_decompress(&cinfo);

  switch (result) {
    case TDecodeResult::Ok:
      if (image.format() == QImage::Format_RGB32) return image;
      image = image.convertToFormat(QImage::Format_RGB32);
      if (!image.isNull()) return image;
      [[fallthrough]];
    case TDecodeResult::OutOfMemory:
      SetError(error, QStringLiteral("Nicht genug Speicher für ein JPEG-Bild von %1 x %2 Pixeln")
                          .arg(width)
                          .arg(height));
      break;
    case TDecodeResult::TooLarge:
      SetError(error,
               QStringLiteral("JPEG-Bild ist zu groß (%1 x %2 Pixel)").arg(width).arg(height));
      break;
    case TDecodeResult::TooManyScans:
      SetError(error, QStringLiteral("JPEG-Bild hat mehr als %1 Durchgänge und ist wohl beschädigt")
                          .arg(MaxJpegScans));
      break;
    case TDecodeResult::Truncated:
      SetError(error, QStringLiteral("JPEG-Bild ist unvollständig: die Daten enden vorzeitig"));
      break;
    case TDecodeResult::Failed:
      SetError(error,
               QStringLiteral("Ungültiges JPEG-Bild (%1)").arg(QString::fromLatin1(trap.Message)));
      break;
  }
  return {};
}

QImage LoadJpegFile(const THostPath& path, QString* error) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) {
    SetError(error, FromAnsi(FrameworkText::FileOpenError(path)));
    return {};
  }
  QString reason;
  QImage image = DecodeJpeg(
      QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())), &reason);
  if (image.isNull()) SetError(error, QStringLiteral("Datei %1: %2").arg(PathToQ(path), reason));
  return image;
}

}  // namespace kv
