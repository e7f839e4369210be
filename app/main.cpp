// Program entry: system information and the replace table before any window, then the six
// windows in their fixed order, the message loop, and the windows freed last-created first.
#include <unistd.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "app/EngineHost.h"
#include "app/MainForm.h"
#include "platform/QtText.h"
#include "resources/Resources.h"
#include "support/StringTools.h"
#include "support/SystemInfo.h"
#include "tools/AboutBox.h"
#include "tools/CreateTableForm.h"
#include "tools/MetaTagForm.h"
#include "tools/QuellcodeForm.h"
#include "tools/WerbungForm.h"

int main(int argc, char** argv) {
  // The engine's sandbox refuses to start for root; the program runs as root in containers.
  if (geteuid() == 0) setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
  // The web engine shares its GL context with the widgets; it must be said before the
  // application object exists.
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication qtApp(argc, argv);
  kv::InitResources();
  kv::CreateWindowsInfo();
  kv::InitReplaceNoCase();

  std::vector<std::string> arguments;
  const QStringList args = QCoreApplication::arguments();
  for (qsizetype i = 1; i < args.size(); ++i) arguments.push_back(kv::FromQ(args[i]));

  int result = 0;
  {
    kv::TApplication app;
    app.Title = "KAVELIN";
    auto* mainForm = app.CreateForm<kv::TMainForm>(nullptr, kv::MakeQtEngineHost, arguments);
    if (std::getenv("KAVELIN_EXIT_WHEN_READY")) {
      // Start-up measurement: report the editable page and end. It leaves the user's
      // recovery copies alone, and asks nothing.
      mainForm->Recovery.reset();
      mainForm->OnEditingReady = [mainForm] {
        std::printf("KAVELIN-READY\n");
        std::fflush(stdout);
        // A measurement run ends at once, leaving nothing behind but its output.
        mainForm->DeleteWorkingFiles();
        std::_Exit(0);
      };
    }
    app.CreateForm<kv::TCreateTableForm>(nullptr);
    app.CreateForm<kv::TQuellcodeForm>(nullptr);
    app.CreateForm<kv::TAboutBox>(nullptr);
    app.CreateForm<kv::TWerbungForm>(nullptr);
    app.CreateForm<kv::TMetaTagForm>(nullptr);
    // Logout, shutdown and Ctrl+C close the program as a window closes, keeping the page's
    // recovery copy for the next start.
    mainForm->CloseOnTerminationSignals();
    result = app.Run();
    app.DestroyForms();
  }
  kv::FreeWindowsInfo();
  return result;
}
