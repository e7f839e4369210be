#include "app/core/PageRewrite.h"

#include <cstring>
#include <optional>
#include <thread>

#include "platform/classes/Strings.h"
#include "support/StringTools.h"
#include "support/Words.h"

namespace kv {

namespace {

std::string Prefix(int levels) {
  std::string p;
  for (int i = 0; i < levels; ++i) p += "../";
  return p;
}

std::string SlashesFor(std::string s) {
  for (char& c : s)
    if (c == '\\') c = '/';
  return s;
}

void PlanWindows(const std::string& docDir, TPathRewritePlan& plan) {
  plan.OwnFolder.push_back({"file:///" + docDir, ""});
  plan.OwnFolder.push_back({"file:///" + SlashesFor(docDir), ""});
  const int words = CountWords(docDir, "\\");
  for (int i = 1; i <= 5; ++i) {
    std::string ancestor;
    for (int w = 1; w <= words - i; ++w) ancestor += GetNthWord(w, docDir, "\\") + "\\";
    if (!ancestor.empty()) plan.Ancestors[i - 1].push_back({ancestor, Prefix(i)});
  }
}

void PlanPosix(const std::string& docDir, TPathRewritePlan& plan) {
  // A relative folder (no temporary directory was found) has no file address, and relative
  // references already are relative to it: nothing to rewrite.
  if (docDir.front() != '/') return;
  plan.OwnFolder.push_back({"file://" + docDir, ""});
  plan.OwnFolder.push_back({"file://" + SlashesFor(docDir), ""});
  const int words = CountWords(docDir, "/");
  for (int i = 1; i <= 5; ++i) {
    if (words - i < 1) break;  // the root "/" is never an ancestor
    std::string ancestor = "/";
    for (int w = 1; w <= words - i; ++w) ancestor += GetNthWord(w, docDir, "/") + "/";
    const std::string prefix = Prefix(i);
    auto& pass = plan.Ancestors[i - 1];
    pass.push_back({"file://" + ancestor, prefix});
    pass.push_back({"=\"" + ancestor, "=\"" + prefix});
    pass.push_back({"='" + ancestor, "='" + prefix});
  }
}

// A replacement with its search prepared once for all lines.
struct TCompiledReplacement {
  TSearchPattern Pattern;
  std::string Replacement;
};

std::vector<TCompiledReplacement> Compile(const std::vector<TTextReplacement>& list,
                                          bool ignoreCase) {
  std::vector<TCompiledReplacement> out;
  for (const auto& r : list) out.push_back({TSearchPattern(r.Search, ignoreCase), r.Replacement});
  return out;
}

// The per-line work of all passes, prepared for one folder. Every shortcut below only skips
// work that provably changes nothing, so the lines come out exactly as the passes one after
// the other would leave them.
class TLineRewriter {
 public:
  TLineRewriter(const std::string& docDir, TPathStyle style)
      : metaStart_("<META NAME="),
        content_("content="),
        closeTag_(">"),
        srcQuote_("src=\""),
        quoteClose_("\">", false) {
    for (const char* name : QuotedMetaNames()) metaNames_.emplace_back(name);
    for (char x = 'a'; x <= 'h'; ++x) {
      const std::string drive = std::string(1, x) + ":\\";
      drives_.push_back({TSearchPattern("src=\"" + drive), TSearchPattern(drive),
                         "file:///" + std::string(1, x) + ":/"});
    }
    if (docDir.empty()) return;
    const TPathRewritePlan plan = MakePathRewritePlan(docDir, style);
    pathPasses_.push_back(Compile(plan.OwnFolder, plan.IgnoreCase));
    for (const auto& pass : plan.Ancestors)
      if (!pass.empty()) pathPasses_.push_back(Compile(pass, plan.IgnoreCase));
    MakePathFilter(docDir, style, plan);
  }

  void Rewrite(std::string& line) const {
    QuoteMeta(line);
    RewritePaths(line);
    DriveLetters(line);
    Slashes(line);
  }

 private:
  struct TDrive {
    TSearchPattern Condition;
    TSearchPattern Letter;
    std::string Address;
  };

  // Every path search contains the folder's first word; a line without it cannot match any.
  void MakePathFilter(const std::string& docDir, TPathStyle style, const TPathRewritePlan& plan) {
    const std::string first = GetNthWord(1, docDir, std::string(1, PathSeparator(style)));
    if (first.empty()) return;
    TSearchPattern filter(first, plan.IgnoreCase);
    for (const auto& pass : pathPasses_)
      for (const auto& r : pass)
        if (!filter.Occurs(r.Pattern.Search())) return;
    pathFilter_.emplace(std::move(filter));
  }

  void QuoteMeta(std::string& line) const {
    // The test for every name looks at the line as it was before this pass, which holds no
    // quote at all; the replacements of an earlier name do not stop a later one.
    if (std::memchr(line.data(), '"', line.size())) return;
    if (!metaStart_.Occurs(line)) return;  // every name begins with it
    bool hit[4] = {};
    bool any = false;
    for (size_t k = 0; k < metaNames_.size(); ++k) any |= hit[k] = metaNames_[k].Occurs(line);
    if (!any) return;
    for (size_t k = 0; k < metaNames_.size(); ++k) {
      if (!hit[k]) continue;
      content_.ReplaceIn(line, "content=\"");
      closeTag_.ReplaceIn(line, "\">");
    }
  }

  void RewritePaths(std::string& line) const {
    if (pathPasses_.empty()) return;
    if (pathFilter_ && !pathFilter_->Occurs(line)) return;
    for (const auto& pass : pathPasses_)
      for (const auto& r : pass) r.Pattern.ReplaceIn(line, r.Replacement);
  }

  void DriveLetters(std::string& line) const {
    if (!srcQuote_.Occurs(line) || !quoteClose_.Occurs(line)) return;
    for (const TDrive& d : drives_)
      if (d.Condition.Occurs(line) && quoteClose_.Occurs(line)) d.Letter.ReplaceIn(line, d.Address);
  }

  void Slashes(std::string& line) const {
    if (!std::memchr(line.data(), '\\', line.size())) return;
    if (!srcQuote_.Occurs(line) || !quoteClose_.Occurs(line)) return;
    for (char& c : line)
      if (c == '\\') c = '/';
  }

  TSearchPattern metaStart_;
  std::vector<TSearchPattern> metaNames_;
  TSearchPattern content_;
  TSearchPattern closeTag_;
  TSearchPattern srcQuote_;
  TSearchPattern quoteClose_;
  std::vector<TDrive> drives_;
  std::vector<std::vector<TCompiledReplacement>> pathPasses_;
  std::optional<TSearchPattern> pathFilter_;
};

bool HasLineBreak(const std::string& line) {
  return std::memchr(line.data(), '\r', line.size()) || std::memchr(line.data(), '\n', line.size());
}

// Lines with embedded breaks become the several lines a file reader would see.
void SplitEmbeddedBreaks(std::vector<std::string>& lines) {
  bool any = false;
  for (const auto& l : lines)
    if (HasLineBreak(l)) {
      any = true;
      break;
    }
  if (!any) return;
  std::vector<std::string> split;
  split.reserve(lines.size());
  for (auto& l : lines) {
    if (!HasLineBreak(l)) {
      split.push_back(std::move(l));
      continue;
    }
    // Split as the reader splits the written file: the line's own text plus the CR LF that
    // ends it, so that a break at its end leaves an empty line behind, as in the file.
    for (auto& part : SplitLines(l + "\r\n")) split.push_back(std::move(part));
  }
  lines.swap(split);
}

}  // namespace

const std::array<const char*, 4>& QuotedMetaNames() {
  static const std::array<const char*, 4> names = {"<META NAME=KEYWORDS", "<META NAME=DESCRIPTION",
                                                   "<META NAME=AUTHOR", "<META NAME=COPYRIGHT"};
  return names;
}

TPathRewritePlan MakePathRewritePlan(const std::string& docDir, TPathStyle style) {
  TPathRewritePlan plan;
  // Paths on Linux are case-sensitive: /home/U/ is another folder than /home/u/.
  plan.IgnoreCase = style == TPathStyle::Windows;
  // Without a folder the own-folder search would be the bare "file:///" and strip every file
  // address of the page.
  if (docDir.empty()) return plan;
  const std::string dir = WithTrailingBackslash(docDir, style);
  if (style == TPathStyle::Windows)
    PlanWindows(dir, plan);
  else
    PlanPosix(dir, plan);
  return plan;
}

namespace {

void RewriteLines(const TLineRewriter& rewriter, std::string_view text, std::string& out) {
  std::string line;
  out.reserve(out.size() + text.size() + text.size() / 16);
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n) {
    const std::size_t start = i;
    while (i < n && text[i] != '\r' && text[i] != '\n') ++i;
    line.assign(text.substr(start, i - start));
    rewriter.Rewrite(line);
    out += line;
    out += "\r\n";
    if (i < n && text[i] == '\r') ++i;
    if (i < n && text[i] == '\n') ++i;
  }
}

// The start of the first line at or after at (the text's end when there is none).
std::size_t NextLineStart(std::string_view text, std::size_t at) {
  while (at < text.size() && text[at] != '\r' && text[at] != '\n') ++at;
  if (at < text.size() && text[at] == '\r') ++at;
  if (at < text.size() && text[at] == '\n') ++at;
  return at;
}

}  // namespace

std::string RewriteSavedText(std::string_view text, const std::string& docDir, TPathStyle style) {
  const TLineRewriter rewriter(docDir, style);
  std::string out;
  // The lines are rewritten each on its own: a long page in two halves at once.
  constexpr std::size_t kHalvesFrom = 1 << 18;
  const std::size_t half =
      text.size() < kHalvesFrom ? text.size() : NextLineStart(text, text.size() / 2);
  std::string second;
  std::thread other;
  if (half < text.size())
    other = std::thread([&] { RewriteLines(rewriter, text.substr(half), second); });
  RewriteLines(rewriter, text.substr(0, half), out);
  if (other.joinable()) {
    other.join();
    out += second;
  }
  return out;
}

std::vector<std::string> RewriteSavedPage(std::vector<std::string> lines, const std::string& docDir,
                                          TPathStyle style) {
  SplitEmbeddedBreaks(lines);
  const TLineRewriter rewriter(docDir, style);
  for (std::string& line : lines) rewriter.Rewrite(line);
  return lines;
}

}  // namespace kv
