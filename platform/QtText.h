// The one crossing between the program's Windows-1252 text and Qt's Unicode strings.
#pragma once

#include <QString>
#include <string>

#include "support/Cp1252.h"

namespace kv {

inline QString ToQ(const std::string& ansi) {
  std::u16string u = Cp1252ToUtf16(ansi);
  return QString(reinterpret_cast<const QChar*>(u.data()), static_cast<qsizetype>(u.size()));
}

inline std::string FromQ(const QString& text) {
  std::u16string u(reinterpret_cast<const char16_t*>(text.utf16()),
                   static_cast<size_t>(text.size()));
  return Utf16ToCp1252(u);
}

// Text a user typed, pasted or committed, as page text: what Windows-1252 cannot hold becomes
// numeric character references, so nothing is lost.
inline std::string ToPageText(const QString& text) {
  return Utf16ToPageText(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                             static_cast<size_t>(text.size())));
}

}  // namespace kv
