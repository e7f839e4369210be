// The find dialog's option set, as the framework numbers its bits: what the dialog hands to its
// owner and what the code editor's search reads.
#pragma once

namespace kv {

using TFindOptions = unsigned;
constexpr TFindOptions frDown = 1u << 0, frFindNext = 1u << 1, frMatchCase = 1u << 5,
                       frWholeWord = 1u << 11;

}  // namespace kv
