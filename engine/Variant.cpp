#include "engine/Variant.h"

#include <charconv>

#include "support/AnsiCase.h"

namespace kv {

namespace {

const char* KindName(TVariant::TKind kind) {
  switch (kind) {
    case TVariant::TKind::Null:
      return "Null";
    case TVariant::TKind::Boolean:
      return "Boolean";
    case TVariant::TKind::Integer:
      return "Integer";
    case TVariant::TKind::String:
      return "String";
  }
  return "Unknown";
}

// The framework's wording of a failed variant conversion.
[[noreturn]] void ThrowConversion(TVariant::TKind from, const char* to) {
  throw EVariantError(std::string("Variante des Typs (") + KindName(from) +
                      ") konnte nicht in Typ (" + to + ") konvertiert werden");
}

bool ParseInteger(const std::string& text, std::int64_t& value) {
  std::size_t first = text.find_first_not_of(' ');
  std::size_t last = text.find_last_not_of(' ');
  if (first == std::string::npos) return false;
  const char* begin = text.data() + first;
  const char* end = text.data() + last + 1;
  if (*begin == '+') ++begin;
  auto [ptr, ec] = std::from_chars(begin, end, value);
  return ec == std::errc() && ptr == end;
}

}  // namespace

bool TVariant::AsBoolean() const {
  switch (Kind()) {
    case TKind::Boolean:
      return std::get<bool>(FValue);
    case TKind::Integer:
      return std::get<std::int64_t>(FValue) != 0;
    case TKind::String: {
      const std::string& text = std::get<std::string>(FValue);
      if (AnsiCompareText(text, "true") == 0) return true;
      if (AnsiCompareText(text, "false") == 0) return false;
      std::int64_t number = 0;
      if (ParseInteger(text, number)) return number != 0;
      break;
    }
    case TKind::Null:
      break;
  }
  ThrowConversion(Kind(), "Boolean");
}

std::int64_t TVariant::AsInteger() const {
  switch (Kind()) {
    case TKind::Boolean:
      return std::get<bool>(FValue) ? 1 : 0;
    case TKind::Integer:
      return std::get<std::int64_t>(FValue);
    case TKind::String: {
      std::int64_t number = 0;
      if (ParseInteger(std::get<std::string>(FValue), number)) return number;
      break;
    }
    case TKind::Null:
      break;
  }
  ThrowConversion(Kind(), "Integer");
}

std::string TVariant::AsString() const {
  switch (Kind()) {
    case TKind::Null:
      return std::string();
    case TKind::Boolean:
      return std::get<bool>(FValue) ? "True" : "False";
    case TKind::Integer:
      return std::to_string(std::get<std::int64_t>(FValue));
    case TKind::String:
      return std::get<std::string>(FValue);
  }
  return std::string();
}

std::string TVariant::AsText() const {
  if (IsNull()) ThrowConversion(Kind(), "String");
  return AsString();
}

}  // namespace kv
