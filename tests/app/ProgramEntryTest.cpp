// The program itself, started as a user starts it: with a page named relative to the folder
// the program is started in.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <filesystem>

#include "support/Files.h"
#include "tests/common/AsPath.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

TEST(ProgramEntry, APageNamedRelativeToTheStartFolderOpens) {
  int argc = 1;
  char name[] = "program_entry_test";
  char* argv[] = {name, nullptr};
  QCoreApplication app(argc, argv);

  const fs::path dir = fs::temp_directory_path() /
                       ("kv_entry_" + std::to_string(QCoreApplication::applicationPid()));
  fs::create_directories(dir / "tmp");
  ASSERT_TRUE(
      WriteFileBytes(AsPath((dir / "page.html").string()), "<HTML><BODY>hier</BODY></HTML>"));

  QProcess program;
  program.setProgram(QString::fromStdString(std::string(KV_BINARY_DIR) + "/bin/kavelin"));
  program.setArguments({QStringLiteral("page.html")});
  program.setWorkingDirectory(QString::fromStdString(dir.string()));
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("KAVELIN_EXIT_WHEN_READY", "1");
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("TMPDIR", QString::fromStdString((dir / "tmp").string()));
  program.setProcessEnvironment(env);
  program.start();
  ASSERT_TRUE(program.waitForStarted(10000));
  // Without a whole path the page never loaded: the program waited, then said so in a box.
  const bool finished = program.waitForFinished(90000);
  if (!finished) program.kill();
  const std::string out = program.readAllStandardOutput().toStdString();
  EXPECT_TRUE(finished) << out;
  EXPECT_NE(out.find("KAVELIN-READY\n"), std::string::npos) << out;
  EXPECT_NE(out.find("KAVELIN-PAGE " + (dir / "page.html").string() + "\n"), std::string::npos)
      << out;
  fs::remove_all(dir);
}

}  // namespace
}  // namespace kv
