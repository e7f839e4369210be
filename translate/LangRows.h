// One table row is: key, then per language the delimiter and the cell, then one more delimiter.
// These helpers read and reshape rows byte-exactly; nothing here trims or folds case.
#pragma once

#include <string>
#include <string_view>

namespace kv {

class TStrings;

// Column 0 is the key (the first byte is never taken for a delimiter); column k >= 1 is the text
// after the k-th delimiter up to the next one. Missing columns are empty.
std::string GetColumn(std::string_view row, int column, char delim);
int CountDelims(std::string_view row, char delim);
// Rows with more than languages + 1 delimiters lose trailing delimiter bytes.
void TrimRow(std::string& row, int languages, char delim);
void TrimRows(TStrings& rows, int languages, char delim);
// Rows with d <= languages delimiters get languages - d + 1 more.
void PadRows(TStrings& rows, int languages, char delim);
// Keeps each row up to and including its (languages + 1)-th delimiter.
void ShrinkRows(TStrings& rows, int languages, char delim);
void ReplaceDelim(TStrings& rows, char from, char to);
// True when the row holds nothing but its key (the automatic skip of empty rows).
bool RowHasOnlyKey(std::string_view row, int languages, char delim);
// Line breaks inside a row travel as 0x19 (CR) and 0x1A (LF) in the stored stream.
std::string EscapeLineBreaks(std::string_view row);
std::string UnescapeLineBreaks(std::string_view row);
// Builds key + delim + cells... + delim.
std::string MakeRow(std::string_view key, std::initializer_list<std::string_view> cells,
                    char delim);

}  // namespace kv
