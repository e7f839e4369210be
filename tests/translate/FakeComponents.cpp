#include "FakeComponents.h"

#include <utility>
#include <vector>

namespace kv::testing {

namespace {

template <class C>
TPropInfo StrField(const char* name, std::string C::*field) {
  return prop::String<C>(
      name, [field](C& c) { return c.*field; },
      [field](C& c, const std::string& v) { c.*field = v; });
}

template <class C>
TPropInfo FontField(TFont C::*field, int C::*assigns = nullptr) {
  return prop::Object<C>(
      "Font", "TFont", [field](C& c) -> TPersistent* { return &(c.*field); },
      [field, assigns](C& c, TPersistent* v) {
        (c.*field).Assign(v);
        if (assigns) ++(c.*assigns);
      });
}

template <class C>
TPropInfo ListField(const char* name, TStringList C::*field) {
  return prop::Object<C>(
      name, "TStrings", [field](C& c) -> TPersistent* { return &(c.*field); },
      [field](C& c, TPersistent* v) { (c.*field).Assign(v); });
}

}  // namespace

// ---- Controls ---------------------------------------------------------------------------------

KV_DEFINE_CLASS(TFakeControl, TComponent,
                {prop::String<TFakeControl>(
                     "Caption", [](TFakeControl& c) { return c.Caption; },
                     [](TFakeControl& c, const std::string& v) {
                       if (c.RefuseCaption) throw Exception("caption refused");
                       c.Caption = v;
                       ++c.CaptionWrites;
                     }),
                 StrField("Hint", &TFakeControl::Hint),
                 prop::Object<TFakeControl>(
                     "Font", "TFont", [](TFakeControl& c) -> TPersistent* { return &c.Font; },
                     [](TFakeControl& c, TPersistent* v) {
                       if (c.RefuseFont) throw Exception("font refused");
                       c.Font.Assign(v);
                       ++c.FontAssigns;
                     }),
                 prop::Boolean<TFakeControl>(
                     "ParentFont", [](TFakeControl& c) { return c.ParentFont; },
                     [](TFakeControl& c, std::int64_t v) { c.ParentFont = v != 0; })})

TFakeControl::TFakeControl(TComponent* owner, const std::string& name, const std::string& caption)
    : TComponent(owner), Caption(caption) {
  SetName(name);
}

KV_DEFINE_CLASS(TFakeForm, TFakeControl, {})
TFakeForm::TFakeForm(const std::string& name) : TFakeControl(nullptr, name) {}
KV_DEFINE_CLASS(TMainForm, TFakeForm, {})
KV_DEFINE_CLASS(TCreateTableForm, TFakeForm, {})
KV_DEFINE_CLASS(TQuellcodeForm, TFakeForm, {})
KV_DEFINE_CLASS(TAboutBox, TFakeForm, {})
KV_DEFINE_CLASS(TWerbungForm, TFakeForm, {})
KV_DEFINE_CLASS(TMetaTagForm, TFakeForm, {})
KV_DEFINE_CLASS(TTestForm, TFakeForm, {})

KV_DEFINE_CLASS(TCustomComboBox, TFakeControl,
                {ListField("Items", &TCustomComboBox::Items),
                 StrField("Text", &TCustomComboBox::Text),
                 prop::Integer<TCustomComboBox>(
                     "ItemIndex", [](TCustomComboBox& c) { return c.ItemIndex; },
                     [](TCustomComboBox& c, std::int64_t v) {
                       c.ItemIndex = (v >= 0 && v < c.Items.Count()) ? static_cast<int>(v) : -1;
                     })})
TCustomComboBox::TCustomComboBox(TComponent* owner, const std::string& name)
    : TFakeControl(owner, name) {
  Items.OnChange = [this](TObject*) { ItemIndex = -1; };
}
KV_DEFINE_CLASS(TComboBox, TCustomComboBox, {})

KV_DEFINE_CLASS(TFakeEdit, TFakeControl,
                {prop::String<TFakeEdit>(
                    "Text", [](TFakeEdit& e) { return e.Text; },
                    [](TFakeEdit& e, const std::string& v) {
                      if (v == e.Text) return;
                      e.Text = v;
                      ++e.Changes;
                    })})

KV_DEFINE_CLASS(TCustomMemo, TFakeControl,
                {ListField("Lines", &TCustomMemo::Lines),
                 prop::Boolean<TCustomMemo>(
                     "WordWrap", [](TCustomMemo& m) { return m.WordWrap; },
                     [](TCustomMemo& m, std::int64_t v) { m.WordWrap = v != 0; })})
TCustomMemo::TCustomMemo(TComponent* owner, const std::string& name) : TFakeControl(owner, name) {
  Lines.OnChange = [this](TObject*) { WrappedDuringChange = WrappedDuringChange || WordWrap; };
}
KV_DEFINE_CLASS(TMemo, TCustomMemo, {})

KV_DEFINE_CLASS(TOpenDialog, TComponent, {StrField("Filter", &TOpenDialog::Filter)})
TOpenDialog::TOpenDialog(TComponent* owner, const std::string& name) : TComponent(owner) {
  SetName(name);
}
KV_DEFINE_CLASS(TSaveDialog, TOpenDialog, {})

KV_DEFINE_CLASS(TFakeCodeMemo, TComponent,
                {FontField(&TFakeCodeMemo::Font), ListField("Lines", &TFakeCodeMemo::Lines),
                 StrField("Version", &TFakeCodeMemo::Version)})
TFakeCodeMemo::TFakeCodeMemo(TComponent* owner, const std::string& name) : TComponent(owner) {
  SetName(name);
}

KV_DEFINE_CLASS(TFakeStyleItem, TCollectionItem,
                {StrField("Info", &TFakeStyleItem::Info),
                 ListField("Words", &TFakeStyleItem::Words), FontField(&TFakeStyleItem::Font),
                 prop::String<TFakeStyleItem>(
                     "ReadOnlyText", [](TFakeStyleItem& i) { return i.ReadOnlyText; }, nullptr)})

KV_DEFINE_CLASS(TFakeStyler, TComponent,
                {prop::Object<TFakeStyler>(
                     "AllStyles", "TCollection",
                     [](TFakeStyler& s) -> TPersistent* { return &s.AllStyles; },
                     [](TFakeStyler& s, TPersistent* v) { s.AllStyles.Assign(v); }),
                 StrField("DefaultExtension", &TFakeStyler::DefaultExtension),
                 StrField("Description", &TFakeStyler::Description),
                 StrField("Extensions", &TFakeStyler::Extensions),
                 StrField("Filter", &TFakeStyler::Filter),
                 StrField("LineComment", &TFakeStyler::LineComment),
                 StrField("MultiCommentLeft", &TFakeStyler::MultiCommentLeft),
                 StrField("MultiCommentRight", &TFakeStyler::MultiCommentRight),
                 StrField("StylerName", &TFakeStyler::StylerName),
                 prop::String<TFakeStyler>(
                     "Version", [](TFakeStyler&) { return std::string("1.0"); }, nullptr)})
TFakeStyler::TFakeStyler(TComponent* owner, const std::string& name, int styles)
    : TComponent(owner), AllStyles([](TCollection* c) { return new TFakeStyleItem(c); }, this) {
  SetName(name);
  for (int i = 0; i < styles; ++i) AllStyles.Add();
}

KV_DEFINE_CLASS(TFakeProperties, TPersistent,
                {prop::Object<TFakeProperties>(
                     "Columns", "TCollection",
                     [](TFakeProperties& p) -> TPersistent* { return &p.Columns; },
                     [](TFakeProperties& p, TPersistent* v) { p.Columns.Assign(v); }),
                 ListField("Words", &TFakeProperties::Words),
                 StrField("Title", &TFakeProperties::Title)})
TFakeProperties::TFakeProperties()
    : Columns([](TCollection* c) { return new TFakeStyleItem(c); }, this) {
  Columns.Add();
  Columns.Add();
}
KV_DEFINE_CLASS(TFakePropsControl, TComponent,
                {prop::Object<TFakePropsControl>(
                    "Properties", "TFakeProperties",
                    [](TFakePropsControl& c) -> TPersistent* { return c.Properties.get(); },
                    [](TFakePropsControl& c, TPersistent* v) {
                      if (c.Properties) c.Properties->Assign(v);
                    })})
TFakePropsControl::TFakePropsControl(TComponent* owner, const std::string& name)
    : TComponent(owner), Properties(std::make_unique<TFakeProperties>()) {
  SetName(name);
}

KV_DEFINE_CLASS(TFakeAction, TComponent,
                {StrField("Caption", &TFakeAction::Caption), StrField("Hint", &TFakeAction::Hint)})
TFakeAction::TFakeAction(TComponent* owner, const std::string& name, const std::string& caption)
    : TComponent(owner), Caption(caption) {
  SetName(name);
}
KV_DEFINE_CLASS(
    TFakeActionControl, TFakeControl,
    {prop::Object<TFakeActionControl>(
        "Action", "TFakeAction", [](TFakeActionControl& c) -> TPersistent* { return c.Action; },
        [](TFakeActionControl& c, TPersistent* v) { c.Action = dynamic_cast<TFakeAction*>(v); })})

// ---- Windows ----------------------------------------------------------------------------------

namespace {

const char* const kMSS = "Microsoft Sans Serif";

TFakeControl* Control(TComponent* form, const std::string& name, const std::string& caption = "",
                      const std::string& hint = "") {
  auto* c = new TFakeControl(form, name, caption);
  c->Hint = hint;
  c->ParentFont = true;
  c->Font.SetName(kMSS);
  return c;
}

TComboBox* Combo(TComponent* form, const std::string& name, const std::string& items,
                 const std::string& text) {
  auto* c = new TComboBox(form, name);
  c->Items.SetCommaText(items);
  c->Text = text;
  c->Font.SetName(kMSS);
  return c;
}

void BuildMainForm(TFakeForm& f) {
  for (auto [name, caption] :
       std::vector<std::pair<const char*, const char*>>{{"Datei1", "File"},
                                                        {"NeueInternetseit1", "Open"},
                                                        {"Neu1", "New"},
                                                        {"Soeichern1", "Save"},
                                                        {"Speichernunter1", "Save as"},
                                                        {"Programmbeenden1", "Close"},
                                                        {"Language1", "Sprache"},
                                                        {"Deutsch1", "Deutsch"},
                                                        {"English1", "Englisch"},
                                                        {"Hilfe2", "Help"},
                                                        {"Hilfedatei2", "Help File"},
                                                        {"Info2", "Info"},
                                                        {"SpeedButton1", "HTML"},
                                                        {"SpeedButton2", "Preview"}})
    Control(&f, name, caption);
  Control(&f, "ToolButton3", "Cu&t", "Delete selected Text");
  Control(&f, "ToolButton4", "&Copy", "Copy seletcted Text");
  Control(&f, "ToolButton5", "&Paste", "Paste Copy seletcted Text");
  Control(&f, "ToolButton6", "&Undo", "Undo");
  Control(&f, "ToolButton7", "ToolButton7");
  Control(&f, "BoldToolButton", "BoldToolButton", "Font Bold");
  Control(&f, "ItalicToolButton", "ItalicToolButton", "Font Italic");
  Control(&f, "UnderlineToolButton1", "UnderlineToolButton1");
  Control(&f, "LinkToolButton", "LinkToolButton", "Insert Hyperlink");
  Control(&f, "ToolButton12", "ToolButton12");
  Control(&f, "LeftToolButton1", "LeftToolButton1", "Align Left");
  Control(&f, "CenterToolButton1", "CenterToolButton1", "Align Center");
  Control(&f, "RightToolButton1", "RightToolButton1", "Align Right");
  Control(&f, "ToolButton21", "ToolButton1");
  Control(&f, "ToolButton22", "ToolButton3", "Textcolor");
  Control(&f, "ToolButton24", "ToolButton1");
  Control(&f, "ToolButton25", "ToolButton", "Insert Table");
  Control(&f, "ToolButton26", "ToolButton2", "Insert Image");
  Control(&f, "ToolButton8", "ToolButton8", "Meta Tags");
  Control(&f, "ToolButton1", "ToolButton1");
  Control(&f, "ToolButton10", "ToolButton10");
  Control(&f, "ToolButton2", "ToolButton2");
  Combo(
      &f, "BlockFormatCombo",
      "Normal,\"Heading 1\",\"Heading 2\",\"Heading 3\",\"Heading 4\",\"Heading 5\",\"Heading 6\","
      "\"Numbered List\",\"Bulleted List\"",
      "BlockFormatCombo");
  Combo(&f, "TextSizeCombo", "1,2,3,4,5,6,7", "");
  Combo(&f, "TextFontCombo",
        "Standard,Arial,Verdana,\"Times New Roman\",Courier,\"Trebuchet MS\",Tahoma,\"Comic Sans "
        "MS\"",
        "Schrift");
  auto* status = Control(&f, "StatusBar1");
  status->ParentFont = false;
  (new TOpenDialog(&f, "OpenDialog1"))->Filter =
      "HTML-Dateien|*.htm;*.html;;*.htm;;*.shtml;*.dhtml|Alle Dateien|*.*";
  (new TSaveDialog(&f, "SaveDialog1"))->Filter = "HTML-Dateien|*.htm;*.html;;*.htm;;*.shtml";
}

void BuildCreateTableForm(TFakeForm& f) {
  const char* labels[] = {"Rows:", "Colums:", "Width: ", "Border:", "Cellpadding:", "Cellspacing:"};
  for (int i = 0; i < 6; ++i) Control(&f, "Label" + std::to_string(i + 1), labels[i]);
  Control(&f, "OKBitBtn", "OK");
  Control(&f, "BitBtn2", "Abort");
  const char* values[] = {"1", "1", "100", "0", "0", "0"};
  for (int i = 0; i < 6; ++i) (new TFakeEdit(&f, "Edit" + std::to_string(i + 1)))->Text = values[i];
  Combo(&f, "ComboBox1", "Percent,Pixel", "ComboBox1");
}

void BuildQuellcodeForm(TFakeForm& f) {
  Control(&f, "BitBtn2", "Abort (Esc)");
  Control(&f, "SaveBitBtn", "Save (F2)");
  Control(&f, "BitBtn1", "Find (Ctrl+F)");
  auto* memo = new TFakeCodeMemo(&f, "HTMLMemo");
  memo->Font.SetName("FixedSys");
  memo->Lines.Add("");
  memo->Version = "1.0";
  auto* styler = new TFakeStyler(&f, "HTMLMemoStyler1");
  const char* infos[] = {"HTML Standard Default", "HTML Table Keywords", "HTML Link Keywords",
                         "Simple Bracket",        "Double Bracket",      "Symbols Delimiters"};
  for (int i = 0; i < 6; ++i) styler->Style(i)->Info = infos[i];
  styler->StylerName = "HTML document";
}

void BuildAboutBox(TFakeForm& f) {
  Control(&f, "Panel1");
  Control(&f, "ProductName", "KAVELIN");
  Control(&f, "VersionLabel", "Version 9.2.6");
  Control(&f, "URLLabel", "www.varento.example.com")->ParentFont = false;
  Control(&f, "EmailLabel", "info@varento.example.com")->ParentFont = false;
  Control(&f, "OKButton", "OK");
}

void BuildWerbungForm(TFakeForm& f) {
  Control(&f, "Panel2");
  Control(&f, "ScrollBox1");
  Control(&f, "DEImage");
  Control(&f, "ENImage");
}

void BuildMetaTagForm(TFakeForm& f) {
  Control(&f, "Label1", "Title");
  Control(&f, "Label2", "Author");
  Control(&f, "Label4", "Copyright");
  Control(&f, "Label13", "Description");
  Control(&f, "Label14", "Keywords Comma separated");
  Control(&f, "XHTMLCheckBox", "XHTML konforme MetaTags erzeugen");
  Control(&f, "SaveBitBtn", "OK (F2)");
  Control(&f, "BitBtn2", "Abort (Esc)");
  for (int i = 1; i <= 5; ++i) new TFakeEdit(&f, "Edit" + std::to_string(i));
}

std::unique_ptr<TFakeForm> NewForm(const std::string& cls) {
  if (cls == "TMainForm") return std::make_unique<TMainForm>("MainForm");
  if (cls == "TCreateTableForm") return std::make_unique<TCreateTableForm>("CreateTableForm");
  if (cls == "TQuellcodeForm") return std::make_unique<TQuellcodeForm>("QuellcodeForm");
  if (cls == "TAboutBox") return std::make_unique<TAboutBox>("AboutBox");
  if (cls == "TWerbungForm") return std::make_unique<TWerbungForm>("WerbungForm");
  if (cls == "TMetaTagForm") return std::make_unique<TMetaTagForm>("MetaTagForm");
  return std::make_unique<TTestForm>("TestForm");
}

}  // namespace

std::unique_ptr<TFakeForm> CreateFakeWindow(const std::string& cls, TLangDispatcher* dispatcher,
                                            const std::string* payload,
                                            const TFormCreate& formCreate) {
  std::unique_ptr<TFakeForm> f = NewForm(cls);
  f->BeginLoading();
  f->Font.SetName(kMSS);
  f->Font.SetCharset(ANSI_CHARSET);
  if (cls == "TMainForm")
    BuildMainForm(*f);
  else if (cls == "TCreateTableForm")
    BuildCreateTableForm(*f);
  else if (cls == "TQuellcodeForm")
    BuildQuellcodeForm(*f);
  else if (cls == "TAboutBox")
    BuildAboutBox(*f);
  else if (cls == "TWerbungForm")
    BuildWerbungForm(*f);
  else if (cls == "TMetaTagForm")
    BuildMetaTagForm(*f);
  if (cls == "TMainForm") dispatcher = CreateStoredDispatcher(f.get());
  // The designed (English) caption of each window.
  static const std::vector<std::pair<std::string, std::string>> captions = {
      {"TMainForm", "KAVELIN"},
      {"TCreateTableForm", "CreateTableForm"},
      {"TQuellcodeForm", "KAVELIN"},
      {"TAboutBox", "About"},
      {"TWerbungForm", "Top products from VARENTO"},
      {"TMetaTagForm", "MetaTag Generator"}};
  for (const auto& [c, caption] : captions)
    if (c == cls) f->Caption = caption;
  f->CaptionWrites = 0;
  if (payload)
    CreateStoredTranslator(f.get(), dispatcher, *payload);
  else
    CreateStoredTranslator(f.get(), dispatcher);
  f->EndLoading();
  if (formCreate) formCreate(*f);
  return f;
}

TLangDispatcher* DispatcherOf(TFakeForm& mainForm) {
  return dynamic_cast<TLangDispatcher*>(mainForm.FindComponent("LangDispatcher1"));
}

TTranslator* TranslatorOf(TComponent& form) {
  return dynamic_cast<TTranslator*>(form.FindComponent("Lang_WerbungForm"));
}

}  // namespace kv::testing
