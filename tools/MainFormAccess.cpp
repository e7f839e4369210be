#include "tools/MainFormAccess.h"

#include "translate/LangDispatcher.h"
#include "translate/ProgramTexts.h"

namespace kv {

namespace {
TLangDispatcher* gDispatcher = nullptr;
TMainFormFields gFields;

std::string Value(const std::string* field) {
  return field ? *field : std::string();
}
THostPath Value(const THostPath* field) {
  return field ? *field : THostPath();
}
}  // namespace

TLangDispatcher* MainDispatcher() {
  return gDispatcher;
}
void SetMainDispatcher(TLangDispatcher* dispatcher) {
  gDispatcher = dispatcher;
}
int MainLanguage() {
  return gDispatcher ? gDispatcher->ActiveLanguage() : 1;
}
std::string ActiveProgramText(std::string_view id) {
  return ProgramText(id, MainLanguage());
}

void SetMainFormFields(const TMainFormFields& fields) {
  gFields = fields;
}
const TMainFormFields& MainFormFields() {
  return gFields;
}
THostPath MainAppDir() {
  return Value(gFields.AppDir);
}
THostPath MainDocDir() {
  return Value(gFields.DocDir);
}
THostPath MainCurrentFile() {
  return Value(gFields.CurrentFile);
}
std::string MainProductTitle() {
  return Value(gFields.ProductTitle);
}
std::string MainVersionText() {
  return Value(gFields.VersionText);
}

}  // namespace kv
