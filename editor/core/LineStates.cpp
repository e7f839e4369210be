#include "editor/core/LineStates.h"

#include <algorithm>

namespace kv {

// ---- TLineStates ------------------------------------------------------------------------------

TTokenState TLineStates::StartOf(int line, const TLineTokenizer& rules) {
  line = std::clamp(line, 0, lines_.Count());
  if (line == 0) return {};
  if (topLine_ == line && line < watermark_) return topState_;
  // The nearest stored state at or before the line that is known to be current.
  int from = std::min(line, watermark_ - 1) / kEvery;
  from = std::min(from, static_cast<int>(checkpoints_.size()) - 1);
  while (from > 0 && !checkpoints_[static_cast<size_t>(from)].Valid) --from;
  TTokenState state;
  int first = 0;
  if (from > 0) {
    state = checkpoints_[static_cast<size_t>(from)].State;
    first = from * kEvery;
  }
  if (checkpoints_.size() <= static_cast<size_t>(line / kEvery))
    checkpoints_.resize(static_cast<size_t>(line / kEvery) + 1);
  for (int i = first; i < line; ++i) {
    if (i > first && i % kEvery == 0) checkpoints_[static_cast<size_t>(i / kEvery)] = {state, true};
    rules.Advance(lines_.Line(i), state);
  }
  if (line % kEvery == 0) checkpoints_[static_cast<size_t>(line / kEvery)] = {state, true};
  // Every state up to the line has just been computed afresh.
  watermark_ = std::max(watermark_, line + 1);
  topLine_ = line;
  topState_ = state;
  return state;
}

void TLineStates::ForgetAll() {
  checkpoints_.clear();
  watermark_ = 0;
  topLine_ = -1;
}

void TLineStates::ForgetLines(int first, int last) {
  first = std::max(first, 0);
  last = std::min(last, static_cast<int>(checkpoints_.size()) * kEvery - 1);
  for (int i = (first + kEvery - 1) / kEvery * kEvery; i <= last; i += kEvery)
    checkpoints_[static_cast<size_t>(i / kEvery)].Valid = false;
}

// ---- TRunCache --------------------------------------------------------------------------------

TRunCache::TEntry* TRunCache::Find(int line, const TTokenState& start, unsigned revision) {
  TEntry& e = entries_[static_cast<size_t>(line % kSlots)];
  return e.Line == line && e.Revision == revision && e.Start == start ? &e : nullptr;
}

void TRunCache::Walk(int line, std::string_view text, TTokenState& state,
                     const TLineTokenizer& rules, unsigned rulesRevision, int from, int to,
                     TRunSink sink) {
  auto inView = [&](int start, int length) { return start < to && start + length > from; };
  if (line < 0 || text.size() < kMinKeptLength) {
    return rules.Tokenize(text, state, [&](const TTokenRun& run) {
      if (inView(run.Start, static_cast<int>(run.Text.size()))) sink(run);
    });
  }
  if (const TEntry* e = Find(line, state, rulesRevision)) {
    // The first run that ends after from, then on while they start before to.
    auto k = std::partition_point(e->Runs.begin(), e->Runs.end(),
                                  [&](const TKeptRun& r) { return r.Start + r.Length <= from; });
    for (; k != e->Runs.end() && k->Start < to; ++k) {
      TTokenRun run;
      run.Start = k->Start;
      run.Text = text.substr(static_cast<size_t>(k->Start), static_cast<size_t>(k->Length));
      run.State = k->State;
      run.Colors = k->Colors;
      sink(run);
    }
    state = e->End;
    return;
  }
  TEntry& e = entries_[static_cast<size_t>(line % kSlots)];
  e.Line = line;
  e.Revision = rulesRevision;
  e.Start = state;
  e.Runs.clear();
  rules.Tokenize(text, state, [&](const TTokenRun& run) {
    e.Runs.push_back({run.Start, static_cast<int>(run.Text.size()), run.State, run.Colors});
    if (inView(run.Start, static_cast<int>(run.Text.size()))) sink(run);
  });
  e.End = state;
  // A line much longer than a screen keeps its runs, but not the memory of a bigger one.
  if (e.Runs.capacity() > 2 * e.Runs.size() + 64) e.Runs.shrink_to_fit();
}

void TRunCache::Advance(int line, std::string_view text, TTokenState& state,
                        const TLineTokenizer& rules, unsigned rulesRevision) {
  const TEntry* e =
      line >= 0 && text.size() >= kMinKeptLength ? Find(line, state, rulesRevision) : nullptr;
  if (e)
    state = e->End;
  else
    rules.Advance(text, state);
}

void TRunCache::Clear() {
  for (TEntry& e : entries_) {
    e.Line = -1;
    e.Runs = {};
  }
}

void TRunCache::LineChanged(int index) {
  TEntry& e = entries_[static_cast<size_t>(index % kSlots)];
  if (e.Line == index) e.Line = -1;
}

void TRunCache::DropFrom(int line) {
  for (TEntry& e : entries_)
    if (e.Line >= line) e.Line = -1;
}

}  // namespace kv
