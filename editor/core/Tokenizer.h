// The line tokenizer: cuts one line into coloured runs by the rules of a syntax styler, carrying
// a TTokenState from line to line. Painting and the HTML/RTF exports consume the runs.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "editor/core/TokenState.h"
#include "platform/classes/Graphics.h"

namespace kv {

class TCustomMemoStyler;

// Resolved drawing attributes of a run. BkColor is never clNone: it is already replaced by the
// editor's background.
struct TRunColors {
  TColor TextColor = clBlack;
  TColor BkColor = clWhite;
  TFontStyles Style = 0;
  bool operator==(const TRunColors&) const = default;
};

struct TTokenRun {
  int Start = 0;          // column of the first character in the line
  std::string_view Text;  // points into the tokenized line; valid while that text is
  TTokenState State;
  TRunColors Colors;
};

// The editor settings the tokenizer depends on besides the styler.
struct TTokenizerSettings {
  bool UseStyler = true;
  bool UrlAware = true;
  bool CaseSensitive = false;
  TColor FontColor = clBlack;
  TFontStyles FontStyle = 0;
  TColor BkColor = clWhite;
  TColor UrlTextColor = clBlue;
  TColor UrlBkColor = clWhite;
  TFontStyles UrlFontStyle = fsUnderline;
  bool operator==(const TTokenizerSettings&) const = default;
};

// A non-owning reference to a callable taking a run; cheaper than std::function per call.
class TRunSink {
 public:
  template <class F, class = std::enable_if_t<!std::is_same_v<std::decay_t<F>, TRunSink>>>
  TRunSink(F&& f)  // NOLINT: implicit on purpose
      : object_(const_cast<void*>(static_cast<const void*>(&f))),
        call_([](void* o, const TTokenRun& run) {
          (*static_cast<std::remove_reference_t<F>*>(o))(run);
        }) {}
  void operator()(const TTokenRun& run) const { call_(object_, run); }

 private:
  void* object_;
  void (*call_)(void*, const TTokenRun&);
};

class TLineTokenizer {
 public:
  TLineTokenizer() = default;

  // Takes a snapshot of the rules; call again after the styler or the settings change.
  void Prepare(const TCustomMemoStyler* styler, const TTokenizerSettings& settings);
  const TTokenizerSettings& Settings() const { return settings_; }
  bool Styled() const { return styled_; }

  // Emits the runs of line in order (adjacent pieces with equal states form one run) and
  // leaves in state the state at the line's end.
  void Tokenize(std::string_view line, TTokenState& state, TRunSink sink) const;
  std::vector<TTokenRun> Runs(std::string_view line, TTokenState& state) const;
  // Only the state at the line's end.
  void Advance(std::string_view line, TTokenState& state) const;
  TRunColors ColorsOf(const TTokenState& state) const;
  // Whether both rule sets carry states from line to line alike (they may differ in colours
  // only), so that states computed under one hold under the other.
  bool SameStateRules(const TLineTokenizer& other) const;

  // The URL chunk covering column, as [start, start + length); false when none.
  bool UrlAt(std::string_view line, int column, int& start, int& length) const;
  bool IsUrlChunk(std::string_view chunk) const;
  static bool IsUrlDelimiter(char c) { return c == ' ' || c == '"' || c == '\'' || c == ','; }

  // Characters of all symbol groups, and the bracket characters (word delimiters of the editor).
  bool IsSymbol(char c) const { return symbolSet_[static_cast<unsigned char>(c)]; }
  bool IsBracketChar(char c) const { return bracketChar_[static_cast<unsigned char>(c)]; }
  // The characters of the first symbol group (word jumps), or a blank without styling.
  const std::string& FirstSymbols() const { return firstSymbols_; }

 private:
  struct Group {
    int Index = 0;
    char Open = 0;
    char Close = 0;
    std::array<bool, 256> Chars{};
    bool operator==(const Group&) const = default;
  };
  struct WordHash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  class Run;
  friend class Run;
  void PrepareGroups(const TCustomMemoStyler* styler, const TTokenizerSettings& settings);
  void TokenizeChunk(Run& run, std::string_view line, int begin, int end) const;
  // The end of the URL chunk that starts at p.
  int ChunkEnd(std::string_view line, int p) const;
  // Tokenizes a whole line into run and leaves the state at its end.
  void WalkLine(Run& run, std::string_view line, TTokenState& state) const;
  bool MatchKeyword(std::string_view word, int& groupIndex) const;

  TTokenizerSettings settings_;
  bool styled_ = false;
  std::string lineComment_, commentLeft_, commentRight_, hexPrefix_;
  char escape_ = 0;
  bool hasEscape_ = false;
  std::array<bool, 256> symbolSet_{};
  bool symbolSetEmpty_ = true;
  std::array<bool, 256> bracketChar_{};
  std::array<bool, 256> numberStart_{};
  std::array<bool, 256> numberBody_{};
  std::array<bool, 256> wordEnd_{};
  std::array<bool, 256> special_{};
  std::vector<Group> brackets_, symbols_;
  // Keyword -> first keyword group holding it (groups are tried in collection order).
  std::unordered_map<std::string, int, WordHash, std::equal_to<>> keywords_;
  std::vector<TRunColors> groupColors_;  // by element style index
  size_t maxKeywordLength_ = 0;
  std::string firstSymbols_ = " ";
  TRunColors plain_, comment_, number_, url_;
};

}  // namespace kv
