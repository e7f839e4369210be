// A main window with the real web engine in a private program folder and temporary directory;
// errors, message boxes and file dialogs are answered by the test instead of a person.
#pragma once

#include <gtest/gtest.h>

#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "tests/common/AsPath.h"

namespace kv {

class DocumentFlowTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Creates and shows the main window; returns it once its first page is editable.
  TMainForm* StartReady(std::vector<std::string> arguments = {});
  static bool WaitFor(const std::function<bool()>& done, int ms = 20000);
  // Types text into the page.
  void Type(const std::string& text);
  // The next open or save dialog answers with this name (nullopt: cancelled).
  void AnswerFileDialog(std::optional<std::string> name);
  // Runs a handler the way the window's event dispatch does: an error lands in errors_.
  void Click(const std::function<void()>& handler);

  std::string Dir() const { return dir_; }  // the test's own folder, ending with "/"
  std::string TempDir() const { return dir_ + "tmp/"; }
  static std::string FileText(const std::string& path);
  static std::vector<std::string> FilesIn(const std::string& dir, const std::string& prefix);

  TMainForm* form_ = nullptr;
  std::vector<std::string> errors_;
  std::vector<std::string> messages_;
  std::vector<std::string> dialogPresets_;  // the file name each dialog was preset with
  bool answerYes_ = false;                  // how a question is answered

 private:
  std::string dir_;
  std::unique_ptr<TApplication> app_;
  std::optional<std::string> answer_;
};

}  // namespace kv
