// The main window: menus, the formatting tool bar, the editing surface and the status bar, the
// document state every other window reads, and the commands behind the menus and buttons.
#pragma once

#include <chrono>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/RecoveryKeeper.h"
#include "app/WebBrowser.h"
#include "app/core/PageFileCheck.h"
#include "platform/AppEvents.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/ImgList.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"

namespace kv {

class TFileDrop;
class TLangDispatcher;
class TTranslator;

class TMainForm : public TForm {
  KV_DECLARE_CLASS()
  // programPath: where the program lies (its folder holds Ver.ini and the pictures); empty for
  // the running executable's own path.
  TMainForm(TComponent* owner, TEngineFactory engineFactory, std::vector<THostPath> arguments,
            THostPath programPath = {});
  ~TMainForm() override;

  // ---- State the other windows read ----
  // Paths are the host's bytes; they are shown through PathForDisplay.
  THostPath AppDir, TempDir, StartFile;
  std::string VersionText, LanguageName, ProductTitle;
  THostPath DocDir, WorkFile, CurrentFile;
  // Where Language.ini, historie.ini and historiesmall.ini live: AppDir when the program may
  // write there, else the user's settings folder. Decided once, at creation.
  THostPath SettingsDir;

  // ---- Document lifecycle ----
  TWebEngine* GetDocument() const;  // none while the engine has no document
  void InitEditing();
  void LoadDocument(const THostPath& path);
  void DeleteWorkingFiles();
  // Writes the page to path: the engine's lines, rewritten, written once and atomically.
  void SaveDocumentTo(const THostPath& path);
  void Neu1Click(TObject* sender);
  void NeueInternetseit1Click(TObject* sender);
  // What File, Open does with the chosen name (also for a dropped page): the check, the load,
  // the recent list.
  void OpenChosenPage(const THostPath& path);
  // A file that cannot be a page (missing, a folder, a pipe, a picture, a huge file…) is
  // refused before anything of the current page changes: an error naming it, which the
  // window's error box shows.
  void RefuseNonPage(const THostPath& path, TPageFileVerdict verdict);
  // A page file dropped on the window, opened as File, Open would.
  void PageDropped(const THostPath& path);
  void Soeichern1Click(TObject* sender);
  void Speichernunter1Click(TObject* sender);
  void Programmbeenden1Click(TObject* sender);
  void WebBrowser1NavigateComplete2();

  // ---- Editing commands and tool bar state ----
  void RefreshToolbarState();
  void ScrollToText(const std::string& text);
  void BoldButtonClick(TObject*);
  void ItalicButtonClick(TObject*);
  void UnderlineToolButton1Click(TObject*);
  void UnderlineButtonClick(TObject*);
  void LeftAlignClick(TObject*);
  void CenterAlignClick(TObject*);
  void RightAlignClick(TObject*);
  void ToolButton2Click(TObject*);
  void ColorToolButtonClick(TObject*);
  void TextSizeComboChange(TObject*);
  void TextFontComboChange(TObject*);
  void BlockFormatComboChange(TObject*);
  void CutButtonClick(TObject*);
  void CopyButtonClick(TObject*);
  void PasteButtonClick(TObject*);
  void UndoButtonClick(TObject*);
  void TableToolButtonClick(TObject*);
  void Timer1Timer(TObject*);
  // The insertion after the table generator's OK: snapshot, placeholder at the caret, splice,
  // the user's file written whole, the page reloaded from it, and the scroll to come.
  void InsertTable();

  // ---- Recent files ----
  void AddRecentFile(const THostPath& path);
  void RebuildRecentMenu();
  void RecentFileClick(TObject* sender);

  // ---- Hand-offs, help and language ----
  void SpeedButton1Click(TObject*);
  void SpeedButton2Click(TObject*);
  void ToolButton8Click(TObject*);
  void Hilfedatei2Click(TObject*);
  void Info2Click(TObject*);
  void Deutsch1Click(TObject*);
  void English1Click(TObject*);

  // ---- Recovery copies (MainFormRecovery.cpp) ----
  // Keeps the page's recovery copy; made by FormCreate.
  std::unique_ptr<TRecoveryKeeper> Recovery;
  // Offers the newest copy that a run ended without closing left behind; true when the page
  // was restored from it.
  bool OfferRecoveryAtStart();
  // Brings the page back after the engine's page process ended.
  void RestoreAfterProcessGone();
  // Logout, shutdown or Ctrl+C: closes as a normal close does, without the showcase, and keeps
  // the recovery copy for the next start.
  void CloseForSignal();
  // From now on SIGTERM, SIGHUP and SIGINT end the program through CloseForSignal.
  void CloseOnTerminationSignals();

  // ---- Start-up and shut-down ----
  void FormCreate(TObject*);
  void FormShow(TObject*);
  void FormClose(TObject*, TCloseAction& action);
  void ApplicationEvents1Message(TMsg& msg, bool& handled);
  // Runs once, when the window is shown and the first page is editable (start-up measurement).
  std::function<void()> OnEditingReady;
  // Counts RefreshToolbarState calls (tests watch the arrow-key path through it).
  int ToolbarRefreshCount = 0;

  // The designed components, by their names.
  TPanel* TopPanel;
  TImage* Image2;
  TPanel* ControllBar1;
  TToolBar* ToolBar1;
  TToolButton *ToolButton3, *ToolButton4, *ToolButton5, *ToolButton6, *ToolButton7, *BoldToolButton,
      *ItalicToolButton, *UnderlineToolButton1, *LinkToolButton, *ToolButton12, *LeftToolButton1,
      *CenterToolButton1, *RightToolButton1, *ToolButton21, *ToolButton22, *ToolButton24,
      *ToolButton25, *ToolButton26, *ToolButton8, *ToolButton1, *ToolButton10, *ToolButton2;
  TComboBox *BlockFormatCombo, *TextSizeCombo, *TextFontCombo;
  TSpeedButton *SpeedButton1, *SpeedButton2;
  TWebBrowser* WebBrowser1;
  TStatusBar* StatusBar1;
  TMainMenu* MainMenu1;
  TMenuItem *Datei1, *NeueInternetseit1, *Neu1, *Soeichern1, *Speichernunter1, *Programmbeenden1;
  TMenuItem *Language1, *Deutsch1, *English1, *Hilfe2, *Hilfedatei2, *Info2;
  TImageList *ToolbarImages, *MainMenuImageList;
  TOpenDialog* OpenDialog1;
  TSaveDialog* SaveDialog1;
  TColorDialog* ColorDialog1;
  TTimer* Timer1;
  TApplicationEvents* ApplicationEvents1;
  TLangDispatcher* LangDispatcher1 = nullptr;
  TTranslator* Lang_WerbungForm = nullptr;

  // The main window's text "IDS_36" in the active language.
  std::string SavedMessage();
  int ActiveLanguage() const;
  // One of the program's own texts in the active language.
  std::string Message(std::string_view id, std::initializer_list<std::string_view> args = {}) const;

 protected:
  void CreateComponents() override;
  void DoCreate() override;

 private:
  TToolButton* AddToolButton(const char* name, TToolButtonStyle style, int image, int width = 23);
  TMenuItem* AddMenuItem(TMenuItem* parent, const char* name, const char* caption,
                         const char* shortcut, int image);
  void SendCommand(const std::string& name, bool showUI, const TVariant& value);
  void ClipboardCommand(int command);
  // After a failed insertion: the placeholder out of the page again, when it got in.
  void TakePlaceholderBack(TWebEngine& doc);
  // The hints no stored table holds, in the active language; again after every switch.
  void ApplyProgramTexts();
  // Stores the language in Language.ini, then switches every window to it.
  void SwitchLanguage(const std::string& name, int language);
  void SetStatusText(const std::string& text);
  void SetStatusText(const THostPath& path);
  // The preview's copy of the page, beside CurrentFile; deleted on New and when the page
  // moves to another folder.
  THostPath PreviewCopyPath() const;
  void DeletePreviewCopy();
  std::unique_ptr<TFileDrop> fileDrop_;
  TEngineFactory engineFactory_;
  std::vector<THostPath> arguments_;
  THostPath programPath_;
  bool filterOn_ = false;
  bool firstShown_ = false;
  bool saving_ = false;
  bool shown_ = false;
  bool readyReported_ = false;
  void ReportReadyOnce();
  void RunPendingShow();
  void OpenFirstPage();
  bool showPending_ = false;
  bool blankRequested_ = false;
  void InstallRecovery();
  void RestorePage(bool untitled, const THostPath& currentFile, const THostPath& docDir,
                   const std::string& bytes);
  void ShowWhenIdle(std::string text, unsigned flags);
  bool closingForSignal_ = false;
  bool signalsTaken_ = false;
  std::optional<std::chrono::steady_clock::time_point> lastRestore_;
};

}  // namespace kv
