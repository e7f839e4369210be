// The framework's error classes. Every error carries a message; the event dispatch of the
// platform layer shows an uncaught one in the standard error box and the program goes on.
#pragma once

#include <stdexcept>
#include <string>

#include "support/HostPath.h"

namespace kv {

class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message), Message(message) {}
  std::string Message;
};

// Index out of range in a list ("Listenindex überschreitet das Maximum (%d)").
class EListError : public Exception {
 public:
  using Exception::Exception;
};
class EStringListError : public EListError {
 public:
  using EListError::EListError;
};
// The silent error: it ends a handler (and the command that ran it) without a message.
class EAbort : public Exception {
 public:
  EAbort() : Exception("Vorgang abgebrochen") {}
};
// Text that is not a number where one is wanted.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};
// File errors: opening for reading, creating, writing.
class EInOutError : public Exception {
 public:
  using Exception::Exception;
};
class EFOpenError : public EInOutError {
 public:
  using EInOutError::EInOutError;
};
class EFCreateError : public EInOutError {
 public:
  using EInOutError::EInOutError;
};
class EWriteError : public EInOutError {
 public:
  using EInOutError::EInOutError;
};

// The framework's own (German) message texts, in one place.
namespace FrameworkText {
std::string ListIndexError(int index);  // "Listenindex überschreitet das Maximum (%d)"
// A path in these texts is shown as page text (references for what the code page lacks).
std::string FileOpenError(const THostPath& path);     // "Datei %s kann nicht geöffnet werden"
std::string FileCreateError(const THostPath& path);   // "Datei %s kann nicht erstellt werden"
std::string FileWriteError(const THostPath& path);    // "Fehler beim Schreiben der Datei %s"
std::string InvalidInteger(const std::string& text);  // "'%s' ist kein gültiger Integerwert"
std::string DuplicateString();                        // "Stringliste lässt keine Duplikate zu"
}  // namespace FrameworkText

}  // namespace kv
