// Runs a function when a scope ends, whether it ends normally or by an exception, unless it was
// dismissed: the one way this program puts state back that an exception would otherwise skip.
//
//   list.BeginUpdate();
//   TScopeGuard endUpdate([&] { list.EndUpdate(); });
//
// For work that is undone only on failure, dismiss the guard once the work has succeeded.
#pragma once

#include <exception>
#include <utility>

namespace kv {

template <class F>
class TScopeGuard {
 public:
  explicit TScopeGuard(F restore)
      : restore_(std::move(restore)), exceptions_(std::uncaught_exceptions()) {}
  TScopeGuard(const TScopeGuard&) = delete;
  TScopeGuard& operator=(const TScopeGuard&) = delete;

  // A restore that throws while an exception is already on its way is dropped: the first
  // error is the one the caller hears of.
  ~TScopeGuard() noexcept(false) {
    if (!active_) return;
    if (std::uncaught_exceptions() > exceptions_) {
      try {
        restore_();
      } catch (...) {
      }
    } else {
      restore_();
    }
  }

  void Dismiss() { active_ = false; }

 private:
  F restore_;
  int exceptions_;
  bool active_ = true;
};

}  // namespace kv
