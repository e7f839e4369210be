#include "translate/LangDispatcher.h"

#include <algorithm>

#include "support/ScopeGuard.h"
#include "translate/CustomTranslator.h"

namespace kv {

KV_DEFINE_CLASS(TLangDispatcher, TComponent,
                {prop::Integer<TLangDispatcher>("ActiveLanguage", &TLangDispatcher::ActiveLanguage,
                                                [](TLangDispatcher& d, std::int64_t v) {
                                                  d.SetActiveLanguage(static_cast<int>(v));
                                                }),
                 prop::Integer<TLangDispatcher>("NumOfLanguages", &TLangDispatcher::NumOfLanguages,
                                                [](TLangDispatcher& d, std::int64_t v) {
                                                  d.SetNumOfLanguages(static_cast<int>(v));
                                                }),
                 prop::String<TLangDispatcher>("Language", &TLangDispatcher::Language,
                                               &TLangDispatcher::SetLanguage),
                 prop::String<TLangDispatcher>(
                     "FileName", [](TLangDispatcher& d) { return d.FileName; },
                     [](TLangDispatcher& d, const std::string& v) { d.FileName = v; })})

TLangDispatcher::TLangDispatcher(TComponent* owner)
    : TComponent(owner),
      langNames_(std::make_unique<TStringList>()),
      testMode_(std::make_unique<TTestModeInfo>()) {
  langNames_->Add("Language N1");
}

TLangDispatcher::~TLangDispatcher() {
  // Last linked first, so each translator forgets this dispatcher before it goes.
  while (!linked_.empty()) {
    TCustomTranslator* t = linked_.back();
    linked_.pop_back();
    t->SetLangDispatcher(nullptr);
  }
}

bool TLangDispatcher::OwnerLoading() const {
  return IsLoading() || (Owner() && Owner()->IsLoading());
}

void TLangDispatcher::LinkLang(TCustomTranslator* translator) {
  if (!translator || std::find(linked_.begin(), linked_.end(), translator) != linked_.end()) return;
  linked_.push_back(translator);
  if (translator->dispatcher_ != this) {
    if (translator->dispatcher_) translator->dispatcher_->UnlinkLang(translator);
    translator->dispatcher_ = this;
  }
  FreeNotification(translator);
  translator->SetNumOfLanguages(numOfLanguages_);
  translator->CopyLanguageState(*langNames_, language_);
  if (OnLinkToDispatcher) OnLinkToDispatcher(this, translator);
  // External translation files are not used: the component simply takes the active language,
  // which rewrites its window only when the two differ.
  translator->SetActiveLanguage(activeLanguage_);
  translator->RecomputeCharsets();
}

void TLangDispatcher::UnlinkLang(TCustomTranslator* translator) {
  std::erase(linked_, translator);
}

void TLangDispatcher::SetActiveLanguage(int n) {
  if (n == activeLanguage_) return;
  if (OnLanguageChanging) {
    bool allow = true;
    OnLanguageChanging(this, n, allow);
    if (!allow) return;
  }
  const std::vector<TCustomTranslator*> order = linked_;
  for (TCustomTranslator* t : order)
    if (t->OnLanguageChanging) {
      bool allow = true;
      t->OnLanguageChanging(t, n, allow);
      if (!allow) return;
    }
  activeLanguage_ = n;
  for (TCustomTranslator* t : order) {
    // A translator destroyed by an earlier window's handlers has unlinked itself.
    if (std::find(linked_.begin(), linked_.end(), t) == linked_.end()) continue;
    t->DispatcherSwitching = true;
    TScopeGuard switched([t] { t->DispatcherSwitching = false; });
    t->SetActiveLanguage(n);
  }
  if (!OwnerLoading() && langNames_->Count() >= n && n >= 1) language_ = langNames_->Get(n - 1);
  if (OnLanguageChanged) OnLanguageChanged(this);
  // A listener may free windows (and so drop listeners): each is looked up before it runs.
  const auto listeners = listeners_;
  for (const auto& [owner, listener] : listeners)
    if (std::any_of(listeners_.begin(), listeners_.end(),
                    [owner = owner](const auto& l) { return l.first == owner; }))
      listener();
}

void TLangDispatcher::AddLanguageListener(TComponent* owner, std::function<void()> listener) {
  if (!owner || !listener) return;
  FreeNotification(owner);
  listeners_.emplace_back(owner, std::move(listener));
}

void TLangDispatcher::SetLanguage(const std::string& name) {
  if (name == language_) return;
  int index = -1;
  for (int i = 0; i < langNames_->Count(); ++i)
    if (SameText(langNames_->Get(i), name)) {
      index = i;
      break;
    }
  if (langNames_->Count() > 0 && index < 0)
    throw ELanguageError("Language name shall be included in LangNames property!");
  language_ = name;
  if (!OwnerLoading() && index >= 0) SetActiveLanguage(index + 1);
}

void TLangDispatcher::SetNumOfLanguages(int n) {
  numOfLanguages_ = n;
  while (langNames_->Count() < n)
    langNames_->Add("Language N" + std::to_string(langNames_->Count() + 1));
  while (langNames_->Count() > std::max(n, 0)) langNames_->Delete(langNames_->Count() - 1);
  for (TCustomTranslator* t : std::vector<TCustomTranslator*>(linked_)) t->SetNumOfLanguages(n);
}

void TLangDispatcher::SetLangNames(const TStrings& names) {
  if (&names == langNames_.get()) return;
  langNames_->Assign(&names);
  if (activeLanguage_ >= 1 && activeLanguage_ <= langNames_->Count())
    language_ = langNames_->Get(activeLanguage_ - 1);
  const bool named = langNames_->IndexOf(language_) >= 0;
  for (TCustomTranslator* t : std::vector<TCustomTranslator*>(linked_)) {
    t->SetLangNames(*langNames_);
    if (named) t->SetLanguage(language_);
  }
  SetNumOfLanguages(langNames_->Count() > 0 ? langNames_->Count() : 1);
}

void TLangDispatcher::SetDefaultLanguage(int n) {
  if (n < 1 || n > numOfLanguages_ || n == defaultLanguage_) return;
  defaultLanguage_ = n;
  for (TCustomTranslator* t : linked_) t->SetDefaultLanguage(n);
}

void TLangDispatcher::SetUseDefaultLanguage(bool use) {
  if (use == useDefaultLanguage_) return;
  useDefaultLanguage_ = use;
  for (TCustomTranslator* t : linked_) t->SetUseDefaultLanguage(use);
}

void TLangDispatcher::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove) {
    std::erase_if(linked_, [component](TCustomTranslator* t) {
      return static_cast<TComponent*>(t) == component;
    });
    std::erase_if(listeners_, [component](const auto& l) { return l.first == component; });
  }
}

}  // namespace kv
