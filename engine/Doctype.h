// The DOCTYPE of a page file as its author wrote it. The engine's document keeps only the
// parts of a DOCTYPE, so the bridge takes the text from the file and writes it back verbatim.
#pragma once

#include <string>
#include <string_view>

namespace kv {

// The DOCTYPE declaration at the start of a page file (after a BOM, white space, an XML
// declaration and comments), as UTF-8; empty when the file has none.
std::string DoctypeOfPage(std::string_view fileBytes);
// A DOCTYPE declaration built from its parts.
std::string ComposeDoctype(const std::string& name, const std::string& publicId,
                           const std::string& systemId);
// True when the written declaration declares these parts.
bool DoctypeDeclares(const std::string& declaration, const std::string& name,
                     const std::string& publicId, const std::string& systemId);

}  // namespace kv
