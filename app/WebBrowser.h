// The editing surface on the main window: a control whose peer is the web engine's widget.
#pragma once

#include <functional>
#include <memory>

#include "engine/WebEngine.h"
#include "platform/Controls.h"

namespace kv {

// What an engine backend hands the main window: the engine, the widget to embed, and the test
// for its document surface (the mouse hook swallows right clicks there).
struct TEngineHost {
  std::unique_ptr<TWebEngine> Engine;
  QWidget* Widget = nullptr;
  std::function<bool(QObject*)> IsDocumentSurface;
};
using TEngineFactory = std::function<TEngineHost()>;

class TWebBrowser : public TControl {
  KV_DECLARE_CLASS()
  TWebBrowser(TComponent* owner, TEngineHost host);
  ~TWebBrowser() override;
  TWebEngine* Engine() const { return engine_.get(); }
  const std::function<bool(QObject*)>& IsDocumentSurface() const { return isSurface_; }

 private:
  std::unique_ptr<TWebEngine> engine_;
  std::function<bool(QObject*)> isSurface_;
};

}  // namespace kv
