#include "engine/Doctype.h"

#include "support/AnsiCase.h"
#include "support/Cp1252.h"

namespace kv {

std::string DoctypeOfPage(std::string_view bytes) {
  bool utf8 = false;
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
    bytes.remove_prefix(3);
    utf8 = true;
  }
  std::size_t at = 0;
  for (;;) {
    while (at < bytes.size() && (bytes[at] == ' ' || bytes[at] == '\t' || bytes[at] == '\r' ||
                                 bytes[at] == '\n' || bytes[at] == '\f'))
      ++at;
    if (bytes.substr(at, 4) == "<!--") {
      std::size_t end = bytes.find("-->", at + 4);
      if (end == std::string_view::npos) return std::string();
      at = end + 3;
    } else if (bytes.substr(at, 2) == "<?") {
      std::size_t end = bytes.find('>', at);
      if (end == std::string_view::npos) return std::string();
      at = end + 1;
    } else {
      break;
    }
  }
  if (UpperCaseAscii(bytes.substr(at, 9)) != "<!DOCTYPE") return std::string();
  char quote = 0;
  for (std::size_t i = at + 9; i < bytes.size(); ++i) {
    char c = bytes[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '>') {
      std::string text(bytes.substr(at, i + 1 - at));
      return utf8 ? text : Cp1252ToUtf8(text);
    }
  }
  return std::string();
}

std::string ComposeDoctype(const std::string& name, const std::string& publicId,
                           const std::string& systemId) {
  std::string text = "<!DOCTYPE " + (name.empty() ? std::string("html") : name);
  if (!publicId.empty()) text += " PUBLIC \"" + publicId + "\"";
  if (!systemId.empty()) text += (publicId.empty() ? " SYSTEM \"" : " \"") + systemId + "\"";
  return text + ">";
}

bool DoctypeDeclares(const std::string& declaration, const std::string& name,
                     const std::string& publicId, const std::string& systemId) {
  const std::string upper = UpperCaseAscii(declaration);
  std::size_t at = 9;  // after "<!DOCTYPE"
  while (at < upper.size() &&
         (upper[at] == ' ' || upper[at] == '\t' || upper[at] == '\n' || upper[at] == '\r'))
    ++at;
  if (upper.compare(0, 9, "<!DOCTYPE") != 0 ||
      upper.compare(at, name.size(), UpperCaseAscii(name)) != 0)
    return false;
  return (publicId.empty() || upper.find(UpperCaseAscii(publicId)) != std::string::npos) &&
         (systemId.empty() || upper.find(UpperCaseAscii(systemId)) != std::string::npos);
}

}  // namespace kv
