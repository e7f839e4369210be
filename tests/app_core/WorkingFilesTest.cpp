#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <regex>
#include <set>

#include "TestEnv.h"
#include "app/core/WorkingFiles.h"
#include "support/Files.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

struct TNameCase {
  std::string Name;
  bool Working;
};

void PrintTo(const TNameCase& c, std::ostream* os) {
  *os << "'" << c.Name << "'";
}

class WorkingFileNameTest : public testing::TestWithParam<TNameCase> {};

TEST_P(WorkingFileNameTest, OnlyTheProgramsOwnNames) {
  EXPECT_EQ(IsWorkingFileName(GetParam().Name), GetParam().Working);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WorkingFileNameTest,
    testing::Values(
        TNameCase{"KAVELIN_undo.html", true}, TNameCase{"KAVELIN_undotemp.html", true},
        TNameCase{"KAVELIN_quellcode.html", true}, TNameCase{"KAVELIN_metatags.html", true},
        TNameCase{"KAVELIN_acttable.html", true}, TNameCase{"KAVELIN_newfile.html", true},
        TNameCase{"KAVELIN_preview.html", true}, TNameCase{"KAVELIN_temp0.html", true},
        TNameCase{"KAVELIN_temp9999998.html", true},
        // The user's own files that merely share the prefix stay.
        TNameCase{"KAVELIN_notes.html", false}, TNameCase{"KAVELIN_temp.html", false},
        TNameCase{"KAVELIN_temp12a.html", false}, TNameCase{"KAVELIN_temp12.htm", false},
        TNameCase{"KAVELIN_temp12.html.bak", false}, TNameCase{"kavelin_undo.html", false},
        TNameCase{"KAVELIN_undo.txt", false}, TNameCase{"kavelin123.html", false},
        TNameCase{"", false}));

TEST(WorkFileNameTest, NumberedCopyInTheDocumentFolder) {
  const std::regex shape(R"(/home/u/web/KAVELIN_temp(\d+)\.html)");
  std::set<std::string> seen;
  for (int i = 0; i < 200; ++i) {
    const std::string name = NewWorkFileName(AsPath("/home/u/web/")).Bytes();
    std::smatch m;
    ASSERT_TRUE(std::regex_match(name, m, shape)) << name;
    EXPECT_LT(std::stol(m[1]), 9999999);
    EXPECT_TRUE(IsWorkingFileName(name.substr(12)));
    seen.insert(name);
  }
  // Quick successive draws give different names.
  EXPECT_GT(seen.size(), 190u);
}

TEST(WorkFileNameTest, UntitledPageBelowTheTemporaryDirectory) {
  EXPECT_EQ(UntitledDocDir(AsPath("/tmp/u/")).Bytes(), "/tmp/u/temp/");
  EXPECT_EQ(UntitledFile(AsPath("/tmp/u/")).Bytes(), "/tmp/u/temp/temp.html");
  EXPECT_EQ(UntitledFile(AsPath("")).Bytes(), "temp/temp.html");
}

class DeleteWorkingFilesTest : public testing::Test {
 protected:
  void Make(const std::string& path) { ASSERT_TRUE(WriteFileBytes(AsPath(path), "x")) << path; }

  test::TTempFolder folder_;
};

TEST_F(DeleteWorkingFilesTest, SweepsTheDocumentFolderThenTheTemporaryOne) {
  const std::string doc = folder_.File("doc/");
  const std::string temp = folder_.File("temp/");
  ASSERT_TRUE(ForceDirectories(AsPath(doc)));
  ASSERT_TRUE(ForceDirectories(AsPath(temp)));
  for (const char* name : {"KAVELIN_temp42.html", "KAVELIN_undo.html", "KAVELIN_quellcode.html"}) {
    Make(doc + name);
    Make(temp + name);
  }
  const std::vector<std::string> kept = {doc + "KAVELIN_notes.html", doc + "index.html",
                                         temp + "KAVELIN_temp.html", temp + "kavelin77.html"};
  for (const auto& k : kept) Make(k);
  ASSERT_TRUE(ForceDirectories(AsPath(doc + "KAVELIN_undo.html.d")));
  ASSERT_TRUE(
      ForceDirectories(AsPath(doc + "KAVELIN_metatags.html")));  // a folder: not a file to delete

  EXPECT_EQ(DeleteWorkingFiles(AsPath(doc), AsPath(temp)), 6);
  for (const auto& k : kept) EXPECT_TRUE(FileExists(AsPath(k))) << k;
  EXPECT_FALSE(FileExists(AsPath(doc + "KAVELIN_temp42.html")));
  EXPECT_FALSE(FileExists(AsPath(temp + "KAVELIN_undo.html")));
  EXPECT_TRUE(DirectoryExists(AsPath(doc + "KAVELIN_metatags.html")));
}

TEST_F(DeleteWorkingFilesTest, TheCopyToKeepIsSparedInBothSweeps) {
  const std::string doc = folder_.File("doc/");
  ASSERT_TRUE(ForceDirectories(AsPath(doc)));
  Make(doc + "KAVELIN_temp1.html");
  Make(doc + "KAVELIN_temp2.html");
  // The same folder as the document's, spelled differently: still the file to keep.
  EXPECT_EQ(DeleteWorkingFiles(AsPath(doc), AsPath(doc),
                               AsPath(folder_.File("doc/./KAVELIN_temp2.html"))),
            1);
  EXPECT_FALSE(FileExists(AsPath(doc + "KAVELIN_temp1.html")));
  EXPECT_TRUE(FileExists(AsPath(doc + "KAVELIN_temp2.html")));
}

TEST_F(DeleteWorkingFilesTest, EmptyFolderMeansTheCurrentDirectory) {
  const fs::path before = fs::current_path();
  fs::current_path(folder_.Dir());
  Make("KAVELIN_undo.html");
  Make("mine.html");
  const int deleted = DeleteWorkingFiles(AsPath(""), AsPath(folder_.File("missing/")));
  fs::current_path(before);
  EXPECT_EQ(deleted, 1);
  EXPECT_FALSE(FileExists(AsPath(folder_.File("KAVELIN_undo.html"))));
  EXPECT_TRUE(FileExists(AsPath(folder_.File("mine.html"))));
}

TEST_F(DeleteWorkingFilesTest, FailuresAreIgnored) {
  const std::string doc = folder_.File("ro/");
  ASSERT_TRUE(ForceDirectories(AsPath(doc)));
  Make(doc + "KAVELIN_undo.html");
  Make(folder_.File("KAVELIN_temp1.html"));
  ::chmod(doc.c_str(), 0555);
  // As super-user the file goes anyway; otherwise it stays. Neither throws, and the second
  // folder is swept regardless.
  EXPECT_NO_THROW(DeleteWorkingFiles(AsPath(doc), AsPath(folder_.Dir())));
  EXPECT_FALSE(FileExists(AsPath(folder_.File("KAVELIN_temp1.html"))));
  EXPECT_NO_THROW(
      DeleteWorkingFiles(AsPath(folder_.File("nowhere/")), AsPath(folder_.File("nowhere2/"))));
}

}  // namespace
}  // namespace kv
