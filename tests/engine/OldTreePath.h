// The way the engine bridge used to read the page: the page script built a JSON object tree,
// which C++ parsed and copied into the serialiser's input. Kept only as the yardstick the flat
// page path is checked against: both must give the same lines.
#pragma once

#include <QString>
#include <string>
#include <vector>

namespace kv {

// The script (run in the editor's world) that answers the JSON text of the document tree.
QString OldTreeScript();

// The saved lines from that JSON text; fileDoctype as the page's file wrote its DOCTYPE.
std::vector<std::string> OldTreeLines(const QString& json, const std::string& fileDoctype);

}  // namespace kv
