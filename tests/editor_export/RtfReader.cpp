#include "RtfReader.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

namespace kv::test {

bool ReadRtfAsText(const std::string& rtf, std::string& text) {
  text.clear();
  if (std::system("command -v unrtf >/dev/null 2>&1") != 0) return false;
  auto dir = std::filesystem::temp_directory_path();
  auto path = dir / ("kv_rtf_" + std::to_string(std::random_device{}()) + ".rtf");
  {
    std::ofstream out(path, std::ios::binary);
    out << rtf;
  }
  std::string cmd = "unrtf --text --quiet '" + path.string() + "' 2>/dev/null";
  if (FILE* pipe = popen(cmd.c_str(), "r")) {
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) text.append(buf, n);
    pclose(pipe);
  }
  std::filesystem::remove(path);
  // unrtf's text output starts with a comment block of "###" lines.
  std::string body;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    if (line.rfind("###", 0) != 0) body += line + "\n";
    pos = end + 1;
  }
  text = body;
  return true;
}

}  // namespace kv::test
