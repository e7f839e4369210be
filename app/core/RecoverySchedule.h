// When the next recovery copy is due: a quiet while after the last change, and while changes
// go on without a pause, no later than a longest delay after the oldest change the copy does
// not hold yet.
#pragma once

#include <chrono>
#include <optional>

namespace kv {

class TCopySchedule {
 public:
  using TClock = std::chrono::steady_clock;
  using TTime = TClock::time_point;

  TCopySchedule(std::chrono::milliseconds quiet, std::chrono::milliseconds longest)
      : quiet_(quiet), longest_(longest) {}
  void SetTimes(std::chrono::milliseconds quiet, std::chrono::milliseconds longest) {
    quiet_ = quiet;
    longest_ = longest;
  }

  void Changed(TTime now);
  // When the next copy is due; none while every change is in a copy.
  std::optional<TTime> Due() const;
  // True while there are changes no copy holds (or is taking).
  bool Pending() const { return oldest_.has_value(); }
  // A copy is being taken now: the changes so far go into it.
  void Taking();
  // The copy being taken did not come about: its changes are pending again, not before
  // retryAt.
  void Failed(TTime retryAt);
  // Nothing needs a copy any more (the page was saved or replaced).
  void Clear();

 private:
  std::chrono::milliseconds quiet_, longest_;
  std::optional<TTime> oldest_, last_;
  std::optional<TTime> takingOldest_, takingLast_;
  std::optional<TTime> notBefore_;
};

}  // namespace kv
