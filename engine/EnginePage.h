// The engine's page: it follows only the navigations the program asks for. A page being edited
// must not leave by itself (a refresh META, a link, a form), or the next save would write
// another page over the user's file.
#pragma once

#include <QUrl>
#include <QWebEnginePage>

namespace kv {

// Two addresses of the same page (a file address may come back spelt differently).
inline bool SameUrl(const QUrl& a, const QUrl& b) {
  const auto form = QUrl::NormalizePathSegments | QUrl::StripTrailingSlash;
  return a.adjusted(form) == b.adjusted(form) ||
         (a.isLocalFile() && b.isLocalFile() && a.toLocalFile() == b.toLocalFile());
}

class TEnginePage : public QWebEnginePage {
 public:
  using QWebEnginePage::QWebEnginePage;

  // The page the program asked for last, and whether that load is still under way (a web
  // server may still redirect it).
  QUrl Requested;
  bool RequestOpen = false;

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override {
    if (!isMainFrame) return true;
    // The program's own load(); a file dropped on the view must not replace the page.
    if (type == NavigationTypeTyped) return SameUrl(url, Requested);
    // A refresh META also counts as a redirect; only a server answering a web address sends
    // real ones.
    return type == NavigationTypeRedirect && RequestOpen &&
           (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
  }
  // No second window: the editor shows one page.
  QWebEnginePage* createWindow(WebWindowType) override { return nullptr; }
};

}  // namespace kv
