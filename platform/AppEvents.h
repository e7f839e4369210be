// Program-wide input filters: the application message filter (every key press of every window
// passes it before it is dispatched) and the mouse hook that keeps right clicks away from the
// web engine's document surface so that the engine never opens its own context menu.
#pragma once

#include <QObject>
#include <functional>

#include "platform/Keys.h"
#include "platform/classes/Classes.h"

namespace kv {

struct TMsg {
  int message = 0;  // WM_KEYDOWN
  int wParam = 0;   // the virtual-key code
  QObject* target = nullptr;
};

class TApplicationEvents : public TComponent {
  KV_DECLARE_CLASS()
  explicit TApplicationEvents(TComponent* owner);
  ~TApplicationEvents() override;
  // Sees the message; setting handled stops it (the program never does).
  std::function<void(TMsg& msg, bool& handled)> OnMessage;

 private:
  QObject* filter_;
};

// Installs the program's mouse hook: right-button presses and releases on a widget for which
// isDocumentSurface answers true are swallowed; everything else passes on.
void InstallMouseHook(std::function<bool(QObject* target)> isDocumentSurface);
void RemoveMouseHook();

}  // namespace kv
