// The line tokenizer on arbitrary lines, under the HTML rules or rules altered by the input:
// the runs must cover each line in order without gaps, and the state carried to the next line
// must not depend on whether the runs were asked for.
#include "editor/core/Tokenizer.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "editor/core/MemoStyler.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kv::fuzz::TFuzzInput in(data, size);
  const std::uint8_t flags = in.Byte();
  kv::THTMLMemoStyler styler(nullptr);
  if (flags & 0x10) {
    styler.SetLineComment(in.String(4));
    styler.SetMultiCommentLeft(in.String(4));
    styler.SetMultiCommentRight(in.String(4));
    styler.SetNumberChars(in.String(16));
    styler.SetHexIdentifier(in.String(3));
    styler.SetEscapeChar(in.String(2));
  }
  kv::TTokenizerSettings settings;
  settings.UseStyler = !(flags & 1);
  settings.UrlAware = flags & 2;
  settings.CaseSensitive = flags & 4;
  kv::TLineTokenizer tokenizer;
  tokenizer.Prepare(&styler, settings);

  kv::TTokenState state, advanced;
  for (const std::string& line : in.RestLines()) {
    int column = 0;
    for (const kv::TTokenRun& run : tokenizer.Runs(line, state)) {
      if (run.Start != column || run.Text.data() != line.data() + column || run.Text.empty())
        kv::fuzz::Fail("runs do not follow each other through the line");
      column += static_cast<int>(run.Text.size());
      (void)tokenizer.ColorsOf(run.State);
    }
    if (column != static_cast<int>(line.size())) kv::fuzz::Fail("runs do not cover the line");
    tokenizer.Advance(line, advanced);
    if (!(advanced == state)) kv::fuzz::Fail("Advance ends in another state than Runs");
    int start = 0, length = 0;
    for (int c = 0; c <= static_cast<int>(line.size()); c += 7) {
      if (tokenizer.UrlAt(line, c, start, length) &&
          (start < 0 || length <= 0 || start > c || start + length > static_cast<int>(line.size())))
        kv::fuzz::Fail("URL chunk outside the line");
    }
  }
  return 0;
}
