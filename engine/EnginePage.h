// The engine's page: it follows only the navigations the program asks for. A page being edited
// must not leave by itself (a refresh META, a link, a form), or the next save would write
// another page over the user's file.
#pragma once

#include <QWebEnginePage>

namespace kv {

class TEnginePage : public QWebEnginePage {
 public:
  using QWebEnginePage::QWebEnginePage;

  // Set while a load the program asked for is under way: a web server may still redirect it.
  bool RequestOpen = false;

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override {
    if (!isMainFrame) return true;
    if (type == NavigationTypeTyped) return true;  // the program's own load()
    // A refresh META also counts as a redirect; only a server answering a web address sends
    // real ones.
    return type == NavigationTypeRedirect && RequestOpen &&
           (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
  }
  // No second window: the editor shows one page.
  QWebEnginePage* createWindow(WebWindowType) override { return nullptr; }
};

}  // namespace kv
