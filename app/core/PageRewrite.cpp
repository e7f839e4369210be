#include "app/core/PageRewrite.h"

#include <cstring>
#include <optional>
#include <thread>
#include <variant>

#include "platform/classes/Strings.h"
#include "support/Cp1252.h"
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

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

unsigned HexValue(char c) {
  return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
}

bool IsScalarValue(char32_t v) {
  return v != 0 && v <= 0x10FFFF && (v < 0xD800 || v > 0xDFFF);
}

// The number written in count hex digits at text[i]; false when one of them is missing.
bool ReadHex(std::string_view text, size_t i, int count, char32_t& value) {
  if (text.size() - i < static_cast<size_t>(count)) return false;
  value = 0;
  for (int k = 0; k < count; ++k) {
    if (!IsHexDigit(text[i + k])) return false;
    value = value << 4 | HexValue(text[i + k]);
  }
  return true;
}

// The character of a reference starting at the "&" at text[i]; i moves past its ";".
std::optional<char32_t> ReadReference(std::string_view text, size_t& i) {
  static const std::pair<std::string_view, char32_t> kNamed[] = {
      {"&amp;", '&'}, {"&quot;", '"'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&nbsp;", 0xA0}};
  const std::string_view rest = text.substr(i);
  for (const auto& [name, c] : kNamed)
    if (rest.starts_with(name)) {
      i += name.size();
      return c;
    }
  if (!rest.starts_with("&#")) return std::nullopt;
  const bool hex = rest.size() > 2 && (rest[2] == 'x' || rest[2] == 'X');
  size_t k = hex ? 3 : 2;
  char32_t v = 0;
  const size_t digitsFrom = k;
  for (; k < rest.size() && k - digitsFrom < 8; ++k) {
    const char c = rest[k];
    if (hex ? !IsHexDigit(c) : (c < '0' || c > '9')) break;
    v = hex ? (v << 4 | HexValue(c)) : v * 10 + (c - '0');
  }
  if (k == digitsFrom || k >= rest.size() || rest[k] != ';') return std::nullopt;
  // A reader of the page takes references to 128..159 as the Windows-1252 characters.
  if (v >= 0x80 && v <= 0x9F) v = Cp1252ToUnicode(static_cast<unsigned char>(v));
  if (!IsScalarValue(v)) return std::nullopt;
  i += k + 1;
  return v;
}

// The character of a script ("\u0141", two such halves beyond U+FFFF) or style sheet
// ("\000141") escape starting at the backslash at text[i]; i moves past it.
std::optional<char32_t> ReadEscape(std::string_view text, size_t& i) {
  char32_t v = 0;
  if (i + 1 < text.size() && text[i + 1] == 'u' && ReadHex(text, i + 2, 4, v)) {
    if (v >= 0xD800 && v <= 0xDBFF) {
      char32_t low = 0;
      if (text.substr(i + 6).starts_with("\\u") && ReadHex(text, i + 8, 4, low) && low >= 0xDC00 &&
          low <= 0xDFFF) {
        i += 12;
        return 0x10000 + ((v - 0xD800) << 10) + (low - 0xDC00);
      }
      return std::nullopt;
    }
    if (!IsScalarValue(v)) return std::nullopt;
    i += 6;
    return v;
  }
  if (ReadHex(text, i + 1, 6, v) && IsScalarValue(v)) {
    i += 7;
    return v;
  }
  return std::nullopt;
}

int Utf8Bytes(char32_t c, unsigned char* out) {
  if (c < 0x80) {
    out[0] = static_cast<unsigned char>(c);
    return 1;
  }
  if (c < 0x800) {
    out[0] = static_cast<unsigned char>(0xC0 | c >> 6);
    out[1] = static_cast<unsigned char>(0x80 | (c & 0x3F));
    return 2;
  }
  if (c < 0x10000) {
    out[0] = static_cast<unsigned char>(0xE0 | c >> 12);
    out[1] = static_cast<unsigned char>(0x80 | (c >> 6 & 0x3F));
    out[2] = static_cast<unsigned char>(0x80 | (c & 0x3F));
    return 3;
  }
  out[0] = static_cast<unsigned char>(0xF0 | c >> 18);
  out[1] = static_cast<unsigned char>(0x80 | (c >> 12 & 0x3F));
  out[2] = static_cast<unsigned char>(0x80 | (c >> 6 & 0x3F));
  out[3] = static_cast<unsigned char>(0x80 | (c & 0x3F));
  return 4;
}

// A lead followed by a host path in any of the forms a page writes it (TPathReplacement).
// Reading the text is deterministic: "%" with two hex digits, a complete reference and a
// complete escape always stand for what they encode; so one stretch of text names one path.
class TPathPattern {
 public:
  TPathPattern(const std::string& lead, std::string path)
      : literal_(LiteralStart(lead, path), false),
        literalSize_(literal_.Search().size()),
        path_(std::move(path)),
        pathFrom_(literalSize_ - lead.size()) {}

  // The first match at or after from: its start and its end, or false.
  bool Find(std::string_view text, size_t from, size_t& at, size_t& end) const {
    for (size_t p = literal_.Find(text, from); p != std::string_view::npos;
         p = literal_.Find(text, p + 1)) {
      end = PathEnd(text, p + literalSize_);
      if (end != std::string_view::npos) {
        at = p;
        return true;
      }
    }
    return false;
  }

  void ReplaceIn(std::string& text, std::string_view replacement) const {
    size_t at = 0, end = 0;
    if (!Find(text, 0, at, end)) return;
    std::string result;
    result.reserve(text.size());
    size_t copied = 0;
    do {
      result.append(text, copied, at - copied);
      result.append(replacement);
      copied = end;
    } while (Find(text, copied, at, end));
    result.append(text, copied, std::string::npos);
    text.swap(result);
  }

 private:
  // The lead and the path's first bytes that only ever stand as themselves: searched as they
  // are, which for a folder of plain letters is all of it.
  static std::string LiteralStart(const std::string& lead, const std::string& path) {
    size_t n = 0;
    while (n < path.size() && IsUnreservedOrSlash(static_cast<unsigned char>(path[n]))) ++n;
    return lead + path.substr(0, n);
  }

  // Where the rest of the path, written from text[i] on, ends; npos when the text there names
  // another path.
  size_t PathEnd(std::string_view text, size_t i) const {
    size_t k = pathFrom_;
    unsigned char bytes[4];
    while (k < path_.size()) {
      if (i >= text.size()) return std::string_view::npos;
      const char c = text[i];
      int count = 0;
      bool literal = false;
      char32_t value = 0;
      if (c == '%' && ReadHex(text, i + 1, 2, value)) {
        bytes[0] = static_cast<unsigned char>(value);
        count = 1;
        i += 3;
      } else if (std::optional<char32_t> v; (c == '&' && (v = ReadReference(text, i))) ||
                                            (c == '\\' && (v = ReadEscape(text, i)))) {
        count = Utf8Bytes(*v, bytes);
      } else {
        count = Utf8Bytes(Cp1252ToUnicode(static_cast<unsigned char>(c)), bytes);
        literal = true;
        ++i;
      }
      if (!literal && count == 1 && IsUnreservedOrSlash(bytes[0])) return std::string_view::npos;
      if (path_.size() - k < static_cast<size_t>(count) ||
          std::memcmp(path_.data() + k, bytes, count) != 0)
        return std::string_view::npos;
      k += count;
    }
    return i;
  }

  TSearchPattern literal_;
  size_t literalSize_;
  std::string path_;
  size_t pathFrom_;
};

// A replacement with its search prepared once for all lines.
struct TCompiledReplacement {
  std::variant<TSearchPattern, TPathPattern> Pattern;
  std::string Replacement;

  void ApplyTo(std::string& line) const {
    std::visit([&](const auto& p) { p.ReplaceIn(line, Replacement); }, Pattern);
  }
};

using TCompiledPass = std::vector<TCompiledReplacement>;

TCompiledPass Compile(const std::vector<TTextReplacement>& list, bool ignoreCase) {
  TCompiledPass out;
  for (const auto& r : list) out.push_back({TSearchPattern(r.Search, ignoreCase), r.Replacement});
  return out;
}

TCompiledPass Compile(const std::vector<TPathReplacement>& list) {
  TCompiledPass out;
  for (const auto& r : list) out.push_back({TPathPattern(r.Lead, r.Path.Bytes()), r.Replacement});
  return out;
}

// The per-line work of all passes, prepared for one folder. Every shortcut below only skips
// work that provably changes nothing, so the lines come out exactly as the passes one after
// the other would leave them.
class TLineRewriter {
 public:
  TLineRewriter(const std::string& docDir, TPathStyle style) : TLineRewriter() {
    if (docDir.empty()) return;
    const TPathRewritePlan plan = MakePathRewritePlan(docDir, style);
    pathPasses_.push_back(Compile(plan.OwnFolder, plan.IgnoreCase));
    for (const auto& pass : plan.Ancestors)
      if (!pass.empty()) pathPasses_.push_back(Compile(pass, plan.IgnoreCase));
    MakePathFilter(docDir, style, plan);
  }

  explicit TLineRewriter(const THostPath& docDir) : TLineRewriter() {
    const THostPathRewritePlan plan = MakePathRewritePlan(docDir);
    if (plan.OwnFolder.empty()) return;
    pathPasses_.push_back(Compile(plan.OwnFolder));
    for (const auto& pass : plan.Ancestors)
      if (!pass.empty()) pathPasses_.push_back(Compile(pass));
    MakePathFilter(plan);
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

  TLineRewriter()
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
  }

  // Letters, digits and "-._~" of a path match only as themselves (TPathPattern), and a run of
  // them as the same run: the longest run in the first word stands in every match of every
  // search holding it. A line without it cannot match any.
  void MakePathFilter(const THostPathRewritePlan& plan) {
    const std::vector<std::string> words = SplitNonEmpty(plan.OwnFolder.front().Path.Bytes(), '/');
    if (words.empty()) return;
    std::string needle, run;
    for (const char c : words.front() + '/') {
      if (c != '/' && IsUnreservedOrSlash(static_cast<unsigned char>(c))) {
        run += c;
        continue;
      }
      if (run.size() > needle.size()) needle = run;
      run.clear();
    }
    if (needle.empty()) return;
    auto holds = [&](const TPathReplacement& r) {
      return r.Path.Bytes().find(needle) != std::string::npos;
    };
    for (const auto& r : plan.OwnFolder)
      if (!holds(r)) return;
    for (const auto& pass : plan.Ancestors)
      for (const auto& r : pass)
        if (!holds(r)) return;
    pathFilter_.emplace(needle, false);
  }

  // Every path search contains the folder's first word; a line without it cannot match any.
  void MakePathFilter(const std::string& docDir, TPathStyle style, const TPathRewritePlan& plan) {
    const std::string first = GetNthWord(1, docDir, std::string(1, PathSeparator(style)));
    if (first.empty()) return;
    TSearchPattern filter(first, plan.IgnoreCase);
    for (const auto& pass : pathPasses_)
      for (const auto& r : pass)
        if (!filter.Occurs(std::get<TSearchPattern>(r.Pattern).Search())) return;
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
      for (const auto& r : pass) r.ApplyTo(line);
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
  std::vector<TCompiledPass> pathPasses_;
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

THostPathRewritePlan MakePathRewritePlan(const THostPath& docDir) {
  THostPathRewritePlan plan;
  // A relative folder (no temporary directory was found) has no file address, and relative
  // references already are relative to it.
  if (docDir.IsEmpty() || docDir.Bytes().front() != '/') return plan;
  const std::string dir = docDir.WithTrailingSeparator().Bytes();
  plan.OwnFolder.push_back({"file://", docDir.WithTrailingSeparator(), ""});
  // Removed a second time, as the passes on the file did: a removal can join the text around it
  // into a new address. (Their second search, the folder with backslashes as slashes, would name
  // another folder here, where a backslash is a character of a name.)
  if (dir.find('\\') == std::string::npos) plan.OwnFolder.push_back(plan.OwnFolder.front());
  const std::vector<std::string> words = SplitNonEmpty(dir, '/');
  const int count = static_cast<int>(words.size());
  for (int i = 1; i <= 5 && count - i >= 1; ++i) {
    std::string ancestor = "/";
    for (int w = 0; w < count - i; ++w) ancestor += words[w] + "/";
    const THostPath path = THostPath::FromBytes(ancestor);
    const std::string prefix = Prefix(i);
    auto& pass = plan.Ancestors[i - 1];
    pass.push_back({"file://", path, prefix});
    pass.push_back({"=\"", path, "=\"" + prefix});
    pass.push_back({"='", path, "='" + prefix});
  }
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

std::string RewriteText(const TLineRewriter& rewriter, std::string_view text) {
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

std::vector<std::string> RewriteLineList(const TLineRewriter& rewriter,
                                         std::vector<std::string> lines) {
  SplitEmbeddedBreaks(lines);
  for (std::string& line : lines) rewriter.Rewrite(line);
  return lines;
}

}  // namespace

std::string RewriteSavedText(std::string_view text, const std::string& docDir, TPathStyle style) {
  return RewriteText(TLineRewriter(docDir, style), text);
}

std::string RewriteSavedText(std::string_view text, const THostPath& docDir) {
  return RewriteText(TLineRewriter(docDir), text);
}

std::vector<std::string> RewriteSavedPage(std::vector<std::string> lines, const std::string& docDir,
                                          TPathStyle style) {
  return RewriteLineList(TLineRewriter(docDir, style), std::move(lines));
}

std::vector<std::string> RewriteSavedPage(std::vector<std::string> lines, const THostPath& docDir) {
  return RewriteLineList(TLineRewriter(docDir), std::move(lines));
}

}  // namespace kv
