// Program entry: the command line's own options first, then system information and the
// replace table before any window, the six windows in their fixed order, the message loop, and
// the windows freed last-created first.
#include <unistd.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>

#include "app/EngineHost.h"
#include "app/MainForm.h"
#include "app/ScriptedRun.h"
#include "app/core/CommandLine.h"
#include "resources/Resources.h"
#include "support/Cp1252.h"
#include "support/Files.h"
#include "support/Paths.h"
#include "support/StringTools.h"
#include "support/SystemInfo.h"
#include "tools/AboutBox.h"
#include "tools/CreateTableForm.h"
#include "tools/MetaTagForm.h"
#include "tools/QuellcodeForm.h"
#include "tools/WerbungForm.h"

int main(int argc, char** argv) {
  // Help, version and a mistyped option end here, without a display.
  const kv::TCommandLine line = kv::ParseCommandLine(argc, argv);
  if (line.Action != kv::TStartAction::Run) {
    const kv::THostPath programDir = kv::RunningProgramPath().Directory().WithTrailingSeparator();
    const int language = kv::TerminalLanguage(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"),
                                              std::getenv("LANG"));
    return kv::RunStartAction(line, programDir, language, std::cout, std::cerr).value_or(0);
  }

  // The engine's sandbox refuses to start for root; the program runs as root in containers.
  if (geteuid() == 0) setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
  // The web engine shares its GL context with the widgets; it must be said before the
  // application object exists.
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  // Qt sees the program's name only, so that no file name is ever taken for one of its options;
  // its settings come from the environment (QT_QPA_PLATFORM and the like).
  int qtArgc = 1;
  char* qtArgv[] = {argv[0], nullptr};
  QApplication qtApp(qtArgc, qtArgv);
  kv::InitResources();
  kv::CreateWindowsInfo();
  kv::InitReplaceNoCase();

  // A relative name means the folder the program was started in. The names go on byte for
  // byte, whatever they hold.
  std::vector<kv::THostPath> arguments;
  for (const kv::THostPath& file : line.Files) arguments.push_back(kv::ExpandFileName(file));

  int result = 0;
  {
    kv::TApplication app;
    app.Title = "KAVELIN";
    // A test of the installed program drives it by a script instead of a person.
    std::unique_ptr<kv::TScriptedRun> script;
    if (const char* path = std::getenv("KAVELIN_SCRIPT"); path && *path)
      script = std::make_unique<kv::TScriptedRun>(path);
    auto* mainForm = app.CreateForm<kv::TMainForm>(nullptr, kv::MakeQtEngineHost, arguments);
    if (std::getenv("KAVELIN_EXIT_WHEN_READY")) {
      // Start-up measurement: report the editable page (and which page it is) and end. It
      // leaves the user's recovery copies alone, and asks nothing.
      mainForm->Recovery.reset();
      mainForm->OnEditingReady = [mainForm] {
        std::printf("KAVELIN-READY\nKAVELIN-PAGE %s\n", mainForm->CurrentFile.Bytes().c_str());
        std::fflush(stdout);
        // A measurement run ends at once, leaving nothing behind but its output.
        mainForm->DeleteWorkingFiles();
        std::_Exit(0);
      };
    }
    if (script) script->Attach(mainForm);
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
