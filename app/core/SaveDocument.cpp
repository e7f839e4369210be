#include "app/core/SaveDocument.h"

#include "app/core/PageRewrite.h"
#include "platform/classes/Strings.h"

namespace kv {

std::string JoinSavedLines(const std::vector<std::string>& lines) {
  size_t size = 0;
  for (const auto& l : lines) size += l.size() + 2;
  std::string bytes;
  bytes.reserve(size);
  for (const auto& l : lines) {
    bytes += l;
    bytes += "\r\n";
  }
  return bytes;
}

void WriteSavedPage(const THostPath& path, const std::vector<std::string>& lines) {
  SaveBytesToFile(path, JoinSavedLines(lines));
}

void SaveRewrittenText(const THostPath& path, std::string_view text, const THostPath& docDir) {
  SaveBytesToFile(path, RewriteSavedText(text, docDir));
}

void SaveRewrittenPage(const THostPath& path, std::vector<std::string> lines,
                       const THostPath& docDir) {
  WriteSavedPage(path, RewriteSavedPage(std::move(lines), docDir));
}

}  // namespace kv
