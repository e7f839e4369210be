#include "platform/Dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

#include "platform/FontMap.h"
#include "platform/Forms.h"
#include "platform/QtText.h"
#include "platform/classes/Strings.h"
#include "support/CharacterReferences.h"

namespace kv {

std::string FilterToQt(const std::string& filter) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    size_t bar = filter.find('|', start);
    parts.push_back(
        filter.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  std::string out;
  for (size_t i = 0; i + 1 < parts.size(); i += 2) {
    std::string patterns;
    size_t s = 0;
    const std::string& p = parts[i + 1];
    while (s <= p.size()) {
      size_t semi = p.find(';', s);
      std::string one = p.substr(s, semi == std::string::npos ? std::string::npos : semi - s);
      if (!one.empty()) patterns += (patterns.empty() ? "" : " ") + one;
      if (semi == std::string::npos) break;
      s = semi + 1;
    }
    if (!out.empty()) out += ";;";
    out += parts[i] + " (" + patterns + ")";
  }
  return out;
}

namespace {

std::optional<std::string> QtFileDialog(const TOpenDialog& d, bool save) {
  QWidget* parent = QApplication::activeWindow();
  QString filter = ToQ(FilterToQt(d.Filter()));
  QString start = PathToQ(d.FilePath());
  QString chosen;
  if (save) {
    QFileDialog dlg(parent, ToQ(d.Title()), start, filter);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!d.DefaultExt().empty()) dlg.setDefaultSuffix(ToQ(d.DefaultExt()));
    if (!start.isEmpty()) dlg.selectFile(start);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
    chosen = dlg.selectedFiles().first();
  } else {
    chosen = QFileDialog::getOpenFileName(parent, ToQ(d.Title()), start, filter);
    if (chosen.isEmpty()) return std::nullopt;
  }
  return PathFromQ(chosen).Bytes();
}

std::optional<TColor> QtColorDialog(TColor initial) {
  QColor c = QColorDialog::getColor(ToQColor(initial), QApplication::activeWindow());
  if (!c.isValid()) return std::nullopt;
  return FromQColor(c);
}

std::pair<std::string, std::string>& YesNoCaptions() {
  static std::pair<std::string, std::string> captions;
  return captions;
}

int QtMessageBox(TForm* owner, const std::string& text, const std::string& caption,
                 unsigned flags) {
  // The icon bits form a number, as in the Windows flags: 0x30 is the warning, not 0x10 | 0x20.
  const unsigned iconBits = flags & 0x70;
  QMessageBox::Icon icon = iconBits == MB_ICONERROR         ? QMessageBox::Critical
                           : iconBits == MB_ICONQUESTION    ? QMessageBox::Question
                           : iconBits == MB_ICONWARNING     ? QMessageBox::Warning
                           : iconBits == MB_ICONINFORMATION ? QMessageBox::Information
                                                            : QMessageBox::NoIcon;
  const bool yesNo = (flags & 0x0F) == MB_YESNO;
  QMessageBox box(icon, ToQ(caption), ToQ(DecodeCharacterReferences(text)),
                  yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                  owner && owner->Window() ? owner->Window() : QApplication::activeWindow());
  if (yesNo) {
    box.setEscapeButton(QMessageBox::No);
    if (!YesNoCaptions().first.empty()) {
      box.button(QMessageBox::Yes)->setText(ToQ(YesNoCaptions().first));
      box.button(QMessageBox::No)->setText(ToQ(YesNoCaptions().second));
    }
  }
  const int answer = box.exec();
  if (!yesNo) return mrOk;
  return answer == QMessageBox::Yes ? mrYes : mrNo;
}

}  // namespace

void SetYesNoCaptions(std::string yes, std::string no) {
  YesNoCaptions() = {std::move(yes), std::move(no)};
}

TDialogService& DialogService() {
  static TDialogService service{QtFileDialog, QtColorDialog, QtMessageBox};
  return service;
}

void ResetDialogService() {
  DialogService() = TDialogService{QtFileDialog, QtColorDialog, QtMessageBox};
}

KV_DEFINE_CLASS(
    TOpenDialog, TComponent,
    {prop::String<TOpenDialog>("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter),
     prop::String<TOpenDialog>("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName),
     prop::String<TOpenDialog>("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt),
     prop::String<TOpenDialog>("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle)})
KV_DEFINE_CLASS(TSaveDialog, TOpenDialog, {})
KV_DEFINE_CLASS(TColorDialog, TComponent,
                {prop::Integer<TColorDialog>("Color", &TColorDialog::Color,
                                             &TColorDialog::SetColor)})

TOpenDialog::TOpenDialog(TComponent* owner) : TComponent(owner) {}

bool TOpenDialog::Execute() {
  std::optional<std::string> chosen;
  SafeCall([&] { chosen = DialogService().FileDialog(*this, IsSave()); });
  if (!chosen) return false;
  fileName_ = *chosen;
  return true;
}

bool TSaveDialog::Execute() {
  if (!TOpenDialog::Execute()) return false;
  // A name typed without extension gets the default one (tests' answers included).
  if (!defaultExt_.empty()) {
    size_t slash = fileName_.find_last_of("/\\");
    size_t dot = fileName_.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
      fileName_ += "." + defaultExt_;
  }
  return true;
}

TColorDialog::TColorDialog(TComponent* owner) : TComponent(owner) {}

bool TColorDialog::Execute() {
  std::optional<TColor> chosen = DialogService().ColorDialog(color_);
  if (!chosen) return false;
  color_ = *chosen;
  return true;
}

int MessageBox(TForm* owner, const std::string& text, const std::string& caption, unsigned flags) {
  return DialogService().MessageBox(owner, text, caption, flags);
}

}  // namespace kv
