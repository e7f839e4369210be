#include "app/EngineHost.h"

#include "engine/QtWebEngine.h"

namespace kv {

TEngineHost MakeQtEngineHost() {
  auto engine = std::make_unique<TQtWebEngine>();
  TEngineHost host;
  host.Widget = engine->Widget();
  host.IsDocumentSurface = [](QObject* target) { return TQtWebEngine::IsDocumentSurface(target); };
  host.Engine = std::move(engine);
  return host;
}

}  // namespace kv
