// A long ordinary web page for the page benchmarks: headings, paragraphs with bold, italic and
// links, pictures, tables, lists, entities, German umlauts and Japanese text, as a page author
// writes them. The same seed gives the same bytes on every machine.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kv {

// The page as file bytes (Windows-1252, characters outside it as numeric references), at least
// targetBytes long; pictures are addressed relative to the page ("bilder/...").
std::string GenerateBenchPage(std::size_t targetBytes, std::uint64_t seed = 1);

}  // namespace kv
