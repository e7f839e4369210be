// The page head as the meta tag window edits it: the title and the META entries author,
// description, keywords and copyright, found by markers on the upper-cased lines of the page
// (only the ASCII letters change, so positions agree). Pure functions on lines of page text;
// the window reads and writes the files.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kv {

namespace HeadMarker {
inline constexpr std::string_view Title = "<TITLE>";
inline constexpr std::string_view Keywords = "<META NAME=KEYWORDS";
inline constexpr std::string_view Description = "<META NAME=DESCRIPTION";
inline constexpr std::string_view Author = "<META NAME=AUTHOR";
inline constexpr std::string_view Copyright = "<META NAME=COPYRIGHT";
// The line the missing items are placed above (with the line before it).
inline constexpr std::string_view Generator = "<META NAME=GENERATOR CONTENT=\"MSHTML";
}  // namespace HeadMarker

// The five values as page text (Windows-1252, character references as the page has them).
struct THeadValues {
  std::string Title, Author, Description, Keywords, Copyright;
  bool operator==(const THeadValues&) const = default;
};

struct THeadReading {
  // The snapshot normalised: a META line of the four names without any double quote is joined
  // with the line after it, a title spread over several lines is joined into one (blanks
  // between the pieces), an empty title element gets upper-case tags, and every empty
  // content="" gets a single blank. This is what the head working file holds.
  std::vector<std::string> Lines;
  THeadValues Values;  // the last line of each item wins; an item not found stays empty
  bool Xhtml = false;  // some line holds "XHTML 1.0"
};

// Normalises the snapshot and reads the five values from the result.
THeadReading ReadPageHead(const std::vector<std::string>& snapshot);

// Which items occur anywhere in the lines, by their markers.
struct THeadItemsFound {
  bool Title = false, Description = false, Author = false, Copyright = false, Keywords = false;
};
THeadItemsFound FindHeadItems(const std::vector<std::string>& lines);

// The closing of every META line written: a double quote and ">", or " />" for XHTML.
std::string MetaClosing(bool xhtml);

// Adds a placeholder line for each item missing from lines, in the order title, description,
// author, copyright, keywords (top to bottom), directly above the line that precedes each
// generator line. A page without a generator line gets none.
std::vector<std::string> AddMissingHeadItems(std::vector<std::string> lines, bool xhtml);

// The page with the values written into its head: the content of each title element on a line
// with "<TITLE>", and each META tag of the four names rewritten with its value and the closing;
// the rest of such a line is kept. Description, author and copyright lose one blank after the
// opening quote (the blank an empty value was given when read); keywords do not.
std::vector<std::string> WritePageHead(std::vector<std::string> lines, const THeadValues& values,
                                       bool xhtml);

}  // namespace kv
