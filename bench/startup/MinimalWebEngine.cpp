// The yardstick for start-up time: the least a Qt WebEngine program does to show an editable
// blank page. It loads about:blank, switches design mode on, prints "KAVELIN-READY" and exits.
#include <QApplication>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <cstdio>

int main(int argc, char** argv) {
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  QWebEngineView view;
  QObject::connect(view.page(), &QWebEnginePage::loadFinished, [&](bool) {
    view.page()->runJavaScript(QStringLiteral("document.designMode = 'on';"), [](const QVariant&) {
      std::printf("KAVELIN-READY\n");
      std::fflush(stdout);
      QCoreApplication::quit();
    });
  });
  view.resize(1024, 768);
  view.show();
  view.load(QUrl(QStringLiteral("about:blank")));
  return app.exec();
}
