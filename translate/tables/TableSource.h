// The authored source of the windows' stored translation tables. kv_tablegen writes the payload
// files of this folder from it; a test checks that the committed files match it.
#pragma once

#include <string>
#include <vector>

#include "translate/LangTypes.h"

namespace kv {

struct TAuthoredRow {
  TStringsType Section;
  std::string Key;
  std::string German;
  std::string English;
};

// The six windows that carry a translator, in their creation order.
const std::vector<std::string>& TranslatedWindows();
// The rows of a window's tables (the shared dialog-caption rows included), in stored order.
std::vector<TAuthoredRow> AuthoredRows(const std::string& windowClassName);
// The payload of a window built from its rows.
std::string AuthoredTranslationData(const std::string& windowClassName);
// The payload file name of a window inside this folder.
std::string PayloadFileName(const std::string& windowClassName);

}  // namespace kv
