// The yardstick for start-up time: the least a Qt WebEngine program does to show an editable
// page. It loads about:blank (or the file named as its argument), switches design mode on,
// prints "KAVELIN-READY" and exits.
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
  const QStringList arguments = QCoreApplication::arguments();
  view.load(arguments.size() > 1 ? QUrl::fromLocalFile(arguments[1])
                                 : QUrl(QStringLiteral("about:blank")));
  return app.exec();
}
