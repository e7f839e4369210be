#include "platform/FontMap.h"

#include <QFontMetrics>

#include "platform/QtText.h"
#include "support/AnsiCase.h"

namespace kv {

QString MapFaceName(const std::string& windowsFace) {
  struct Entry {
    const char* windows;
    const char* installed;
  };
  // fonts-liberation and fonts-dejavu-core, which setup.sh installs.
  static const Entry kMap[] = {
      {"MICROSOFT SANS SERIF", "Liberation Sans"},
      {"MS SANS SERIF", "Liberation Sans"},
      {"ARIAL", "Liberation Sans"},
      {"SEGOE UI", "DejaVu Sans"},
      {"TAHOMA", "DejaVu Sans"},
      {"VERDANA", "DejaVu Sans"},
      {"TREBUCHET MS", "DejaVu Sans"},
      {"COMIC SANS MS", "DejaVu Sans"},
      {"TIMES NEW ROMAN", "Liberation Serif"},
      {"COURIER NEW", "Liberation Mono"},
      {"COURIER", "Liberation Mono"},
      {"FIXEDSYS", "DejaVu Sans Mono"},
  };
  const std::string key = AnsiUpperCase(windowsFace);
  for (const Entry& e : kMap)
    if (key == e.windows) return QString::fromLatin1(e.installed);
  return ToQ(windowsFace);
}

QFont ToQFont(const TFont& font) {
  QFont f(MapFaceName(font.Name()));
  if (font.Height() < 0)
    f.setPixelSize(-font.Height());
  else if (font.Height() > 0)
    f.setPixelSize(font.Height() * 4 / 5 > 0 ? font.Height() * 4 / 5
                                             : 1);  // cell height incl. leading
  f.setBold(font.Style() & fsBold);
  f.setItalic(font.Style() & fsItalic);
  f.setUnderline(font.Style() & fsUnderline);
  f.setStrikeOut(font.Style() & fsStrikeOut);
  f.setStyleHint(font.Pitch() == TFontPitch::fpFixed ? QFont::Monospace : QFont::AnyStyle);
  return f;
}

bool IsFixedPitchFace(const std::string& windowsFace) {
  QFont f(MapFaceName(windowsFace));
  f.setPixelSize(13);
  QFontMetrics m(f);
  return m.horizontalAdvance(QLatin1Char('W')) == m.horizontalAdvance(QLatin1Char('i'));
}

QColor ToQColor(TColor color) {
  TColor c = ColorToRGB(color);
  return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

TColor FromQColor(const QColor& color) {
  return RGB(color.red(), color.green(), color.blue());
}

}  // namespace kv
