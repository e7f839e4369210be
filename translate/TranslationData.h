// The stored form of a translator's tables (the binary property "TranslationData"): per table a
// header line with the section name, then one line per row, every line ending in CR LF.
#pragma once

#include <array>
#include <string>

#include "translate/LangTypes.h"

namespace kv {

class TStringList;

// The tables of one translator by section; an entry may be null (that section is then skipped).
using TTableSet = std::array<TStringList*, kTableCount>;

struct TReadOptions {
  // A row starting with this name and the delimiter is the window's own row and goes first.
  std::string WindowClassName;
  char Delim = '\x01';
  // Inherited tables keep their rows; loaded rows with a known key are merged into them.
  bool IsInheritedOwner = false;
  // Cells of "_Unicode" sections are kept as UTF-8 instead of the 8-bit code page.
  bool StoreAsUTF8 = false;
};

// Reads a payload into the tables. Never fails: anything that is not in the format yields
// empty or partial tables. A section is emptied only when its header is found.
void ReadTranslationData(const std::string& payload, const TTableSet& tables,
                         const TReadOptions& options);
// Header and rows of every table that exists, line breaks in rows escaped as 0x19 / 0x1A.
std::string WriteTranslationData(const TTableSet& tables);

// The stored framing of the property inside a form description: the length-prefixed name
// "TranslationData", the binary value type 0x0A, the payload length (32 bits, little endian).
std::string FrameTranslationData(const std::string& payload);

}  // namespace kv
