// Loading a file into the code editor's lines, on arbitrary bytes and tab sizes: the lines keep
// their rules (at least one; no tab, break or NUL in any), and saving and loading again gives
// the same lines.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "editor/core/CodeMemo.h"
#include "editor/core/CodeMemoStrings.h"

namespace {

std::vector<std::string> LinesOf(const kv::TCustomCodeMemo& memo) {
  std::vector<std::string> lines;
  for (int i = 0; i < memo.LineCount(); ++i) lines.push_back(memo.Line(i));
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kv::fuzz::TFuzzInput in(data, size);
  kv::TCustomCodeMemo memo;
  memo.SetTabSize(in.Byte() % 20);
  std::istringstream file(in.Rest());
  memo.Lines().LoadFromStream(file);
  if (memo.LineCount() < 1) kv::fuzz::Fail("no line after loading");
  const std::vector<std::string> lines = LinesOf(memo);
  for (const std::string& line : lines) {
    if (line.find_first_of(std::string("\t\r\n\0", 4)) != std::string::npos)
      kv::fuzz::Fail("a loaded line holds a tab, a break or a NUL");
  }
  std::ostringstream saved;
  memo.Lines().SaveToStream(saved);
  std::istringstream again(saved.str());
  memo.Lines().LoadFromStream(again);
  if (LinesOf(memo) != lines) kv::fuzz::Fail("saving and loading again changed the lines");
  return 0;
}
