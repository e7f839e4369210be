#include "editor/core/Tokenizer.h"

#include <algorithm>

#include "editor/core/MemoStyler.h"
#include "support/AnsiCase.h"

namespace kv {

namespace {

constexpr std::string_view kUrlPrefixes[] = {"http://", "mailto:", "www.",   "https://",
                                             "ftp://",  "nntp://", "file://"};

unsigned char Upper(char c) {
  return AnsiUpperChar(static_cast<unsigned char>(c));
}

TColor ResolveBk(TColor color, TColor controlBk) {
  return color == clNone ? controlBk : color;
}

}  // namespace

// The pending run: pieces with equal states are joined before they reach the consumer.
class TLineTokenizer::Run {
 public:
  Run(std::string_view line, TTokenState& state, const TLineTokenizer& owner, const TRunSink* sink)
      : line_(line), state_(state), owner_(owner), sink_(sink) {}

  TTokenState& State() { return state_; }

  // Hands over [start, start + length) with the current state, then clears the marks.
  void Emit(int start, int length) {
    if (sink_ && length > 0) {
      if (!state_.InBracket) {
        state_.BracketStart = state_.BracketEnd = 0;
        if (!state_.Symbol && !state_.KeyWord) state_.StyleIndex = -1;
      }
      if (pendingLength_ > 0 && pendingState_ == state_ &&
          pendingStart_ + pendingLength_ == start) {
        pendingLength_ += length;
      } else {
        Flush();
        pendingStart_ = start;
        pendingLength_ = length;
        pendingState_ = state_;
      }
    }
    state_.Number = state_.KeyWord = state_.Symbol = state_.Url = false;
  }

  void Flush() {
    if (pendingLength_ <= 0 || !sink_) return;
    TTokenRun run;
    run.Start = pendingStart_;
    run.Text =
        line_.substr(static_cast<size_t>(pendingStart_), static_cast<size_t>(pendingLength_));
    run.State = pendingState_;
    run.Colors = owner_.ColorsOf(pendingState_);
    pendingLength_ = 0;
    (*sink_)(run);
  }

  bool LineComment = false;  // the line met its line-comment delimiter

 private:
  std::string_view line_;
  TTokenState& state_;
  const TLineTokenizer& owner_;
  const TRunSink* sink_;
  int pendingStart_ = 0;
  int pendingLength_ = 0;
  TTokenState pendingState_;
};

void TLineTokenizer::Prepare(const TCustomMemoStyler* styler, const TTokenizerSettings& settings) {
  settings_ = settings;
  styled_ = styler && settings.UseStyler;
  lineComment_.clear();
  commentLeft_.clear();
  commentRight_.clear();
  hexPrefix_.clear();
  hasEscape_ = false;
  escape_ = 0;
  symbolSet_.fill(false);
  symbolSetEmpty_ = true;
  bracketChar_.fill(false);
  numberStart_.fill(false);
  numberBody_.fill(false);
  wordEnd_.fill(false);
  special_.fill(false);
  brackets_.clear();
  symbols_.clear();
  keywords_.clear();
  groupColors_.clear();
  maxKeywordLength_ = 0;
  firstSymbols_.assign(1, ' ');
  plain_ = {settings.FontColor, settings.BkColor, settings.FontStyle};
  url_ = {settings.UrlTextColor, ResolveBk(settings.UrlBkColor, settings.BkColor),
          settings.UrlFontStyle};
  comment_ = number_ = plain_;
  wordEnd_[static_cast<unsigned char>(' ')] = true;
  wordEnd_[static_cast<unsigned char>(';')] = true;
  wordEnd_[static_cast<unsigned char>(':')] = true;
  if (!styler) return;

  const TCharStyle& cs = styler->CommentStyle();
  comment_ = {cs.TextColor(), ResolveBk(cs.BkColor(), settings.BkColor), cs.Style()};
  const TCharStyle& ns = styler->NumberStyle();
  number_ = {ns.TextColor(), ResolveBk(ns.BkColor(), settings.BkColor), ns.Style()};
  lineComment_ = styler->LineComment();
  commentLeft_ = styler->MultiCommentLeft();
  commentRight_ = styler->MultiCommentRight();
  if (!styler->EscapeChar().empty()) {
    hasEscape_ = true;
    escape_ = styler->EscapeChar()[0];
  }
  for (char c : styler->HexIdentifier()) hexPrefix_ += static_cast<char>(Upper(c));
  for (char c : styler->NumberChars()) {
    numberStart_[Upper(c)] = true;
    numberBody_[Upper(c)] = true;
  }
  for (char c : hexPrefix_) numberStart_[static_cast<unsigned char>(c)] = true;
  numberBody_[static_cast<unsigned char>('E')] = true;
  PrepareGroups(styler, settings);

  // Characters at which something other than plain text may begin.
  special_ = symbolSet_;
  special_[static_cast<unsigned char>(' ')] = true;
  for (const std::string* d : {&lineComment_, &commentLeft_, &commentRight_})
    if (!d->empty()) special_[static_cast<unsigned char>((*d)[0])] = true;
  for (const Group& g : brackets_)
    if (g.Open) special_[static_cast<unsigned char>(g.Open)] = true;
}

void TLineTokenizer::PrepareGroups(const TCustomMemoStyler* styler,
                                   const TTokenizerSettings& settings) {
  const TElementStyles& styles = styler->AllStyles();
  bool firstSymbolGroup = true;
  for (int i = 0; i < styles.Count(); ++i) {
    const TElementStyle* e = styles.Items(i);
    groupColors_.push_back(
        {e->Font().Color(), ResolveBk(e->BGColor(), settings.BkColor), e->Font().Style()});
    switch (e->StyleType()) {
      case TStyleType::stKeyword:
        for (int w = 0; w < e->KeyWords().Count(); ++w) {
          const std::string& word = e->KeyWords().StringRef(w);
          if (word.empty()) continue;
          std::string key = settings.CaseSensitive ? word : AnsiLowerCase(word);
          maxKeywordLength_ = std::max(maxKeywordLength_, key.size());
          keywords_.emplace(std::move(key), i);  // keeps the first group's entry
        }
        break;
      case TStyleType::stBracket: {
        Group g;
        g.Index = i;
        g.Open = e->BracketStart();
        g.Close = e->BracketEnd();
        brackets_.push_back(g);
        if (g.Open) bracketChar_[static_cast<unsigned char>(g.Open)] = true;
        if (g.Close) bracketChar_[static_cast<unsigned char>(g.Close)] = true;
        break;
      }
      case TStyleType::stSymbol: {
        Group g;
        g.Index = i;
        for (char c : e->Symbols()) {
          g.Chars[static_cast<unsigned char>(c)] = true;
          symbolSet_[static_cast<unsigned char>(c)] = true;
          wordEnd_[static_cast<unsigned char>(c)] = true;
          symbolSetEmpty_ = false;
        }
        symbols_.push_back(g);
        if (firstSymbolGroup) firstSymbols_ = e->Symbols();
        firstSymbolGroup = false;
        break;
      }
    }
  }
}

bool TLineTokenizer::SameStateRules(const TLineTokenizer& o) const {
  return styled_ == o.styled_ && settings_.UrlAware == o.settings_.UrlAware &&
         settings_.CaseSensitive == o.settings_.CaseSensitive && lineComment_ == o.lineComment_ &&
         commentLeft_ == o.commentLeft_ && commentRight_ == o.commentRight_ &&
         hexPrefix_ == o.hexPrefix_ && hasEscape_ == o.hasEscape_ && escape_ == o.escape_ &&
         symbolSet_ == o.symbolSet_ && numberStart_ == o.numberStart_ &&
         numberBody_ == o.numberBody_ && wordEnd_ == o.wordEnd_ && brackets_ == o.brackets_ &&
         symbols_ == o.symbols_ && maxKeywordLength_ == o.maxKeywordLength_ &&
         keywords_ == o.keywords_;
}

TRunColors TLineTokenizer::ColorsOf(const TTokenState& s) const {
  if (s.InComment && !s.Url) return comment_;
  if (!s.InBracket || s.Url) {
    if (s.Url) return url_;
    if (s.Number) return number_;
    if ((s.Symbol || s.KeyWord) && s.StyleIndex >= 0 &&
        s.StyleIndex < static_cast<int>(groupColors_.size()))
      return groupColors_[s.StyleIndex];
    return plain_;
  }
  if (s.StyleIndex >= 0 && s.StyleIndex < static_cast<int>(groupColors_.size()))
    return groupColors_[s.StyleIndex];
  return plain_;
}

bool TLineTokenizer::IsUrlChunk(std::string_view chunk) const {
  if (chunk.size() < 4) return false;
  // Most chunks are rejected by their first letter.
  const unsigned char first = AnsiLowerChar(static_cast<unsigned char>(chunk[0]));
  if (first != 'h' && first != 'm' && first != 'w' && first != 'f' && first != 'n') return false;
  for (std::string_view prefix : kUrlPrefixes) {
    if (chunk.size() < prefix.size() || static_cast<unsigned char>(prefix[0]) != first) continue;
    bool same = true;
    for (size_t i = 1; i < prefix.size() && same; ++i)
      same = AnsiLowerChar(static_cast<unsigned char>(chunk[i])) ==
             static_cast<unsigned char>(prefix[i]);
    if (same) return true;
  }
  return false;
}

bool TLineTokenizer::MatchKeyword(std::string_view word, int& groupIndex) const {
  if (word.size() > maxKeywordLength_ || keywords_.empty()) return false;
  auto find = [&](std::string_view key) {
    auto it = keywords_.find(key);
    if (it == keywords_.end()) return false;
    groupIndex = it->second;
    return true;
  };
  if (settings_.CaseSensitive) return find(word);
  auto lower = [&](char* out) {
    for (size_t i = 0; i < word.size(); ++i)
      out[i] = static_cast<char>(AnsiLowerChar(static_cast<unsigned char>(word[i])));
    return std::string_view(out, word.size());
  };
  // Short words are lower-cased on the stack, the rare long one in a string of its own: a
  // keyword may be as long as a styler's author likes.
  char buffer[64];
  if (word.size() <= sizeof buffer) return find(lower(buffer));
  std::string longWord(word.size(), '\0');
  return find(lower(longWord.data()));
}

void TLineTokenizer::TokenizeChunk(Run& run, std::string_view line, int begin, int end) const {
  TTokenState& st = run.State();
  const std::string_view chunk =
      line.substr(static_cast<size_t>(begin), static_cast<size_t>(end - begin));
  const bool url = settings_.UrlAware && IsUrlChunk(chunk);
  if (!styled_ || url) {
    st.Url = url;
    run.Emit(begin, end - begin);
    return;
  }
  // After a line comment the rest of the line is comment, whatever it holds.
  if (run.LineComment) {
    st.InComment = true;
    run.Emit(begin, end - begin);
    return;
  }
  auto startsAt = [&](const std::string& delimiter, int p) {
    return !delimiter.empty() && static_cast<size_t>(end - p) >= delimiter.size() &&
           line.compare(static_cast<size_t>(p), delimiter.size(), delimiter) == 0;
  };
  const bool multiComments = !commentLeft_.empty() && !commentRight_.empty();
  bool wordStart = true;
  int p = begin;
  while (p < end) {
    // 1. Multi-line comments.
    if (!st.InBracket && multiComments) {
      if (st.InComment) {
        size_t q =
            line.substr(0, static_cast<size_t>(end)).find(commentRight_, static_cast<size_t>(p));
        if (q == std::string_view::npos) {
          run.Emit(p, end - p);
          return;
        }
        const int stop = static_cast<int>(q + commentRight_.size());
        run.Emit(p, stop - p);
        st.InComment = false;
        p = stop;
        continue;
      }
      if (startsAt(commentLeft_, p)) {
        st.InComment = true;
        const int len = static_cast<int>(commentLeft_.size());
        run.Emit(p, len);
        p += len;
        continue;
      }
    }
    const unsigned char c = static_cast<unsigned char>(line[p]);
    // 2. Line comment and brackets, outside a comment.
    if (!st.InComment) {
      if (!st.InBracket) {
        if (startsAt(lineComment_, p)) {
          st.InComment = true;
          run.LineComment = true;
          run.Emit(p, end - p);
          return;
        }
        bool entered = false;
        for (const Group& g : brackets_) {
          if (g.Close != 0 && static_cast<char>(c) == g.Open) {
            st.InBracket = true;
            st.BracketStart = g.Open;
            st.BracketEnd = g.Close;
            st.StyleIndex = g.Index;
            run.Emit(p, 1);
            ++p;
            entered = true;
            break;
          }
        }
        if (entered) continue;
      } else if (st.BracketStart != 0) {
        if (hasEscape_ && static_cast<char>(c) == escape_) {
          const int len = std::min(2, end - p);
          run.Emit(p, len);
          p += len;
        } else if (static_cast<char>(c) == st.BracketEnd) {
          run.Emit(p, 1);
          ++p;
          st.InBracket = false;
          wordStart = false;
        } else {
          // The bracket's body up to its end or an escape goes out as one piece.
          int q = p + 1;
          while (q < end && line[q] != st.BracketEnd && !(hasEscape_ && line[q] == escape_)) ++q;
          run.Emit(p, q - p);
          p = q;
          if (p >= end && st.BracketEnd == ' ') st.InBracket = false;
        }
        continue;
      }
    }
    // 3. Symbols.
    bool symbol = false;
    for (const Group& g : symbols_) {
      if (g.Chars[c]) {
        st.Symbol = true;
        st.StyleIndex = g.Index;
        run.Emit(p, 1);
        ++p;
        wordStart = true;
        symbol = true;
        break;
      }
    }
    if (symbol) continue;
    // 4. Numbers.
    if (wordStart && numberStart_[Upper(static_cast<char>(c))]) {
      int q = p;
      bool hex = false;
      if (!hexPrefix_.empty() && end - p >= static_cast<int>(hexPrefix_.size())) {
        hex = true;
        for (size_t i = 0; i < hexPrefix_.size() && hex; ++i)
          hex = Upper(line[p + static_cast<int>(i)]) == static_cast<unsigned char>(hexPrefix_[i]);
        if (hex) q += static_cast<int>(hexPrefix_.size());
      }
      const int digits = q;
      int firstDot = -1;
      while (q < end) {
        const unsigned char u = Upper(line[q]);
        const bool allowed = numberBody_[u] || (hex && u >= 'A' && u <= 'F');
        if (!allowed) break;
        if (u == '.') {
          if (firstDot >= 0) {
            q = firstDot;
            break;
          }
          firstDot = q;
        }
        ++q;
      }
      if (q > digits) {
        st.Number = true;
        run.Emit(p, q - p);
        p = q;
        wordStart = false;
        continue;
      }
    }
    // 5. Keywords.
    if (wordStart && !keywords_.empty()) {
      int q = p;
      const int limit = std::min(end, p + static_cast<int>(maxKeywordLength_) + 1);
      while (q < limit && !wordEnd_[static_cast<unsigned char>(line[q])]) ++q;
      int group = -1;
      if (q > p && q - p <= static_cast<int>(maxKeywordLength_) &&
          (q == end || wordEnd_[static_cast<unsigned char>(line[q])]) &&
          MatchKeyword(line.substr(static_cast<size_t>(p), static_cast<size_t>(q - p)), group)) {
        st.KeyWord = true;
        st.StyleIndex = group;
        run.Emit(p, q - p);
        p = q;
        continue;
      }
    }
    // 6. A plain character, and with it every following character that can start nothing
    // (no word start, no delimiter): they would be emitted one by one with the same state.
    int q = p + 1;
    if (!st.InComment && !st.InBracket && !symbolSetEmpty_)
      while (q < end && !special_[static_cast<unsigned char>(line[q])]) ++q;
    run.Emit(p, q - p);
    p = q;
    if (p < end) {
      const unsigned char next = static_cast<unsigned char>(line[p]);
      wordStart = next == ' ' || symbolSet_[next] || symbolSetEmpty_;
    }
  }
}

int TLineTokenizer::ChunkEnd(std::string_view line, int p) const {
  // Chunks alternate between runs of URL delimiters and runs of other characters; an escape
  // character takes the character after it into its chunk.
  const int n = static_cast<int>(line.size());
  const bool delimiters = IsUrlDelimiter(line[p]);
  int q = p;
  while (q < n && IsUrlDelimiter(line[q]) == delimiters)
    q += (hasEscape_ && line[q] == escape_) ? 2 : 1;
  return q > n ? n : q;
}

void TLineTokenizer::WalkLine(Run& run, std::string_view line, TTokenState& state) const {
  const int n = static_cast<int>(line.size());
  if (!settings_.UrlAware) {
    if (n > 0) TokenizeChunk(run, line, 0, n);
  } else {
    for (int p = 0; p < n;) {
      const int q = ChunkEnd(line, p);
      TokenizeChunk(run, line, p, q);
      p = q;
    }
  }
  run.Flush();
  if (run.LineComment) state.InComment = false;
  state.Number = state.KeyWord = state.Symbol = state.Url = false;
  if (!state.InBracket) {
    state.BracketStart = state.BracketEnd = 0;
    state.StyleIndex = -1;
  }
}

void TLineTokenizer::Tokenize(std::string_view line, TTokenState& state, TRunSink sink) const {
  Run run(line, state, *this, &sink);
  WalkLine(run, line, state);
}

void TLineTokenizer::Advance(std::string_view line, TTokenState& state) const {
  if (!styled_) return;
  Run run(line, state, *this, nullptr);
  WalkLine(run, line, state);
}

std::vector<TTokenRun> TLineTokenizer::Runs(std::string_view line, TTokenState& state) const {
  std::vector<TTokenRun> runs;
  Tokenize(line, state, [&](const TTokenRun& r) { runs.push_back(r); });
  return runs;
}

bool TLineTokenizer::UrlAt(std::string_view line, int column, int& start, int& length) const {
  if (!settings_.UrlAware || column < 0 || column >= static_cast<int>(line.size())) return false;
  const int n = static_cast<int>(line.size());
  for (int p = 0; p < n;) {
    const int q = ChunkEnd(line, p);
    if (column >= p && column < q) {
      if (IsUrlDelimiter(line[p]) ||
          !IsUrlChunk(line.substr(static_cast<size_t>(p), static_cast<size_t>(q - p))))
        return false;
      start = p;
      length = q - p;
      return true;
    }
    p = q;
  }
  return false;
}

}  // namespace kv
