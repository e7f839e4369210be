// The one crossing between the program's Windows-1252 text and Qt's Unicode strings.
#pragma once

#include <QFile>
#include <QString>
#include <string>

#include "support/Cp1252.h"
#include "support/HostPath.h"

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

// Unicode text for display (a path shown to a person, a message that holds one).
inline QString ToQ(const std::u32string& text) {
  return QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size()));
}

// A path from a Qt dialog, a drop or a file address, as the host's bytes, and back for Qt
// calls that take a file name. The local 8-bit encoding of file names is the host's own
// (UTF-8 here), and undecodable bytes come back as they were.
inline THostPath PathFromQ(const QString& path) {
  const QByteArray bytes = QFile::encodeName(path);
  return THostPath::FromBytes(std::string(bytes.constData(), static_cast<size_t>(bytes.size())));
}

inline QString PathToQ(const THostPath& path) {
  return QFile::decodeName(
      QByteArray(path.Bytes().data(), static_cast<qsizetype>(path.Bytes().size())));
}

}  // namespace kv
