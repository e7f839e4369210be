// Reading a payload for people: the rows of every section as a table, and a check of the
// payload's shape (known headers, rows with the right number of delimiters, no raw breaks).
#pragma once

#include <string>
#include <vector>

namespace kv {

struct TPayloadReport {
  std::string Table;                  // readable dump, one line per row
  std::vector<std::string> Problems;  // empty when the payload is well formed
};

// languages: the number of language columns a row must carry.
TPayloadReport CheckPayload(const std::string& payload, int languages = 2);

}  // namespace kv
