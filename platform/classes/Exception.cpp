#include "platform/classes/Exception.h"

namespace kv::FrameworkText {

// Stored in Windows-1252, as all text inside the program.
std::string ListIndexError(int index) {
  return "Listenindex \xFC"
         "berschreitet das Maximum (" +
         std::to_string(index) + ")";
}
std::string FileOpenError(const THostPath& path) {
  return "Datei " + PathInMessage(path) +
         " kann nicht ge\xF6"
         "ffnet werden";
}
std::string FileCreateError(const THostPath& path) {
  return "Datei " + PathInMessage(path) + " kann nicht erstellt werden";
}
std::string FileWriteError(const THostPath& path) {
  return "Fehler beim Schreiben der Datei " + PathInMessage(path);
}
std::string InvalidInteger(const std::string& text) {
  return "'" + text + "' ist kein g\xFCltiger Integerwert";
}
std::string DuplicateString() {
  return "Stringliste l\xE4sst keine Duplikate zu";
}

}  // namespace kv::FrameworkText
