#include "app/core/RecoverySchedule.h"

#include <algorithm>

namespace kv {

void TCopySchedule::Changed(TTime now) {
  if (!oldest_) oldest_ = now;
  last_ = now;
}

std::optional<TCopySchedule::TTime> TCopySchedule::Due() const {
  if (!oldest_) return std::nullopt;
  TTime due = std::min(*last_ + quiet_, *oldest_ + longest_);
  if (notBefore_) due = std::max(due, *notBefore_);
  return due;
}

void TCopySchedule::Taking() {
  takingOldest_ = oldest_;
  takingLast_ = last_;
  oldest_.reset();
  last_.reset();
  notBefore_.reset();
}

void TCopySchedule::Failed(TTime retryAt) {
  if (takingOldest_) {
    oldest_ = oldest_ ? std::min(*oldest_, *takingOldest_) : *takingOldest_;
    last_ = last_ ? std::max(*last_, *takingLast_) : *takingLast_;
  }
  takingOldest_.reset();
  takingLast_.reset();
  if (oldest_) notBefore_ = retryAt;
}

void TCopySchedule::Clear() {
  oldest_.reset();
  last_.reset();
  takingOldest_.reset();
  takingLast_.reset();
  notBefore_.reset();
}

}  // namespace kv
