// The system clipboard: plain text in the program's code page, and further formats by name.
#pragma once

#include <QByteArray>
#include <map>
#include <string>

namespace kv {

class TClipboard {
 public:
  bool HasText() const;
  std::string AsText() const;
  void SetAsText(const std::string& text);
  // Puts text and further formats (MIME type -> bytes) on the clipboard in one go.
  void SetFormats(const std::string& text, const std::map<std::string, QByteArray>& formats);
  QByteArray Format(const std::string& mimeType) const;
  bool HasFormat(const std::string& mimeType) const;
};

TClipboard& Clipboard();

}  // namespace kv
