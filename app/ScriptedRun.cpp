#include "app/ScriptedRun.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

#include "app/MainForm.h"
#include "platform/Dialogs.h"
#include "support/CharacterReferences.h"
#include "support/Cp1252.h"
#include "support/Files.h"

namespace kv {

namespace {

// Output is UTF-8, like the script; the program's own texts are Windows-1252.
void Say(const std::string& kind, const std::string& utf8) {
  std::printf("%s: %s\n", kind.c_str(), utf8.c_str());
  std::fflush(stdout);
}

// The text as the page holds it: Windows-1252, and a numeric reference for the rest.
std::string AsPageText(const QString& text) {
  std::string out;
  for (char32_t u : text.toUcs4()) {
    const int b = UnicodeToCp1252(u);
    out += b >= 0 ? std::string(1, static_cast<char>(b))
                  : "&#" + std::to_string(static_cast<unsigned long>(u)) + ";";
  }
  return out;
}

bool PageHolds(TMainForm* form, const std::string& text) {
  TWebEngine* doc = form->GetDocument();
  if (!doc) return false;
  std::string page;
  for (const std::string& line : doc->SaveToLines()) page += line;
  return page.find(text) != std::string::npos;
}

void Type(TMainForm* form, const std::string& utf8) {
  form->WebBrowser1->SetFocus();
  QWidget* surface = form->WebBrowser1->Peer()->focusProxy();
  if (!surface) surface = form->WebBrowser1->Peer();
  // The caret goes where a user clicks into the page.
  const QPoint at(30, 20);
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent click(type, at, surface->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(surface, &click);
  }
  ProcessMessagesUntil([] { return false; }, 200);
  const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  for (char32_t u : text.toUcs4()) {
    const QString one = QString::fromUcs4(&u, 1);
    const int key = u < 0x80 && std::isalnum(static_cast<int>(u)) ? one.toUpper()[0].unicode() : 0;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, one);
    QCoreApplication::sendEvent(surface, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, one);
    QCoreApplication::sendEvent(surface, &release);
  }
  // The keys reach the page's process asynchronously.
  if (!ProcessMessagesUntil([&] { return PageHolds(form, AsPageText(text)); }, 20000))
    Say("error", "the typed text never reached the page: " + utf8);
}

void Click(TMainForm* form, const std::string& name) {
  TComponent* c = form->FindComponent(name);
  if (auto* item = dynamic_cast<TMenuItem*>(c)) {
    item->Action()->trigger();
  } else if (auto* control = dynamic_cast<TControl*>(c); control && control->OnClick) {
    SafeCall([&] { control->OnClick(control); });
  } else {
    Say("error", "nothing to click named " + name);
  }
}

// The file the next open or save dialog answers with; the dialog after it is cancelled.
std::optional<std::string>& DialogAnswer() {
  static std::optional<std::string> answer;
  return answer;
}

}  // namespace

TScriptedRun::TScriptedRun(const std::string& scriptPath) {
  std::ifstream file(scriptPath, std::ios::binary);
  if (!file) {
    Say("error", "cannot read the script " + scriptPath);
    return;
  }
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    steps_.push_back(line);
  }
  Application()->OnException = [](const std::string& message) {
    Say("error", EncodeUtf8(DecodeCharacterReferences(message)));
  };
  DialogService().MessageBox = [](TForm*, const std::string& text, const std::string& caption,
                                  unsigned) {
    Say("message", EncodeUtf8(DecodeCharacterReferences(caption + ": " + text)));
    return mrOk;
  };
  DialogService().FileDialog = [](const TOpenDialog&, bool) {
    std::optional<std::string> answer = std::move(DialogAnswer());
    DialogAnswer().reset();
    return answer;
  };
}

void TScriptedRun::Attach(TMainForm* mainForm) {
  form_ = mainForm;
  auto previous = std::move(mainForm->OnEditingReady);
  mainForm->OnEditingReady = [this, previous] {
    if (previous) previous();
    // After the handler that reported the page ready has returned.
    QTimer::singleShot(0, form_->Peer(), [this] { RunSteps(); });
  };
}

void TScriptedRun::RunSteps() {
  TMainForm* form = form_;
  for (const std::string& step : steps_) {
    Say("step", step);
    const size_t blank = step.find(' ');
    const std::string verb = step.substr(0, blank);
    const std::string rest = blank == std::string::npos ? std::string() : step.substr(blank + 1);
    if (verb == "type") {
      Type(form, rest);
    } else if (verb == "click") {
      Click(form, rest);
    } else if (verb == "answer") {
      // A host path, byte for byte, as the dialog's own answer would be.
      DialogAnswer() = rest;
    } else if (verb == "close") {
      // The showcase window that closing brings up is closed as soon as it shows.
      auto* closer = new QTimer(form->Peer());
      QObject::connect(closer, &QTimer::timeout, [] {
        for (int i = 0; Application() && i < Application()->FormCount(); ++i)
          if (Application()->Forms(i)->InModal()) Application()->Forms(i)->Close();
      });
      closer->start(50);
      Say("script", "done");
      form->Close();
      return;
    } else if (!verb.empty()) {
      Say("error", "unknown step " + step);
    }
  }
  Say("script", "done");
}

}  // namespace kv
