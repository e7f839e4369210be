// A main window under test: its program folder with the files beside the program, a private
// temporary directory, and errors and message boxes recorded instead of shown.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <string>
#include <vector>

#include "app/MainForm.h"

namespace kv {

QApplication& TestApp();

class TAppFolder {
 public:
  // A folder holding a copy of the files the build placed beside the program.
  TAppFolder();
  ~TAppFolder();
  const std::string& Dir() const { return dir_; }  // ends with the separator
  std::string ProgramPath() const { return dir_ + "kavelin"; }
  void Write(const std::string& name, const std::string& bytes) const;
  void Remove(const std::string& name) const;
  std::string TempDir() const { return dir_ + "tmp/"; }

 private:
  std::string dir_;
};

class TFakeWebEngine;

// The in-process engine for a main window under test. Its navigations complete through the
// event loop, tied to the window's surface: a window freed before that never hears of them.
TEngineHost FakeEngineHost(TFakeWebEngine** engine = nullptr);

class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Creates the main window (not yet shown) with the given engine.
  TMainForm* Start(TEngineFactory engine, std::vector<std::string> arguments = {});
  // Runs the event loop until done() or the time runs out.
  static bool WaitFor(const std::function<bool()>& done, int ms = 20000);

  TAppFolder folder_;
  std::unique_ptr<TApplication> app_;
  std::vector<std::string> errors_;
  std::vector<std::string> messages_;
};

}  // namespace kv
