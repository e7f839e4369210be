#include "translate/TranslationData.h"

#include <vector>

#include "platform/classes/Strings.h"
#include "support/Cp1252.h"
#include "support/ScopeGuard.h"
#include "translate/LangRows.h"

namespace kv {

namespace {

std::u16string DecodeUtf16Le(const std::string& bytes) {
  std::u16string text;
  text.reserve(bytes.size() / 2);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2)
    text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                         (static_cast<unsigned char>(bytes[i + 1]) << 8)));
  return text;
}

std::string Utf16ToUtf8(const std::u16string& text) {
  std::u32string code;
  code.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c < 0xE000) {
      c = 0xFFFD;  // an unpaired surrogate cannot be encoded
    }
    code.push_back(c);
  }
  return EncodeUtf8(code);
}

int FindKeyIgnoringCase(const TStringList& table, const std::string& key, char delim) {
  for (int i = 0; i < table.Count(); ++i)
    if (SameText(GetColumn(table.StringRef(i), 0, delim), key)) return i;
  return -1;
}

// Merges a loaded row into an inherited one: non-empty new cells win, extra columns are added.
std::string MergeRow(const std::string& oldRow, const std::string& newRow, char delim) {
  const int oldCols = CountDelims(oldRow, delim);
  const int newCols = CountDelims(newRow, delim);
  std::string r = GetColumn(oldRow, 0, delim);
  for (int k = 1; k < std::max(oldCols, newCols); ++k) {
    std::string cell = GetColumn(newRow, k, delim);
    if (cell.empty()) cell = GetColumn(oldRow, k, delim);
    r += delim;
    r += cell;
  }
  r += delim;
  return r;
}

// One pass over the lines; `skip` marks sections this pass leaves alone.
void ReadLines(const std::vector<std::string>& lines, const TTableSet& tables,
               const TReadOptions& options, const std::array<bool, kTableCount>& skip,
               bool* sawUnicode) {
  const std::string ownPrefix =
      options.WindowClassName.empty() ? std::string() : options.WindowClassName + options.Delim;
  TStringList* target = nullptr;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    bool unicode = false;
    if (auto section = SectionFromHeader(line, &unicode)) {
      target = nullptr;
      if (i + 1 == lines.size()) break;  // a header on the very last line has no rows
      if (unicode && sawUnicode) *sawUnicode = true;
      const int s = static_cast<int>(*section);
      if (s < kTableCount && !skip[s] && tables[s]) {
        target = tables[s];
        if (!options.IsInheritedOwner) target->Clear();
      }
      continue;
    }
    if (!target) continue;
    const std::string row = UnescapeLineBreaks(line);
    if (options.IsInheritedOwner) {
      const int existing =
          FindKeyIgnoringCase(*target, GetColumn(row, 0, options.Delim), options.Delim);
      if (existing >= 0) {
        target->Put(existing, MergeRow(target->StringRef(existing), row, options.Delim));
        continue;
      }
    }
    if (!ownPrefix.empty() && row.compare(0, ownPrefix.size(), ownPrefix) == 0)
      target->Insert(0, row);
    else
      target->Add(row);
  }
}

}  // namespace

void ReadTranslationData(const std::string& payload, const TTableSet& tables,
                         const TReadOptions& options) {
  if (payload.size() < 2) return;
  const bool wide = payload[1] == '\0';
  std::u16string wideText;
  std::string text;
  if (wide) {
    wideText = DecodeUtf16Le(payload);
    text = Utf16ToCp1252(wideText);
  } else {
    text = payload;
  }
  std::array<bool, kTableCount> skip{};
  bool sawUnicode = false;
  for (TStringList* t : tables)
    if (t) t->BeginUpdate();
  TScopeGuard endUpdates([&tables] {
    for (TStringList* t : tables)
      if (t) t->EndUpdate();
  });
  ReadLines(SplitLines(text), tables, options, skip, &sawUnicode);
  // Only the Windows-1252 code page is known here, so a second pass changes the cells only
  // when they are to be kept as UTF-8; fonts and character sets are names, never re-read.
  if (wide && sawUnicode && options.StoreAsUTF8) {
    skip[stFonts] = skip[stCharSets] = true;
    ReadLines(SplitLines(Utf16ToUtf8(wideText)), tables, options, skip, nullptr);
  }
}

std::string WriteTranslationData(const TTableSet& tables) {
  std::string out;
  for (int s = 0; s < kTableCount; ++s) {
    const TStringList* t = tables[s];
    if (!t) continue;
    out += SectionName(static_cast<TStringsType>(s));
    out += "\r\n";
    for (int i = 0; i < t->Count(); ++i) {
      out += EscapeLineBreaks(t->StringRef(i));
      out += "\r\n";
    }
  }
  return out;
}

std::string FrameTranslationData(const std::string& payload) {
  std::string out;
  out += static_cast<char>(15);
  out += "TranslationData";
  out += static_cast<char>(0x0A);
  const auto n = static_cast<std::uint32_t>(payload.size());
  for (int i = 0; i < 4; ++i) out += static_cast<char>((n >> (8 * i)) & 0xFF);
  out += payload;
  return out;
}

}  // namespace kv
