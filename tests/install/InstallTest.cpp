// An installed copy: the layout cmake --install gives, the desktop entry and metainfo as the
// desktop's validators see them, and the installed program run through its bin/ link from the
// command line and, offscreen, through a scripted session in a program folder it cannot write.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "TestEnv.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

std::string Quoted(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

struct TResult {
  int status = -1;
  std::string out, err;
};

// Runs a shell command line in folder with extra environment, capturing both outputs.
TResult Shell(const std::string& command, const std::string& folder = ".",
              const std::string& env = "") {
  static int counter = 0;
  const std::string base =
      fs::temp_directory_path() /
      ("kv_install_run_" + std::to_string(::getpid()) + "_" + std::to_string(++counter));
  const std::string line = "cd " + Quoted(folder) + " && env " + env + " timeout 240 " + command +
                           " >" + Quoted(base + ".out") + " 2>" + Quoted(base + ".err");
  const int raw = std::system(line.c_str());
  TResult r;
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  r.out = Slurp(base + ".out");
  r.err = Slurp(base + ".err");
  fs::remove(base + ".out");
  fs::remove(base + ".err");
  return r;
}

// The pixel size a PNG's header states.
std::pair<int, int> PngSize(const std::string& path) {
  const std::string b = Slurp(path);
  if (b.size() < 24 || b.compare(1, 3, "PNG") != 0) return {0, 0};
  auto be = [&](size_t at) {
    return (static_cast<unsigned char>(b[at]) << 24) |
           (static_cast<unsigned char>(b[at + 1]) << 16) |
           (static_cast<unsigned char>(b[at + 2]) << 8) | static_cast<unsigned char>(b[at + 3]);
  };
  return {static_cast<int>(be(16)), static_cast<int>(be(20))};
}

class InstallTest : public testing::Test {
 protected:
  // One installation for all tests, into a prefix whose name needs quoting in the entry.
  static void SetUpTestSuite() {
    root_ = new test::TTempFolder;
    prefix_ = root_->Dir() + "pre fix";
    installed_ = Shell(std::string(KV_CMAKE_COMMAND) + " --install " + Quoted(KV_BINARY_DIR) +
                       " --prefix " + Quoted(prefix_));
  }
  static void TearDownTestSuite() {
    delete root_;
    root_ = nullptr;
  }
  void SetUp() override { ASSERT_EQ(installed_.status, 0) << installed_.out << installed_.err; }

  static std::string Prefix(const std::string& rel) { return prefix_ + "/" + rel; }

  static test::TTempFolder* root_;
  static std::string prefix_;
  static TResult installed_;
};

test::TTempFolder* InstallTest::root_ = nullptr;
std::string InstallTest::prefix_;
TResult InstallTest::installed_;

TEST_F(InstallTest, TheProgramFolderTheLinkAndTheDesktopFiles) {
  for (const char* file :
       {"lib/kavelin/kavelin", "lib/kavelin/Ver.ini", "lib/kavelin/recom/m_head.jpg",
        "lib/kavelin/recom/m_about.jpg", "lib/kavelin/help/help.html"})
    EXPECT_TRUE(fs::is_regular_file(Prefix(file))) << file;
  EXPECT_EQ(::access(Prefix("lib/kavelin/kavelin").c_str(), X_OK), 0);
  ASSERT_TRUE(fs::is_symlink(Prefix("bin/kavelin")));
  EXPECT_EQ(fs::read_symlink(Prefix("bin/kavelin")), "../lib/kavelin/kavelin");

  const std::string entry = Slurp(Prefix("share/applications/com.varento.kavelin.desktop"));
  EXPECT_NE(entry.find("\nExec=\"" + prefix_ + "/bin/kavelin\" %f\n"), std::string::npos) << entry;
  EXPECT_NE(entry.find("\nMimeType=text/html;application/xhtml+xml;\n"), std::string::npos);
  EXPECT_NE(entry.find("\nIcon=com.varento.kavelin\n"), std::string::npos);

  for (int size : {16, 32, 48, 64, 128, 256}) {
    const std::string dim = std::to_string(size) + "x" + std::to_string(size);
    EXPECT_EQ(PngSize(Prefix("share/icons/hicolor/" + dim + "/apps/com.varento.kavelin.png")),
              std::make_pair(size, size))
        << dim;
  }
  const std::string svg =
      Slurp(Prefix("share/icons/hicolor/scalable/apps/com.varento.kavelin.svg"));
  EXPECT_NE(svg.find("<svg "), std::string::npos);

  const TResult desktop = Shell("desktop-file-validate " +
                                Quoted(Prefix("share/applications/com.varento.kavelin.desktop")));
  EXPECT_EQ(desktop.status, 0) << desktop.out << desktop.err;
  EXPECT_EQ(desktop.out + desktop.err, "");
  const TResult appstream =
      Shell("appstreamcli validate --no-net " +
            Quoted(Prefix("share/metainfo/com.varento.kavelin.metainfo.xml")));
  EXPECT_EQ(appstream.status, 0) << appstream.out << appstream.err;
}

TEST_F(InstallTest, HelpVersionAndABadOptionThroughTheLink) {
  const std::string program = Quoted(Prefix("bin/kavelin"));
  struct Case {
    std::string args, lang;
    int status;
    std::string outStart, errStart;
  };
  const Case cases[] = {
      {"--help", "C.UTF-8", 0, "Usage: kavelin [OPTION]... [--] [FILE]\n", ""},
      {"-h", "de_DE.UTF-8", 0, "Aufruf: kavelin [OPTION]... [--] [DATEI]\n", ""},
      // The version file of the program's own folder, found through the link.
      {"--version", "C.UTF-8", 0, "KAVELIN Version 9.2.6\n", ""},
      {"--no-such-option seite.html", "C.UTF-8", 2, "",
       "kavelin: unknown option \"--no-such-option\"\n"},
      {"-x", "de_DE.UTF-8", 2, "", "kavelin: unbekannte Option \"-x\"\n"},
  };
  for (const Case& c : cases) {
    const TResult r = Shell(program + " " + c.args, ".", "LC_ALL= LC_MESSAGES= LANG=" + c.lang);
    EXPECT_EQ(r.status, c.status) << c.args;
    EXPECT_EQ(r.out.rfind(c.outStart, 0), 0u) << c.args << ": " << r.out;
    EXPECT_EQ(r.err.rfind(c.errStart, 0), 0u) << c.args << ": " << r.err;
    if (c.outStart.empty()) {
      EXPECT_EQ(r.out, "") << c.args;
    }
    if (c.errStart.empty()) {
      EXPECT_EQ(r.err, "") << c.args;
    }
  }
}

// The installed program edits two pages and switches the language while its own folder cannot
// be written: its settings land in the user's settings folder and are read from there.
TEST_F(InstallTest, AnInstalledCopyKeepsItsSettingsInTheUsersFolder) {
  const std::string program = Prefix("lib/kavelin/");
  // Root may write anywhere; a folder where the trial file would go stops it all the same.
  fs::create_directories(program + ".kavelin-write-test");
  const std::string home = root_->Dir() + "home", pages = root_->Dir() + "pages/";
  fs::create_directories(home);
  fs::create_directories(pages);
  std::ofstream(pages + "-odd-name.html") << "<html><body><p>Alt</p></body></html>";
  std::ofstream(pages + "zweite.html") << "<html><body><p>Zwei</p></body></html>";
  const std::string env =
      "QT_QPA_PLATFORM=offscreen QTWEBENGINE_CHROMIUM_FLAGS='--disable-gpu --no-sandbox' HOME=" +
      Quoted(home) + " XDG_CONFIG_HOME= XDG_CACHE_HOME= TMPDIR=" + Quoted(root_->Dir() + "tmp") +
      " KAVELIN_SCRIPT=" + Quoted(root_->Dir() + "script");
  fs::create_directories(root_->Dir() + "tmp");
  std::ofstream(root_->Dir() + "script") << "type Hallo Welt\n"
                                            "click Soeichern1\n"
                                            "answer " +
                                                pages +
                                                "zweite.html\n"
                                                "click NeueInternetseit1\n"
                                                "type Noch mehr\n"
                                                "click Soeichern1\n"
                                                "click English1\n"
                                                "close\n";
  // Started from the page's folder with a relative name that looks like an option.
  const TResult first = Shell(Quoted(Prefix("bin/kavelin")) + " -- -odd-name.html", pages, env);
  EXPECT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(first.out,
            "step: type Hallo Welt\n"
            "step: click Soeichern1\n"
            "message: KAVELIN: Document wurde gespeichert!\n"
            "step: answer " +
                pages +
                "zweite.html\n"
                "step: click NeueInternetseit1\n"
                "step: type Noch mehr\n"
                "step: click Soeichern1\n"
                "message: KAVELIN: Document wurde gespeichert!\n"
                "step: click English1\n"
                "step: close\n"
                "script: done\n")
      << first.err;
  EXPECT_NE(Slurp(pages + "-odd-name.html").find("Hallo Welt"), std::string::npos);
  EXPECT_NE(Slurp(pages + "zweite.html").find("Noch mehr"), std::string::npos);

  const std::string config = home + "/.config/kavelin/";
  EXPECT_EQ(Slurp(config + "Language.ini"), "ENGLISH\r\n");
  EXPECT_EQ(Slurp(config + "historie.ini"), pages + "zweite.html\r\n");
  EXPECT_EQ(Slurp(config + "historiesmall.ini"), "zweite.html\r\n");
  for (const char* name : {"Language.ini", "historie.ini", "historiesmall.ini"})
    EXPECT_FALSE(fs::exists(program + name)) << name;
  for (const auto& e : fs::directory_iterator(pages))
    EXPECT_EQ(e.path().filename().string().rfind("KAVELIN_", 0), std::string::npos)
        << "working file left: " << e.path();

  // The next start reads the language from there.
  std::ofstream(root_->Dir() + "script", std::ios::trunc) << "click Soeichern1\nclose\n";
  const TResult second = Shell(Quoted(Prefix("bin/kavelin")), pages, env);
  EXPECT_EQ(second.status, 0) << second.err;
  EXPECT_NE(second.out.find("message: KAVELIN: Document saved!\n"), std::string::npos)
      << second.out << second.err;
}

}  // namespace
}  // namespace kv
