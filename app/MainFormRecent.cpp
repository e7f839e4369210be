// The recent pages at the end of the File menu.
#include "app/MainForm.h"
#include "app/core/RecentFiles.h"
#include "platform/classes/Strings.h"
#include "support/Files.h"

namespace kv {

namespace {

// Open, New, Save, Save as, Close.
constexpr int kFixedFileItems = 5;

// A file name is shown as its characters: an "&" in it is no access key.
std::u32string MenuCaptionOf(const THostPath& name) {
  std::u32string caption;
  for (const char32_t c : PathForDisplay(name)) {
    caption += c;
    if (c == U'&') caption += U'&';
  }
  return caption;
}

}  // namespace

void TMainForm::AddRecentFile(const THostPath& path) {
  kv::AddRecentFile(SettingsDir, path);
}

void TMainForm::RebuildRecentMenu() {
  const THostPath pathsFile = SettingsDir + RecentFileList::Paths;
  if (!FileExists(pathsFile)) return;
  // A missing or short name list fails here or below, with the entries made so far in place.
  TStringList paths, names;
  paths.LoadFromFile(pathsFile);
  names.LoadFromFile(SettingsDir + RecentFileList::Names);
  for (int k = 0; k < kFixedFileItems + 1; ++k)
    if (Datei1->Count() > kFixedFileItems) Datei1->Delete(kFixedFileItems);
  for (int i = 0; i < paths.Count(); ++i) {
    auto* item = new TMenuItem(this);
    item->SetUnicodeCaption(MenuCaptionOf(THostPath::FromBytes(names.Get(i))));
    item->Tag = RecentFileList::FirstTag + i;
    item->OnClick = [this](TObject* sender) { RecentFileClick(sender); };
    Datei1->Add(item);
  }
}

void TMainForm::RecentFileClick(TObject* sender) {
  auto* item = dynamic_cast<TMenuItem*>(sender);
  if (!item) return;
  const long n = item->Tag;
  SetStatusText(std::to_string(n));
  TStringList paths;
  paths.LoadFromFile(SettingsDir + RecentFileList::Paths);
  const THostPath path =
      THostPath::FromBytes(paths.Get(static_cast<int>(n - RecentFileList::FirstTag)));
  // A vanished page leaves only the number behind; anything else that is no page says why.
  const TPageFileVerdict verdict = CheckPageFile(path);
  if (verdict == TPageFileVerdict::Missing) return;
  RefuseNonPage(path, verdict);
  LoadDocument(path);
}

}  // namespace kv
