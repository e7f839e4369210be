// Common dialogs (open, save, colour) and the message box, as components with the framework's
// properties. Each shows through a replaceable service, so tests answer instead of a person.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/classes/Graphics.h"
#include "support/HostPath.h"

namespace kv {

class TForm;

// "Text|*.a;*.b|All|*.*" (the stored form; empty patterns between ";;" are dropped) ->
// "Text (*.a *.b);;All (*.*)" for Qt.
std::string FilterToQt(const std::string& filter);

class TOpenDialog : public TComponent {
  KV_DECLARE_CLASS()
  explicit TOpenDialog(TComponent* owner);
  const std::string& Filter() const { return filter_; }
  void SetFilter(const std::string& filter) { filter_ = filter; }
  // The file name is the host's bytes, never page text; FilePath gives it its type.
  const std::string& FileName() const { return fileName_; }
  void SetFileName(const std::string& name) { fileName_ = name; }
  THostPath FilePath() const { return THostPath::FromBytes(fileName_); }
  void SetFilePath(const THostPath& path) { fileName_ = path.Bytes(); }
  const std::string& DefaultExt() const { return defaultExt_; }
  void SetDefaultExt(const std::string& ext) { defaultExt_ = ext; }
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title) { title_ = title; }
  // Shows the dialog; true when the user confirmed (FileName then holds the choice).
  virtual bool Execute();

 protected:
  virtual bool IsSave() const { return false; }
  std::string filter_, fileName_, defaultExt_, title_;
};

// Adds DefaultExt to a name typed without extension; never asks before overwriting.
class TSaveDialog : public TOpenDialog {
  KV_DECLARE_CLASS()
  using TOpenDialog::TOpenDialog;
  bool Execute() override;

 protected:
  bool IsSave() const override { return true; }
};

class TColorDialog : public TComponent {
  KV_DECLARE_CLASS()
  explicit TColorDialog(TComponent* owner);
  TColor Color() const { return color_; }
  void SetColor(TColor color) { color_ = color; }
  bool FullOpen = false;
  bool Execute();

 private:
  TColor color_ = clBlack;
};

enum TMsgBoxFlags : unsigned {
  MB_OK = 0,
  MB_YESNO = 0x04,
  MB_ICONERROR = 0x10,
  MB_ICONQUESTION = 0x20,
  MB_ICONWARNING = 0x30,
  MB_ICONINFORMATION = 0x40
};
// A message box owned by owner (may be null); returns the modal result of the pressed button
// (mrOk, or with MB_YESNO mrYes or mrNo; closing it answers No).
int MessageBox(TForm* owner, const std::string& text, const std::string& caption,
               unsigned flags = MB_OK);
// The captions of the Yes and No buttons ("&" before the access key), in the program's
// language; empty: Qt's own.
void SetYesNoCaptions(std::string yes, std::string no);

// What the dialogs do when shown; tests replace these to answer without a person.
struct TDialogService {
  // The chosen file as the host's bytes.
  std::function<std::optional<std::string>(const TOpenDialog&, bool save)> FileDialog;
  std::function<std::optional<TColor>(TColor initial)> ColorDialog;
  std::function<int(TForm* owner, const std::string& text, const std::string& caption,
                    unsigned flags)>
      MessageBox;
};
TDialogService& DialogService();
// Restores the Qt dialogs.
void ResetDialogService();

}  // namespace kv
