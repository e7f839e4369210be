// The program's own user-facing texts that no window's stored translation table holds: hints
// chosen for controls the stored tables leave without one, and the messages of the main window,
// the tools and the engine bridge. One row per text, German and English, as Windows-1252 bytes.
// The stored tables keep their bytes; texts new to the program go here.
#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace kv {

struct TProgramText {
  std::string_view Id;
  std::string_view German;
  std::string_view English;
};

// Every row, in the order of the table.
std::span<const TProgramText> ProgramTexts();

// The text of id in language (1 German, 2 English; any other number gives English). An id that
// is not in the table is a programming error and throws std::out_of_range.
std::string ProgramText(std::string_view id, int language);

// The same, with its placeholders filled (FillPlaceholders).
std::string ProgramText(std::string_view id, int language,
                        std::initializer_list<std::string_view> args);

// pattern with "%1" … "%9" replaced by args[0] … args[8]; a placeholder without an argument
// becomes empty, and a "%" before anything else stays.
std::string FillPlaceholders(std::string_view pattern,
                             std::initializer_list<std::string_view> args);

}  // namespace kv
