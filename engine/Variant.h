// The value type that crosses the engine bridge: what an editing command takes and what a
// command value reads back. It mirrors the four kinds the window code relies on.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "platform/classes/Exception.h"

namespace kv {

// A value that cannot be converted to the requested type (a null value read as a truth value).
class EVariantError : public Exception {
 public:
  using Exception::Exception;
};

class TVariant {
 public:
  enum class TKind { Null, Boolean, Integer, String };

  TVariant() = default;
  TVariant(bool value) : FValue(value) {}
  TVariant(int value) : FValue(static_cast<std::int64_t>(value)) {}
  TVariant(std::int64_t value) : FValue(value) {}
  TVariant(const char* value) : FValue(std::string(value)) {}
  TVariant(std::string value) : FValue(std::move(value)) {}

  TKind Kind() const { return static_cast<TKind>(FValue.index()); }
  bool IsNull() const { return Kind() == TKind::Null; }

  // Conversions in the framework's sense; a null value or text that is no number raises
  // EVariantError.
  bool AsBoolean() const;
  std::int64_t AsInteger() const;
  // A null value reads as the empty text.
  std::string AsString() const;
  // The same, where a text is required: a null value raises EVariantError.
  std::string AsText() const;

  bool operator==(const TVariant& other) const = default;

 private:
  std::variant<std::monostate, bool, std::int64_t, std::string> FValue;
};

}  // namespace kv
