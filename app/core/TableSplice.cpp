#include "app/core/TableSplice.h"

namespace kv {

bool SpliceTable(const std::vector<std::string>& page, const std::vector<std::string>& fragment,
                 std::vector<std::string>& out) {
  std::vector<std::string> result;
  result.reserve(page.size() + fragment.size() + 2);
  bool found = false;
  for (const std::string& line : page) {
    const size_t p = line.find(TablePlaceholder);
    if (p == std::string::npos) {
      result.push_back(line);
      continue;
    }
    found = true;
    result.push_back(line.substr(0, p));
    result.push_back(" ");
    result.insert(result.end(), fragment.begin(), fragment.end());
    result.push_back(line.substr(p + TablePlaceholder.size()));
  }
  if (found) out = std::move(result);
  return found;
}

}  // namespace kv
