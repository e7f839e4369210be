// The web page engine over Qt WebEngine. The page is made editable through designMode; its
// script (EditorScript) pushes the formatting at the caret on every selection change, click and
// command, so command values answer at once. The few operations that must wait for the engine
// (Load, Save, the clipboard commands) run a local event loop that takes no user input, cannot
// be entered twice, and ends with an error after Timeout() or when the engine's process dies.
#pragma once

#include <memory>

#include "engine/WebEngine.h"

class QObject;
class QUrl;
class QWidget;

namespace kv {

class TQtWebEngine : public TWebEngine {
 public:
  explicit TQtWebEngine(QWidget* parent = nullptr);
  ~TQtWebEngine() override;
  TQtWebEngine(const TQtWebEngine&) = delete;
  TQtWebEngine& operator=(const TQtWebEngine&) = delete;

  // The view to embed; the main window may reparent it. When it is destroyed with its parent,
  // every later call fails with EEngineError.
  QWidget* Widget() const;
  // True for the widget that receives the mouse input of an engine's document: the program's
  // mouse filter swallows right clicks on it.
  static bool IsDocumentSurface(const QObject* object);

  // How long a synchronous operation waits for the engine (milliseconds; 15000 by default).
  void SetTimeout(int milliseconds);
  int Timeout() const;

  void Navigate(const std::string& address) override;
  void Navigate(const THostPath& file) override;
  bool Busy() const override;
  bool HasDocument() const override;
  void SetDesignMode(bool on) override;
  void SetOnClick(std::function<void()> handler) override;
  void Load(const THostPath& path) override;
  void Save(const THostPath& path) override;
  std::vector<std::string> SaveToLines() override;
  TSerializedPage SaveToPage() override;
  void CapturePage(std::function<void(std::optional<TPageCapture>)> done, bool nodeByNode) override;
  THostPath LoadedFile() const override;
  void ExecCommand(const std::string& name, bool showUI, const TVariant& value) override;
  TVariant QueryCommandValue(const std::string& name) override;
  void ExecWB(int command, int option) override;
  void ScrollToText(const std::string& text) override;

 private:
  // file: the local file the address names, empty for other addresses.
  void NavigateTo(const QUrl& url, const THostPath& file);

  class TImpl;
  std::unique_ptr<TImpl> FImpl;
};

}  // namespace kv
