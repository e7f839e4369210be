// The command line: which arguments are options and which are files, and what the options that
// end the program print and return.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "TestEnv.h"
#include "app/core/CommandLine.h"

namespace kv {
namespace {

TCommandLine Parse(std::vector<const char*> args) {
  args.insert(args.begin(), "kavelin");
  return ParseCommandLine(static_cast<int>(args.size()), args.data());
}

TEST(CommandLineTest, OptionsFilesAndTheEndOfOptions) {
  using A = TStartAction;
  struct Case {
    std::vector<const char*> args;
    A action;
    std::vector<std::string> files;
    std::string bad;
  };
  const Case cases[] = {
      {{}, A::Run, {}, ""},
      {{"seite.html"}, A::Run, {"seite.html"}, ""},
      {{"--help"}, A::Help, {}, ""},
      {{"-h"}, A::Help, {}, ""},
      {{"--version"}, A::Version, {}, ""},
      {{"-V"}, A::Version, {}, ""},
      {{"a.html", "--version"}, A::Version, {"a.html"}, ""},
      // After "--" everything is a file, also "--" itself and names that look like options.
      {{"--", "-odd-name.html"}, A::Run, {"-odd-name.html"}, ""},
      {{"--", "--help", "--"}, A::Run, {"--help", "--"}, ""},
      {{"-"}, A::Run, {"-"}, ""},
      {{""}, A::Run, {""}, ""},
      // The first option decides.
      {{"--frobnicate", "--help"}, A::BadOption, {}, "--frobnicate"},
      {{"--help", "--frobnicate"}, A::Help, {}, ""},
      {{"--version", "--help"}, A::Version, {}, ""},
      // Toolkit options are not taken from the command line.
      {{"-platform", "offscreen"}, A::BadOption, {"offscreen"}, "-platform"},
      {{"--help=all"}, A::BadOption, {}, "--help=all"},
      // Bytes that are no valid UTF-8 stay as they are.
      {{"\xFF\xFE-seite.html", "--", "-\xE4.html"},
       A::Run,
       {"\xFF\xFE-seite.html", "-\xE4.html"},
       ""},
      // ":" is part of a name.
      {{"a:b.html", "file:x.html"}, A::Run, {"a:b.html", "file:x.html"}, ""},
  };
  for (const Case& c : cases) {
    std::string shown;
    for (const char* a : c.args) shown += std::string(a) + " ";
    const TCommandLine line = Parse(c.args);
    EXPECT_EQ(line.Action, c.action) << shown;
    std::vector<std::string> files;
    for (const THostPath& f : line.Files) files.push_back(f.Bytes());
    EXPECT_EQ(files, c.files) << shown;
    EXPECT_EQ(line.BadOption, c.bad) << shown;
  }
}

TEST(CommandLineTest, TheTerminalLanguageFollowsTheLocaleVariablesInTheirOrder) {
  struct Case {
    const char *all, *messages, *lang;
    int language;
  };
  const Case cases[] = {
      {nullptr, nullptr, nullptr, 2},
      {nullptr, nullptr, "de_DE.UTF-8", 1},
      {nullptr, nullptr, "de", 1},
      {nullptr, nullptr, "en_GB.UTF-8", 2},
      {nullptr, nullptr, "C", 2},
      {"", "", "de_AT.UTF-8", 1},  // empty values are skipped
      {nullptr, "en_US.UTF-8", "de_DE.UTF-8", 2},
      {"de_CH.UTF-8", "en_US.UTF-8", "C", 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TerminalLanguage(c.all, c.messages, c.lang), c.language)
        << (c.all ? c.all : "-") << " " << (c.messages ? c.messages : "-") << " "
        << (c.lang ? c.lang : "-");
}

struct TRun {
  std::optional<int> status;
  std::string out, err;
};

TRun Act(const std::vector<const char*>& args, const std::string& dir, int language) {
  std::ostringstream out, err;
  TRun r;
  r.status = RunStartAction(Parse(args), THostPath::FromBytes(dir), language, out, err);
  r.out = out.str();
  r.err = err.str();
  return r;
}

TEST(CommandLineTest, HelpVersionAndABadOptionPrintAndEnd) {
  test::TTempFolder folder;
  std::ofstream(folder.File("Ver.ini"), std::ios::binary) << "Version 9.2.6\r\nzweite Zeile\r\n";

  TRun help = Act({"--help"}, folder.Dir(), 2);
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("Usage: kavelin [OPTION]... [--] [FILE]\n", 0), 0u) << help.out;
  EXPECT_NE(help.out.find("--version"), std::string::npos);
  EXPECT_EQ(help.err, "");
  TRun hilfe = Act({"-h"}, folder.Dir(), 1);
  EXPECT_EQ(hilfe.status, 0);
  EXPECT_NE(hilfe.out.find("Aufruf: kavelin"), std::string::npos);
  EXPECT_NE(hilfe.out.find("ge\xC3\xB6"
                           "ffnet"),
            std::string::npos)
      << "UTF-8 for the terminal";

  TRun version = Act({"--version"}, folder.Dir(), 2);
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "KAVELIN Version 9.2.6\n");
  EXPECT_EQ(version.err, "");

  TRun bad = Act({"--frobnicate"}, folder.Dir(), 2);
  EXPECT_EQ(bad.status, 2);
  EXPECT_EQ(bad.out, "");
  EXPECT_EQ(bad.err, "kavelin: unknown option \"--frobnicate\"\nTry \"kavelin --help\".\n");
  EXPECT_NE(Act({"--frobnicate"}, folder.Dir(), 1).err.find("unbekannte Option"),
            std::string::npos);

  EXPECT_EQ(Act({"seite.html"}, folder.Dir(), 2).status, std::nullopt);
}

TEST(CommandLineTest, AVersionFileThatCannotBeReadIsAnErrorNamingIt) {
  test::TTempFolder folder;
  std::filesystem::create_directories(folder.File("leer"));
  std::ofstream(folder.File("leer/Ver.ini"), std::ios::binary);        // empty
  std::filesystem::create_directories(folder.File("ordner/Ver.ini"));  // a folder
  for (const std::string& dir :
       {folder.File("fehlt/"), folder.File("leer/"), folder.File("ordner/")}) {
    TRun r = Act({"--version"}, dir, 2);
    EXPECT_EQ(r.status, 1) << dir;
    EXPECT_EQ(r.out, "") << dir;
    EXPECT_EQ(r.err, "kavelin: cannot read the version file " + dir + "Ver.ini.\n");
  }
}

}  // namespace
}  // namespace kv
