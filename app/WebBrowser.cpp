#include "app/WebBrowser.h"

namespace kv {

KV_DEFINE_CLASS(TWebBrowser, TControl, {})

TWebBrowser::TWebBrowser(TComponent* owner, TEngineHost host)
    : TControl(owner, host.Widget ? host.Widget : new QWidget),
      engine_(std::move(host.Engine)),
      isSurface_(host.IsDocumentSurface ? std::move(host.IsDocumentSurface)
                                        : [](QObject*) { return false; }) {
  Peer()->setAccessibleName(QStringLiteral("Web page"));
  Peer()->setFocusPolicy(Qt::StrongFocus);
}

TWebBrowser::~TWebBrowser() {
  // The engine goes before its widget, which TControl deletes afterwards (if still there).
  engine_.reset();
}

}  // namespace kv
