#include "engine/WebEngine.h"

namespace kv {

int TWebEngine::Language() const {
  int language = ActiveLanguage ? ActiveLanguage() : EngineLanguageEnglish;
  return language == EngineLanguageGerman ? EngineLanguageGerman : EngineLanguageEnglish;
}

std::string TWebEngine::Text(std::string_view id,
                             std::initializer_list<std::string_view> args) const {
  if (Texts) return Texts(id, args);
  std::string text(id);
  for (std::string_view arg : args) (text += ' ') += arg;
  return text;
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
