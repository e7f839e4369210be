#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "TestEnv.h"
#include "support/Files.h"
#include "support/Shell.h"

namespace kv {
namespace {

using TArgv = std::vector<std::string>;

// Records every start and answers from a script: the n-th call succeeds when results[n] is true.
class ShellTest : public testing::Test {
 protected:
  void SetUp() override {
    previous_ = SetProcessLauncher([this](const TArgv& argv) {
      calls_.push_back(argv);
      const size_t n = calls_.size() - 1;
      return n < results_.size() && results_[n];
    });
  }
  void TearDown() override { SetProcessLauncher(previous_); }

  std::vector<bool> results_;
  std::vector<TArgv> calls_;
  TProcessLauncher previous_;
};

TEST_F(ShellTest, DesktopOpenerFirst) {
  results_ = {true};
  EXPECT_TRUE(OpenWithShell(THostPath::FromBytes("/home/u/help/help.html")));
  EXPECT_EQ(calls_, (std::vector<TArgv>{{"xdg-open", "/home/u/help/help.html"}}));
}

TEST_F(ShellTest, BrowserWithTheFileAddressWhenTheOpenerCannotStart) {
  test::TScopedEnv browser("BROWSER", nullptr);
  results_ = {false, true};
  EXPECT_TRUE(OpenWithShell(THostPath::FromBytes("/home/u/my page#1.html")));
  ASSERT_EQ(calls_.size(), 2u);
  EXPECT_EQ(calls_[1], (TArgv{"x-www-browser", "file:///home/u/my%20page%231.html"}));
}

TEST_F(ShellTest, BrowserVariableEntriesInOrderThenTheOpenerWithTheAddress) {
  test::TScopedEnv browser("BROWSER", "firefox --new-tab %s:\"/opt/my browser/run\"");
  results_ = {false, false, false, false};
  EXPECT_FALSE(OpenWithShell(THostPath::FromBytes("/tmp/a.html")));
  EXPECT_EQ(calls_, (std::vector<TArgv>{{"xdg-open", "/tmp/a.html"},
                                        {"firefox", "--new-tab", "file:///tmp/a.html"},
                                        {"/opt/my browser/run", "file:///tmp/a.html"},
                                        {"xdg-open", "file:///tmp/a.html"}}));
}

TEST_F(ShellTest, WebAndMailAddressesReachTheBrowserUnchanged) {
  test::TScopedEnv browser("BROWSER", "mybrowser");
  results_ = {false, true};
  for (const std::string address : {"https://example.org/home/", "mailto:info@example.org"}) {
    calls_.clear();
    EXPECT_TRUE(OpenWithShell(address));
    ASSERT_EQ(calls_.size(), 2u);
    EXPECT_EQ(calls_[1], (TArgv{"mybrowser", address}));
  }
}

TEST_F(ShellTest, DefaultBrowserTakesTheCommandLineQuoteOff) {
  test::TScopedEnv browser("BROWSER", "b1");
  results_ = {true, true};
  OpenInDefaultBrowser("\"file:///tmp/x.html");
  OpenInDefaultBrowser("\"file:///tmp/y.html\"");
  EXPECT_EQ(calls_,
            (std::vector<TArgv>{{"b1", "file:///tmp/x.html"}, {"b1", "file:///tmp/y.html"}}));
}

TEST_F(ShellTest, ALauncherErrorIsSwallowed) {
  SetProcessLauncher([](const TArgv&) -> bool { throw std::runtime_error("boom"); });
  EXPECT_FALSE(OpenWithShell(THostPath::FromBytes("/tmp/a.html")));
  EXPECT_NO_THROW(OpenInDefaultBrowser("x"));
}

// The browser gets a local file as its file address, percent-encoded.
TEST(BrowserAddressTest, LocalPathsBecomeFileAddresses) {
  struct TCase {
    const char* path;
    const char* address;
  };
  for (const TCase& c : {TCase{"/tmp/\xC3\xA4.html", "file:///tmp/%C3%A4.html"},
                         TCase{"/tmp/50%.html", "file:///tmp/50%25.html"},
                         TCase{"/tmp/a:b?c#d.html", "file:///tmp/a%3Ab%3Fc%23d.html"},
                         TCase{"/tmp/M\xFCller.html", "file:///tmp/M%FCller.html"}})
    EXPECT_EQ(FileUrl(THostPath::FromBytes(c.path)), c.address) << c.path;
}

bool NoChildLeft() {
  int status;
  return ::waitpid(-1, &status, WNOHANG) == -1 && errno == ECHILD;
}

TEST(LaunchDetachedTest, StartsWithoutWaitingAndLeavesNoZombie) {
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(LaunchDetached({"sleep", "3"}));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  EXPECT_TRUE(NoChildLeft());
}

TEST(LaunchDetachedTest, ReportsAProgramThatCannotStart) {
  test::TTempFolder folder;
  const std::string notExecutable = folder.File("plain.txt");
  ASSERT_EQ(::system(("touch '" + notExecutable + "'").c_str()), 0);
  EXPECT_FALSE(LaunchDetached({"kavelin-no-such-program-xyz"}));
  EXPECT_FALSE(LaunchDetached({notExecutable}));
  EXPECT_FALSE(LaunchDetached({}));
  EXPECT_TRUE(NoChildLeft());
}

// The real launcher with stand-in programs on PATH: each records its arguments in a file.
class ShellOnPathTest : public testing::Test {
 protected:
  void SetUp() override { path_.emplace("PATH", folder_.Dir().c_str()); }
  void TearDown() override { path_.reset(); }

  void Program(const std::string& name) {
    const std::string script = folder_.File(name);
    ASSERT_TRUE(WriteFileBytes(THostPath::FromBytes(script),
                               "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.args\"\n"));
    ::chmod(script.c_str(), 0755);
  }
  // Waits for the detached program to write what it was given: the file is created before
  // the shell writes into it, so only a finished line counts. A loaded machine may take a
  // while to start a shell.
  std::string ArgsOf(const std::string& name) {
    std::string bytes;
    for (int i = 0; i < 2000; ++i) {
      if (ReadFileBytes(THostPath::FromBytes(folder_.File(name + ".args")), bytes) &&
          !bytes.empty() && bytes.back() == '\n')
        break;
      ::usleep(10000);
    }
    return bytes;
  }

  test::TTempFolder folder_;
  std::optional<test::TScopedEnv> path_;
};

TEST_F(ShellOnPathTest, TheDesktopOpenerGetsTheTarget) {
  Program("xdg-open");
  EXPECT_TRUE(OpenWithShell(THostPath::FromBytes("/tmp/seite.html")));
  EXPECT_EQ(ArgsOf("xdg-open"), "/tmp/seite.html\n");
}

TEST_F(ShellOnPathTest, WithoutAnOpenerTheBrowserGetsTheFileAddress) {
  test::TScopedEnv browser("BROWSER", nullptr);
  Program("x-www-browser");
  EXPECT_TRUE(OpenWithShell(THostPath::FromBytes("/tmp/seite.html")));
  EXPECT_EQ(ArgsOf("x-www-browser"), "file:///tmp/seite.html\n");
}

TEST_F(ShellOnPathTest, NothingToStartIsAFailureNotAHang) {
  test::TScopedEnv browser("BROWSER", nullptr);
  EXPECT_FALSE(OpenWithShell(THostPath::FromBytes("/tmp/seite.html")));
  EXPECT_NO_THROW(OpenInDefaultBrowser("\"file:///tmp/seite.html"));
  EXPECT_TRUE(NoChildLeft());
}

}  // namespace
}  // namespace kv
