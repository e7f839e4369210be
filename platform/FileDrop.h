// Files dragged from a file manager onto a window. The window takes the drop wherever it lands,
// also over the web view, which on its own would navigate to whatever it is given; what the
// window does not want is refused quietly, as desktop programs do: the cursor says no.
#pragma once

#include <functional>

#include "support/HostPath.h"

class QObject;
class QWidget;

namespace kv {

class TFileDrop {
 public:
  // wanted decides while the file is dragged over the window (it should only look at the name);
  // dropped runs once the drop is over, from the event loop, so that a message it shows does
  // not hold up the file manager.
  TFileDrop(QWidget* window, std::function<bool(const THostPath&)> wanted,
            std::function<void(const THostPath&)> dropped);
  ~TFileDrop();
  TFileDrop(const TFileDrop&) = delete;
  TFileDrop& operator=(const TFileDrop&) = delete;

 private:
  QObject* filter_;
};

}  // namespace kv
