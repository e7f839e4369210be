// Hands an RTF document to a real reader (unrtf) and returns the plain text it recovers.
#pragma once

#include <string>

namespace kv::test {

// False when no reader is installed; text then stays empty.
bool ReadRtfAsText(const std::string& rtf, std::string& text);

}  // namespace kv::test
