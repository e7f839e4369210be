#include "app/core/reference/FilePassSave.h"

#include <functional>

#include "app/core/PageRewrite.h"
#include "platform/classes/Exception.h"
#include "platform/classes/Strings.h"
#include "support/AnsiCase.h"
#include "support/Files.h"
#include "support/StringTools.h"

namespace kv {

namespace {

const std::string Q = "\"";

// One pass: the file read whole, one output line for each input line, the file written whole.
void FilePass(const std::string& path, const std::function<void(std::string&)>& rewrite) {
  TStringList in;
  in.LoadFromFile(THostPath::FromBytes(path));
  TStringList out;
  for (int i = 0; i < in.Count(); ++i) {
    std::string line = in.Get(i);
    rewrite(line);
    out.Add(line);
  }
  // Written in place, as the passes always were: the yardstick keeps its own cost.
  if (!WriteFileBytes(THostPath::FromBytes(path), out.GetText()))
    throw EFCreateError(FrameworkText::FileCreateError(THostPath::FromBytes(path)));
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

}  // namespace

void RewriteFileInPasses(const std::string& path, const std::string& docDir, TPathStyle style) {
  const TPathRewritePlan plan = MakePathRewritePlan(docDir, style);

  FilePass(path, [](std::string& line) {
    const std::string upper = UpperCaseAscii(line);
    for (const char* name : QuotedMetaNames()) {
      if (Contains(upper, name) && !Contains(upper, Q)) {
        ReplaceNoCase(line, "content=", "content=" + Q, true, true);
        ReplaceNoCase(line, ">", Q + ">", true, true);
      }
    }
  });

  FilePass(path, [&](std::string& line) {
    for (const auto& r : plan.OwnFolder)
      ReplaceNoCase(line, r.Search, r.Replacement, true, plan.IgnoreCase);
  });

  for (const auto& pass : plan.Ancestors) {
    FilePass(path, [&](std::string& line) {
      for (const auto& r : pass)
        ReplaceNoCase(line, r.Search, r.Replacement, true, plan.IgnoreCase);
    });
  }

  FilePass(path, [](std::string& line) {
    for (char x = 'a'; x <= 'h'; ++x) {
      const std::string lower = LowerCaseAscii(line);
      const std::string drive = std::string(1, x) + ":\\";
      if (Contains(lower, "src=" + Q + drive) && Contains(lower, Q + ">"))
        ReplaceNoCase(line, drive, "file:///" + std::string(1, x) + ":/", true, true);
    }
  });

  FilePass(path, [](std::string& line) {
    const std::string lower = LowerCaseAscii(line);
    if (Contains(lower, "src=" + Q) && Contains(lower, Q + ">"))
      for (char& c : line)
        if (c == '\\') c = '/';
  });
}

void SaveByFilePasses(const std::string& path, const std::vector<std::string>& lines,
                      const std::string& docDir, TPathStyle style) {
  TStringList page;
  for (const auto& l : lines) page.Add(l);
  if (!WriteFileBytes(THostPath::FromBytes(path), page.GetText()))
    throw EFCreateError(FrameworkText::FileCreateError(THostPath::FromBytes(path)));
  RewriteFileInPasses(path, docDir, style);
}

}  // namespace kv
