#include "translate/PayloadCheck.h"

#include "platform/classes/Strings.h"
#include "translate/LangRows.h"
#include "translate/LangTypes.h"

namespace kv {

namespace {

// Control bytes and bytes above 0x7E are shown as \xNN so the dump stays plain ASCII.
std::string Visible(const std::string& s) {
  static const char* hex = "0123456789ABCDEF";
  std::string r;
  for (unsigned char c : s) {
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      r += static_cast<char>(c);
    } else {
      r += "\\x";
      r += hex[c >> 4];
      r += hex[c & 15];
    }
  }
  return r;
}

}  // namespace

TPayloadReport CheckPayload(const std::string& payload, int languages) {
  TPayloadReport report;
  const char delim = '\x01';
  if (payload.size() >= 2 && payload[1] == '\0') {
    report.Problems.push_back("payload is UTF-16; only 8-bit payloads are checked");
    return report;
  }
  if (payload.size() >= 2 && payload.compare(payload.size() - 2, 2, "\r\n") != 0)
    report.Problems.push_back("payload does not end with CR LF");
  const std::vector<std::string> lines = SplitLines(payload);
  std::string section;
  int lineNo = 0;
  int headers = 0;
  for (const std::string& line : lines) {
    ++lineNo;
    bool unicode = false;
    if (auto s = SectionFromHeader(line, &unicode)) {
      section = std::string(SectionName(*s));
      ++headers;
      if (line != section)
        report.Problems.push_back("line " + std::to_string(lineNo) +
                                  ": header not written exactly: " + Visible(line));
      report.Table += "[" + section + "]\n";
      continue;
    }
    if (section.empty()) {
      report.Problems.push_back("line " + std::to_string(lineNo) +
                                ": text before the first header");
      continue;
    }
    const int d = CountDelims(line, delim);
    if (d == 0 && line.rfind("st", 0) == 0) {
      report.Problems.push_back("line " + std::to_string(lineNo) + ": unknown section " +
                                Visible(line));
      continue;
    }
    if (d != languages + 1 || line.empty() || line.back() != delim)
      report.Problems.push_back("line " + std::to_string(lineNo) + " (" + section +
                                "): " + std::to_string(d) + " delimiters, expected " +
                                std::to_string(languages + 1) + " ending the row");
    if (line.find('\r') != std::string::npos || line.find('\n') != std::string::npos)
      report.Problems.push_back("line " + std::to_string(lineNo) + ": raw line break inside a row");
    report.Table += "  " + Visible(GetColumn(line, 0, delim));
    for (int k = 1; k <= languages; ++k)
      report.Table += " | " + Visible(UnescapeLineBreaks(GetColumn(line, k, delim)));
    report.Table += "\n";
  }
  if (headers != kTableCount)
    report.Problems.push_back(std::to_string(headers) + " section headers, expected " +
                              std::to_string(kTableCount));
  return report;
}

}  // namespace kv
