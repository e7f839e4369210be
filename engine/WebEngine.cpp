#include "engine/WebEngine.h"

namespace kv {

int TWebEngine::Language() const {
  int language = ActiveLanguage ? ActiveLanguage() : EngineLanguageEnglish;
  return language == EngineLanguageGerman ? EngineLanguageGerman : EngineLanguageEnglish;
}

}  // namespace kv
