// The main window's design, its creation handler, first show and closing, and the input filters.
#include "app/MainForm.h"

#include <QApplication>
#include <QTimer>

#include "app/core/SettingsFolder.h"
#include "app/core/WorkingFiles.h"
#include "platform/FileDrop.h"
#include "platform/Jpeg.h"
#include "platform/QtText.h"
#include "platform/QtTranslations.h"
#include "platform/TerminationSignals.h"
#include "resources/Resources.h"
#include "support/Files.h"
#include "support/Paths.h"
#include "support/ScopeGuard.h"
#include "support/SystemInfo.h"
#include "tools/AboutBox.h"
#include "tools/CreateTableForm.h"
#include "tools/MainFormAccess.h"
#include "tools/MetaTagForm.h"
#include "tools/QuellcodeForm.h"
#include "tools/WerbungForm.h"
#include "translate/ProgramTexts.h"
#include "translate/Translator.h"

namespace kv {

KV_DEFINE_CLASS(TMainForm, TForm, {})

namespace {

// Qt's catalogue for a language number of the dispatcher; English is Qt's own.
std::string QtLanguageCode(int language) {
  return language == 1 ? "de" : "";
}

}  // namespace

TMainForm::TMainForm(TComponent* owner, TEngineFactory engineFactory,
                     std::vector<THostPath> arguments, THostPath programPath)
    : TForm(owner),
      engineFactory_(std::move(engineFactory)),
      arguments_(std::move(arguments)),
      programPath_(std::move(programPath)) {
  SetName("MainForm");
}

TMainForm::~TMainForm() {
  RemoveMouseHook();
  // The dialogs of a later main window (tests make several) must not read this one's fields.
  if (MainDispatcher() == LangDispatcher1) SetMainDispatcher(nullptr);
  if (MainFormFields().DocDir == &DocDir) SetMainFormFields({});
  if (signalsTaken_) OnTerminationSignals(nullptr);
}

TToolButton* TMainForm::AddToolButton(const char* name, TToolButtonStyle style, int image,
                                      int width) {
  auto* b = new TToolButton(this);
  b->SetName(name);
  b->SetStyle(style);
  b->SetImageIndex(image);
  b->SetWidth(width);
  ToolBar1->AddControl(b);
  return b;
}

TMenuItem* TMainForm::AddMenuItem(TMenuItem* parent, const char* name, const char* caption,
                                  const char* shortcut, int image) {
  auto* item = new TMenuItem(this);
  item->SetName(name);
  item->SetCaption(caption);
  item->SetShortCut(shortcut);
  item->SetImageIndex(image);
  parent->Add(item);
  return item;
}

void TMainForm::CreateComponents() {
  // The designed window, with its designed (English) texts.
  SetCaption("KAVELIN");
  Font()->SetName("Microsoft Sans Serif");
  Font()->SetSize(8);
  SetBounds(0, 0, 1115, 622);
  SetWindowState(TWindowState::wsMaximized);

  ToolbarImages = new TImageList(this);
  ToolbarImages->SetName("ToolbarImages");
  for (int i = 0; i < 21; ++i) ToolbarImages->AddImage(ToolbarImage(i));
  MainMenuImageList = new TImageList(this);
  MainMenuImageList->SetName("MainMenuImageList");
  for (int i = 0; i < 24; ++i) MainMenuImageList->AddImage(MenuImage(i));

  TopPanel = new TPanel(this);
  TopPanel->SetName("TopPanel");
  TopPanel->SetHeight(40);
  TopPanel->SetColor(clWhite);
  TopPanel->SetBevel(TBevelCut::bvLowered);
  TopPanel->SetAlign(TAlign::alTop);
  TopPanel->SetParent(this);
  Image2 = new TImage(this);
  Image2->SetName("Image2");
  Image2->SetAlign(TAlign::alClient);
  Image2->SetParent(TopPanel);

  ControllBar1 = new TPanel(this);
  ControllBar1->SetName("ControllBar1");
  ControllBar1->SetBevel(TBevelCut::bvNone);
  ControllBar1->SetHeight(30);
  ControllBar1->SetAlign(TAlign::alTop);
  ControllBar1->SetParent(this);
  ControllBar1->SetBackgroundPicture(DecodeJpeg(ResourceBytes(ResourcePath::ControlBarBackground)));

  ToolBar1 = new TToolBar(this);
  ToolBar1->SetName("ToolBar1");
  ToolBar1->Images = ToolbarImages;
  ToolBar1->SetShowHint(true);
  ToolBar1->SetAlign(TAlign::alClient);
  ToolBar1->SetParent(ControllBar1);
  ToolBar1->Peer()->setAutoFillBackground(false);

  using S = TToolButtonStyle;
  ToolButton3 = AddToolButton("ToolButton3", S::tbsButton, 5);
  ToolButton4 = AddToolButton("ToolButton4", S::tbsButton, 6);
  ToolButton5 = AddToolButton("ToolButton5", S::tbsButton, 7);
  ToolButton6 = AddToolButton("ToolButton6", S::tbsButton, 4);
  ToolButton7 = AddToolButton("ToolButton7", S::tbsSeparator, -1, 5);
  BoldToolButton = AddToolButton("BoldToolButton", S::tbsCheck, 8);
  ItalicToolButton = AddToolButton("ItalicToolButton", S::tbsCheck, 9);
  UnderlineToolButton1 = AddToolButton("UnderlineToolButton1", S::tbsButton, 10);
  LinkToolButton = AddToolButton("LinkToolButton", S::tbsCheck, 16);
  ToolButton12 = AddToolButton("ToolButton12", S::tbsSeparator, -1, 5);
  LeftToolButton1 = AddToolButton("LeftToolButton1", S::tbsCheck, 11);
  CenterToolButton1 = AddToolButton("CenterToolButton1", S::tbsCheck, 12);
  RightToolButton1 = AddToolButton("RightToolButton1", S::tbsCheck, 13);
  for (TToolButton* b : {LeftToolButton1, CenterToolButton1, RightToolButton1}) b->SetGrouped(true);
  ToolButton21 = AddToolButton("ToolButton21", S::tbsSeparator, -1, 5);
  ToolButton22 = AddToolButton("ToolButton22", S::tbsButton, 15);
  ToolButton24 = AddToolButton("ToolButton24", S::tbsSeparator, -1, 5);
  ToolButton25 = AddToolButton("ToolButton25", S::tbsButton, 18);
  ToolButton26 = AddToolButton("ToolButton26", S::tbsButton, 19);
  ToolButton8 = AddToolButton("ToolButton8", S::tbsButton, 20);
  ToolButton1 = AddToolButton("ToolButton1", S::tbsSeparator, -1, 8);
  BlockFormatCombo = new TComboBox(this);
  BlockFormatCombo->SetName("BlockFormatCombo");
  BlockFormatCombo->SetWidth(93);
  BlockFormatCombo->SetDropDownCount(15);
  ToolBar1->AddControl(BlockFormatCombo);
  ToolButton10 = AddToolButton("ToolButton10", S::tbsSeparator, -1, 8);
  TextSizeCombo = new TComboBox(this);
  TextSizeCombo->SetName("TextSizeCombo");
  TextSizeCombo->SetWidth(72);
  ToolBar1->AddControl(TextSizeCombo);
  ToolButton2 = AddToolButton("ToolButton2", S::tbsSeparator, -1, 8);
  TextFontCombo = new TComboBox(this);
  TextFontCombo->SetName("TextFontCombo");
  TextFontCombo->SetWidth(104);
  ToolBar1->AddControl(TextFontCombo);
  SpeedButton1 = new TSpeedButton(this);
  SpeedButton1->SetName("SpeedButton1");
  SpeedButton1->SetWidth(66);
  ToolBar1->AddControl(SpeedButton1);
  SpeedButton2 = new TSpeedButton(this);
  SpeedButton2->SetName("SpeedButton2");
  SpeedButton2->SetWidth(73);
  ToolBar1->AddControl(SpeedButton2);

  // Designed texts: English captions and hints, as the stored window has them.
  struct Text {
    TControl* control;
    const char* caption;
    const char* hint;
  };
  const Text texts[] = {
      {ToolButton3, "Cu&t", "Delete selected Text"},
      {ToolButton4, "&Copy", "Copy seletcted Text"},
      {ToolButton5, "&Paste", "Paste Copy seletcted Text"},
      {ToolButton6, "&Undo", "Undo"},
      {BoldToolButton, "BoldToolButton", "Font Bold"},
      {ItalicToolButton, "ItalicToolButton", "Font Italic"},
      {UnderlineToolButton1, "UnderlineToolButton1", nullptr},
      {LinkToolButton, "LinkToolButton", "Insert Hyperlink"},
      {LeftToolButton1, "LeftToolButton1", "Align Left"},
      {CenterToolButton1, "CenterToolButton1", "Align Center"},
      {RightToolButton1, "RightToolButton1", "Align Right"},
      {ToolButton22, "ToolButton3", "Textcolor"},
      {ToolButton25, "ToolButton", "Insert Table"},
      {ToolButton26, "ToolButton2", "Insert Image"},
      {ToolButton8, "ToolButton8", "Meta Tags"},
      {SpeedButton1, "HTML", nullptr},
      {SpeedButton2, "Preview", nullptr},
  };
  // Controls without a hint here get theirs from the program's texts (ApplyProgramTexts).
  for (const Text& t : texts) {
    t.control->SetCaption(t.caption);
    if (t.hint) t.control->SetHint(t.hint);
  }
  for (const char* item : {"Normal", "Heading 1", "Heading 2", "Heading 3", "Heading 4",
                           "Heading 5", "Heading 6", "Numbered List", "Bulleted List"})
    BlockFormatCombo->Items()->Add(item);
  for (const char* item : {"1", "2", "3", "4", "5", "6", "7"}) TextSizeCombo->Items()->Add(item);
  for (const char* item : {"Standard", "Arial", "Verdana", "Times New Roman", "Courier",
                           "Trebuchet MS", "Tahoma", "Comic Sans MS"})
    TextFontCombo->Items()->Add(item);
  for (TComboBox* c : {BlockFormatCombo, TextSizeCombo, TextFontCombo}) {
    c->Font()->SetName("Microsoft Sans Serif");
    c->Font()->SetCharset(ANSI_CHARSET);
  }

  WebBrowser1 = new TWebBrowser(this, engineFactory_());
  WebBrowser1->SetName("WebBrowser1");

  StatusBar1 = new TStatusBar(this);
  StatusBar1->SetName("StatusBar1");
  StatusBar1->SetAlign(TAlign::alBottom);
  StatusBar1->SetParent(this);
  StatusBar1->Font()->SetName("Segoe UI");
  WebBrowser1->SetAlign(TAlign::alClient);
  WebBrowser1->SetParent(this);

  MainMenu1 = new TMainMenu(this);
  MainMenu1->SetName("MainMenu1");
  MainMenu1->Images = MainMenuImageList;
  TMenuItem* bar = MainMenu1->Items();
  Datei1 = AddMenuItem(bar, "Datei1", "File", "", -1);
  NeueInternetseit1 = AddMenuItem(Datei1, "NeueInternetseit1", "Open", "Alt+O", 0);
  Neu1 = AddMenuItem(Datei1, "Neu1", "New", "Alt+N", 2);
  Soeichern1 = AddMenuItem(Datei1, "Soeichern1", "Save", "F2", 1);
  Speichernunter1 = AddMenuItem(Datei1, "Speichernunter1", "Save as", "Alt+S", 1);
  Programmbeenden1 = AddMenuItem(Datei1, "Programmbeenden1", "Close", "Alt+X", 3);
  Language1 = AddMenuItem(bar, "Language1", "Sprache", "", -1);
  Deutsch1 = AddMenuItem(Language1, "Deutsch1", "Deutsch", "", 19);
  English1 = AddMenuItem(Language1, "English1", "Englisch", "", 20);
  Hilfe2 = AddMenuItem(bar, "Hilfe2", "Help", "", -1);
  Hilfedatei2 = AddMenuItem(Hilfe2, "Hilfedatei2", "Help File", "Alt+H", 6);
  Info2 = AddMenuItem(Hilfe2, "Info2", "Info", "Alt+I", 9);
  // The keys every desktop program has, beside the designed ones. None is a key the page
  // (Ctrl+B, I, U, Z, Y, C, X, V, A) or the source window (Ctrl+F, F3, F2, Esc) needs.
  NeueInternetseit1->SetExtraShortCuts({"Ctrl+O"});
  Neu1->SetExtraShortCuts({"Ctrl+N"});
  Soeichern1->SetExtraShortCuts({"Ctrl+S"});
  Speichernunter1->SetExtraShortCuts({"Ctrl+Shift+S"});
  Programmbeenden1->SetExtraShortCuts({"Ctrl+Q"});
  Hilfedatei2->SetExtraShortCuts({"F1"});
  SetMenu(MainMenu1);

  OpenDialog1 = new TOpenDialog(this);
  OpenDialog1->SetName("OpenDialog1");
  SaveDialog1 = new TSaveDialog(this);
  SaveDialog1->SetName("SaveDialog1");
  SaveDialog1->SetDefaultExt("html");
  ColorDialog1 = new TColorDialog(this);
  ColorDialog1->SetName("ColorDialog1");
  ColorDialog1->FullOpen = true;
  Timer1 = new TTimer(this);
  Timer1->SetName("Timer1");
  Timer1->SetEnabled(false);
  Timer1->SetInterval(1000);
  ApplicationEvents1 = new TApplicationEvents(this);
  ApplicationEvents1->SetName("ApplicationEvents1");

  LangDispatcher1 = CreateStoredDispatcher(this);
  SetMainDispatcher(LangDispatcher1);
  SetMainFormFields({&AppDir, &DocDir, &CurrentFile, &ProductTitle, &VersionText});
  Lang_WerbungForm = CreateStoredTranslator(this, LangDispatcher1);
  LangDispatcher1->AddLanguageListener(this, [this] { ApplyProgramTexts(); });
  ApplyProgramTexts();

  // Event handlers, as the stored window names them.
  auto bind = [this](void (TMainForm::*handler)(TObject*)) {
    return [this, handler](TObject* sender) { (this->*handler)(sender); };
  };
  ToolButton3->OnClick = bind(&TMainForm::CutButtonClick);
  ToolButton4->OnClick = bind(&TMainForm::CopyButtonClick);
  ToolButton5->OnClick = bind(&TMainForm::PasteButtonClick);
  ToolButton6->OnClick = bind(&TMainForm::UndoButtonClick);
  BoldToolButton->OnClick = bind(&TMainForm::BoldButtonClick);
  ItalicToolButton->OnClick = bind(&TMainForm::ItalicButtonClick);
  UnderlineToolButton1->OnClick = bind(&TMainForm::UnderlineToolButton1Click);
  LinkToolButton->OnClick = bind(&TMainForm::UnderlineButtonClick);
  LeftToolButton1->OnClick = bind(&TMainForm::LeftAlignClick);
  CenterToolButton1->OnClick = bind(&TMainForm::CenterAlignClick);
  RightToolButton1->OnClick = bind(&TMainForm::RightAlignClick);
  ToolButton22->OnClick = bind(&TMainForm::ColorToolButtonClick);
  ToolButton25->OnClick = bind(&TMainForm::TableToolButtonClick);
  ToolButton26->OnClick = bind(&TMainForm::ToolButton2Click);
  ToolButton8->OnClick = bind(&TMainForm::ToolButton8Click);
  BlockFormatCombo->OnChange = bind(&TMainForm::BlockFormatComboChange);
  TextSizeCombo->OnChange = bind(&TMainForm::TextSizeComboChange);
  TextFontCombo->OnChange = bind(&TMainForm::TextFontComboChange);
  SpeedButton1->OnClick = bind(&TMainForm::SpeedButton1Click);
  SpeedButton2->OnClick = bind(&TMainForm::SpeedButton2Click);
  NeueInternetseit1->OnClick = bind(&TMainForm::NeueInternetseit1Click);
  Neu1->OnClick = bind(&TMainForm::Neu1Click);
  Soeichern1->OnClick = bind(&TMainForm::Soeichern1Click);
  Speichernunter1->OnClick = bind(&TMainForm::Speichernunter1Click);
  Programmbeenden1->OnClick = bind(&TMainForm::Programmbeenden1Click);
  Deutsch1->OnClick = bind(&TMainForm::Deutsch1Click);
  English1->OnClick = bind(&TMainForm::English1Click);
  Hilfedatei2->OnClick = bind(&TMainForm::Hilfedatei2Click);
  Info2->OnClick = bind(&TMainForm::Info2Click);
  Timer1->OnTimer = bind(&TMainForm::Timer1Timer);
  OnCreate = bind(&TMainForm::FormCreate);
  OnShow = [this](TObject* sender) {
    // FormShow runs when the window is first shown.
    if (!firstShown_) {
      firstShown_ = true;
      FormShow(sender);
    }
  };
  OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
  WebBrowser1->Engine()->OnNavigateComplete = [this] {
    SafeCall([this] { WebBrowser1NavigateComplete2(); });
  };
  WebBrowser1->Engine()->ActiveLanguage = [this] { return ActiveLanguage(); };
  WebBrowser1->Engine()->Texts = [this](std::string_view id,
                                        std::initializer_list<std::string_view> args) {
    return Message(id, args);
  };
  // Qt's own dialogs and buttons follow every switch of the language.
  LangDispatcher1->AddLanguageListener(this, [this] {
    UseQtTranslations(QtLanguageCode(ActiveLanguage()));
    // The menus name their keys as Qt now does ("Strg+O" in German).
    for (TMenuItem* item :
         {NeueInternetseit1, Neu1, Soeichern1, Speichernunter1, Programmbeenden1, Hilfedatei2})
      item->SetShortCut(item->ShortCut());
  });
  InstallRecovery();
  fileDrop_ = std::make_unique<TFileDrop>(
      Peer(),
      [this](const THostPath& path) { return HasPageFileExtension(path, OpenDialog1->Filter()); },
      [this](const THostPath& path) { SafeCall([this, &path] { PageDropped(path); }); });
}

void TMainForm::ApplyProgramTexts() {
  UnderlineToolButton1->SetHint(Message("Main.HintUnderline"));
  SpeedButton1->SetHint(Message("Main.HintHtml"));
  SpeedButton2->SetHint(Message("Main.HintPreview"));
  BlockFormatCombo->SetHint(Message("Main.HintBlockFormat"));
  TextSizeCombo->SetHint(Message("Main.HintFontSize"));
  TextFontCombo->SetHint(Message("Main.HintFont"));
  NeueInternetseit1->SetHint(Message("Main.HintOpen"));
  Neu1->SetHint(Message("Main.HintNew"));
  Soeichern1->SetHint(Message("Main.HintSave"));
  Speichernunter1->SetHint(Message("Main.HintSaveAs"));
  Programmbeenden1->SetHint(Message("Main.HintClose"));
  Hilfedatei2->SetHint(Message("Main.HintHelpFile"));
}

std::string TMainForm::Message(std::string_view id,
                               std::initializer_list<std::string_view> args) const {
  return ProgramText(id, ActiveLanguage(), args);
}

void TMainForm::DoCreate() {
  TForm::DoCreate();
}

int TMainForm::ActiveLanguage() const {
  return LangDispatcher1 ? LangDispatcher1->ActiveLanguage() : 1;
}

std::string TMainForm::SavedMessage() {
  return Lang_WerbungForm ? Lang_WerbungForm->GetTextOrDefault("IDS_36")
                          : std::string("Document saved!");
}

void TMainForm::SetStatusText(const std::string& text) {
  StatusBar1->SetSimpleText(text);
}

void TMainForm::SetStatusText(const THostPath& path) {
  StatusBar1->SetSimpleUnicodeText(PathForDisplay(path));
}

void TMainForm::FormCreate(TObject*) {
  // 1. The message filter stays off until the first navigation has completed.
  filterOn_ = false;
  ApplicationEvents1->OnMessage = nullptr;
  // 2. Floating-point exceptions masked, rounding to nearest: the platform's default already.
  // 3.
  const THostPath program =
      programPath_.IsEmpty() ? PathFromQ(QCoreApplication::applicationFilePath()) : programPath_;
  AppDir = program.Directory().WithTrailingSeparator();
  // An installed copy cannot write beside itself; its settings go to the user's folder.
  SettingsDir = ChooseSettingsDir(AppDir, QueryConfigDir);
  // 4. The mouse hook keeps the engine's own context menu away.
  InstallMouseHook(WebBrowser1->IsDocumentSurface());
  // 6.
  TempDir = WindowsInfo() ? WindowsInfo()->TempDir() : THostPath();
  // 7. A path relative to the folder the program was started in is made whole now: the
  // working copy and the engine need the page's folder.
  StartFile = arguments_.empty() || arguments_.front().IsEmpty()
                  ? THostPath()
                  : ExpandFileName(arguments_.front());
  // 8. Ver.ini must exist and hold a line.
  {
    TStringList ver;
    ver.LoadFromFile(AppDir + "Ver.ini");
    VersionText = ver.Get(0);
  }
  // 9.
  if (FileExists(SettingsDir + "Language.ini")) {
    TStringList lang;
    lang.LoadFromFile(SettingsDir + "Language.ini");
    LanguageName = lang.Count() > 0 ? lang.Get(0) : std::string();
  }
  // 10. DocDir is still empty: the first sweep looks in the current directory.
  DeleteWorkingFiles();
  // 11.
  LangDispatcher1->SetActiveLanguage(1);
  if (LanguageName == "GERMAN") LangDispatcher1->SetActiveLanguage(1);
  if (LanguageName == "ENGLISH") LangDispatcher1->SetActiveLanguage(2);
  UseQtTranslations(QtLanguageCode(ActiveLanguage()));
  // 12.
  ProductTitle = "KAVELIN";
  SetCaption(ProductTitle + " " + VersionText);
  // 13.
  BlockFormatCombo->SetItemIndex(0);
  TextSizeCombo->SetItemIndex(3);
  // 14.
  WebBrowser1->Engine()->Navigate("about:blank");
  blankRequested_ = true;
  // 15.
  Image2->LoadFromJpegFile(AppDir + "recom" + PathDelim() + "m_head.jpg");
  // 16. The engine builds even about:blank asynchronously; when it has no document yet, its
  // navigate-complete event switches editing on a moment later.
  if (GetDocument()) InitEditing();
  // 17.
  Timer1->SetEnabled(false);
  SetStatusText("");
}

void TMainForm::FormShow(TObject*) {
  // The engine loads even the blank page asynchronously. Opening the first page while that
  // navigation is still under way would cut it short, and its completion, which switches
  // editing and the key filter on, would never come: wait for it (or give up after a while).
  if (blankRequested_ && !filterOn_) {
    showPending_ = true;
    QTimer::singleShot(15000, Peer(), [this] { SafeCall([this] { RunPendingShow(); }); });
    return;
  }
  OpenFirstPage();
}

void TMainForm::RunPendingShow() {
  if (!showPending_) return;
  showPending_ = false;
  OpenFirstPage();
}

void TMainForm::OpenFirstPage() {
  {
    TScopeGuard failed([this] {
      shown_ = true;
      ReportReadyOnce();
    });
    if (OfferRecoveryAtStart()) {
      // The page a run that ended without closing left behind, instead of the start page.
    } else if (const TPageFileVerdict start =
                   StartFile.IsEmpty() ? TPageFileVerdict::Missing : CheckPageFile(StartFile);
               start == TPageFileVerdict::Missing) {
      Neu1Click(this);
    } else {
      try {
        RefuseNonPage(StartFile, start);
        LoadDocument(StartFile);
      } catch (const std::exception& e) {
        // A start page that cannot be opened is reported; the user goes on with a new page.
        Application()->HandleException(e);
        Neu1Click(this);
      }
    }
    failed.Dismiss();
  }
  SetStatusText(CurrentFile);
  shown_ = true;
  ReportReadyOnce();
  RebuildRecentMenu();
}

void TMainForm::ReportReadyOnce() {
  if (readyReported_ || !shown_ || !filterOn_) return;
  readyReported_ = true;
  if (OnEditingReady) OnEditingReady();
}

void TMainForm::FormClose(TObject*, TCloseAction& action) {
  action = TCloseAction::caHide;
  if (closingForSignal_) return;
  DeleteWorkingFiles();
  if (Recovery) Recovery->EndRun();
  // The showcase window is the last the user sees; the program ends when it is closed.
  if (auto* showcase = Application()->FindForm<TWerbungForm>()) showcase->ShowModal();
}

void TMainForm::Programmbeenden1Click(TObject*) {
  Close();
}

void TMainForm::ApplicationEvents1Message(TMsg& msg, bool&) {
  // Runs before the key reaches the engine, so the tool bar shows the state before the move.
  if (msg.message == WM_KEYDOWN && msg.wParam >= VK_LEFT && msg.wParam <= VK_DOWN)
    RefreshToolbarState();
}

}  // namespace kv
