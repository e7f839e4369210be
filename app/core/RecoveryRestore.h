// What the program says about recovery copies and where it puts one back: the texts in the
// active language, and the page a copy is restored as.
#pragma once

#include <cstdint>
#include <string>

#include "app/core/RecoveryFolder.h"
#include "support/HostPath.h"

namespace kv {

// A copy's time as the user reads it (local time).
std::string RecoveryTimeText(std::int64_t time, int language);

// The page a copy goes back to, and the question that offers it.
struct TRestorePlan {
  // True when the copy comes back as a new untitled page: its record says so, its path cannot
  // be used, or its folder is gone. Otherwise CurrentFile and DocDir are the page's own.
  bool Untitled = true;
  THostPath CurrentFile, DocDir;
  std::string Question;
};

// copyComplete: the copy is what the record says (TOrphan::ReadCopy).
TRestorePlan PlanRestore(const TOrphan& orphan, bool copyComplete, int language);

// What to tell of an orphan that cannot be offered (a record of a later version, a record
// without its copy, a damaged record without a copy); empty for one that can be offered.
std::string UnrestorableNotice(const TOrphan& orphan, int language);

}  // namespace kv
