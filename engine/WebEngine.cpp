#include "engine/WebEngine.h"

namespace kv {

int TWebEngine::Language() const {
  int language = ActiveLanguage ? ActiveLanguage() : EngineLanguageEnglish;
  return language == EngineLanguageGerman ? EngineLanguageGerman : EngineLanguageEnglish;
}

TSerializedPage TWebEngine::SaveToPage() {
  TSerializedPage page;
  for (const std::string& line : SaveToLines()) {
    page.Text += line;
    page.LineEnds.push_back(page.Text.size());
    page.Text += "\r\n";
  }
  return page;
}

}  // namespace kv
