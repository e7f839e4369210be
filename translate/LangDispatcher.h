// TLangDispatcher: the one component that switches every linked translator at once, in the
// order they linked. It holds the active language for the whole program.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/classes/Classes.h"
#include "platform/classes/Strings.h"
#include "translate/LangTypes.h"
#include "translate/TestModeInfo.h"

namespace kv {

class TCustomTranslator;

class TLangDispatcher : public TComponent {
  KV_DECLARE_CLASS()
  explicit TLangDispatcher(TComponent* owner);
  ~TLangDispatcher() override;

  const std::vector<TCustomTranslator*>& LinkedLangs() const { return linked_; }
  void LinkLang(TCustomTranslator* translator);
  void UnlinkLang(TCustomTranslator* translator);

  int ActiveLanguage() const { return activeLanguage_; }
  // The switch: vetoes first, then every linked component in link order.
  void SetActiveLanguage(int n);
  int NumOfLanguages() const { return numOfLanguages_; }
  void SetNumOfLanguages(int n);
  const TStringList& LangNames() const { return *langNames_; }
  void SetLangNames(const TStrings& names);
  const std::string& Language() const { return language_; }
  void SetLanguage(const std::string& name);
  int DefaultLanguage() const { return defaultLanguage_; }
  void SetDefaultLanguage(int n);
  bool UseDefaultLanguage() const { return useDefaultLanguage_; }
  void SetUseDefaultLanguage(bool use);
  // External translation file; never used by this program (empty).
  std::string FileName;
  TTestModeInfo& TestModeInfo() { return *testMode_; }
  const TTestModeInfo& TestModeInfo() const { return *testMode_; }

  TLinkToDispatcherEvent OnLinkToDispatcher;
  TLanguageChangingEvent OnLanguageChanging;
  TNotifyEvent OnLanguageChanged;

  // Any number of listeners, run in the order added after every switch, once every linked
  // window is rewritten (and after OnLanguageChanged): for the texts no translation table
  // holds. A listener goes when its owner is destroyed.
  void AddLanguageListener(TComponent* owner, std::function<void()> listener);

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  bool OwnerLoading() const;
  std::vector<TCustomTranslator*> linked_;
  std::vector<std::pair<TComponent*, std::function<void()>>> listeners_;
  std::unique_ptr<TStringList> langNames_;
  std::unique_ptr<TTestModeInfo> testMode_;
  int activeLanguage_ = 1;
  int numOfLanguages_ = 1;
  int defaultLanguage_ = 1;
  bool useDefaultLanguage_ = false;
  std::string language_;
};

}  // namespace kv
