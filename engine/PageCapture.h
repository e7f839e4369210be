// The page as the engine's script hands it over: one string, read here straight into the
// serialiser's input. Walking half a million nodes from a script costs many times what the
// engine's own markup writer needs for the same page, so the string normally carries the root
// element's markup as the engine writes it (every element closed explicitly, a fixed set of
// entities); a page whose markup would not show its tree unambiguously (an XML document, a
// raw-text element holding its own end tag) comes as one record per node instead.
//
// The string, in UTF-16 as the script made it ("<n>:" is a length in UTF-16 units):
//   "KVP1"
//   doctype:   "-" or "D" <n>:name <n>:publicId <n>:systemId
//   comments before the root, then after it: <count>";" and <count> times <n>:data
//   root:      "H" markup | "N" node record
// A node record is "E" <n>:name <count>";" <count> times (<n>:name <n>:value), its children's
// records, then ")"; "T" <n>:text; "C" <n>:comment.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/PageSerializer.h"
#include "platform/classes/Exception.h"

namespace kv {

// The string is no capture, or its markup does not read back unambiguously.
class EPageCaptureError : public Exception {
 public:
  using Exception::Exception;
};

struct TDoctypeParts {
  bool Present = false;
  std::string Name, PublicId, SystemId;  // UTF-8
};

struct TCapturedPage {
  TDoctypeParts Doctype;
  TPageTree Page;  // Page.Doctype is left empty: see CapturedPageLines
  bool NodeByNode = false;
};

// Reads a capture; throws EPageCaptureError.
TCapturedPage ReadPageCapture(std::u16string_view capture);

// The saved page of a captured one. fileDoctype is the DOCTYPE as the page's file wrote it
// (DoctypeOfPage), kept verbatim when it declares what the document has.
TSerializedPage CapturedPageText(TCapturedPage page, const std::string& fileDoctype);
std::vector<std::string> CapturedPageLines(TCapturedPage page, const std::string& fileDoctype);

// A page taken from the engine and not yet turned into lines. Taking it is cheap; Lines() does
// the work, on any thread, as often as asked. Copies share the taken text.
class TPageCapture {
 public:
  using TProducer = std::function<TSerializedPage()>;
  explicit TPageCapture(TProducer producer) : producer_(std::move(producer)) {}
  // Both throw EPageCaptureError when the taken text does not read.
  TSerializedPage Page() const { return producer_(); }
  std::vector<std::string> Lines() const { return producer_().Lines(); }

 private:
  TProducer producer_;
};

// A capture of a text the engine sent, whole or in pieces (joined when the lines are made):
// owner keeps the text alive for as long as the capture lives; the pieces point into it.
TPageCapture MakePageCapture(std::shared_ptr<const void> owner,
                             std::vector<std::u16string_view> pieces, std::string fileDoctype);

}  // namespace kv
