// What the tokenizer knows of lines it has walked: the state at the start of every 20th line
// and of the top line, so that painting never rescans the text from its start, and the runs
// of recently painted lines, so that a repaint (a caret blink) of an unchanged line does not
// tokenize it again. Both follow the line store and forget what an edit made stale.
#pragma once

#include <array>
#include <vector>

#include "editor/core/LineStore.h"
#include "editor/core/Tokenizer.h"

namespace kv {

class TLineStates : public TLineListener {
 public:
  explicit TLineStates(const TLineStore& lines) : lines_(lines) {}

  // The state at the start of line (0..Count()) under rules.
  TTokenState StartOf(int line, const TLineTokenizer& rules);
  // The rules now carry states differently: nothing known holds.
  void ForgetAll();
  // Scrolling through the bar or the page keys drops the stored states of lines first..last.
  void ForgetLines(int first, int last);
  // First line whose start state may be stale.
  int Watermark() const { return watermark_; }

  void LinesInserted(int index, int) override { StaleFrom(index); }
  void LinesRemoved(int index, int) override { StaleFrom(index); }
  // A line's own start state still holds; those after it may not.
  void LineChanged(int index) override { StaleFrom(index + 1); }
  void AllReplaced(int) override { ForgetAll(); }

 private:
  static constexpr int kEvery = 20;
  struct TCheckpoint {
    TTokenState State;
    bool Valid = false;
  };
  void StaleFrom(int line) { watermark_ = std::min(watermark_, std::max(line, 0)); }

  const TLineStore& lines_;
  std::vector<TCheckpoint> checkpoints_;  // index i: the start of line i * kEvery
  int watermark_ = 0;
  int topLine_ = -1;  // the last line asked for, and its state
  TTokenState topState_;
};

// A run of a line as it is kept: its place instead of a view of the text, which may move.
struct TKeptRun {
  int Start = 0;
  int Length = 0;
  TTokenState State;
  TRunColors Colors;
};

class TRunCache : public TLineListener {
 public:
  // Lines shorter than this are tokenized afresh: walking them costs no more than keeping them.
  static constexpr size_t kMinKeptLength = 1024;

  // The runs of line (whose text is text) that reach into columns [from, to), from the state
  // at its start, handed to sink; state is left at the line's end. A long line's runs are kept
  // and taken from the cache while the line, its start state and the rules are as they were,
  // so that a repaint of a long line costs what is in view.
  void Walk(int line, std::string_view text, TTokenState& state, const TLineTokenizer& rules,
            unsigned rulesRevision, int from, int to, TRunSink sink);
  // Only the state at the line's end (from the cache when it is there).
  void Advance(int line, std::string_view text, TTokenState& state, const TLineTokenizer& rules,
               unsigned rulesRevision);
  void Clear();

  void LinesInserted(int index, int) override { DropFrom(index); }
  void LinesRemoved(int index, int) override { DropFrom(index); }
  void LineChanged(int index) override;
  void AllReplaced(int) override { Clear(); }

 private:
  static constexpr int kSlots = 256;  // more rows than any screen shows
  struct TEntry {
    int Line = -1;
    unsigned Revision = 0;
    TTokenState Start, End;
    std::vector<TKeptRun> Runs;
  };
  TEntry* Find(int line, const TTokenState& start, unsigned revision);
  void DropFrom(int line);

  std::array<TEntry, kSlots> entries_;
};

}  // namespace kv
