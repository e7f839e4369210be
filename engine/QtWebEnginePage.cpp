// Taking the page out of the engine: whole, waiting for it, for a save; without waiting and in
// slices for a recovery copy, so that the window's thread never turns one large answer into
// text in one go.
#include <QTimer>

#include "engine/QtWebEngineImpl.h"
#include "support/AtomicFile.h"
#include "support/Files.h"

namespace kv {

std::optional<TPageCapture> TQtWebEngine::TImpl::CaptureOf(const QVariant& answer) const {
  if (answer.typeId() != QMetaType::QString) return std::nullopt;
  auto text = std::make_shared<const QString>(answer.toString());
  const std::u16string_view view(reinterpret_cast<const char16_t*>(text->utf16()),
                                 static_cast<std::size_t>(text->size()));
  return MakePageCapture(std::move(text), {view}, Doctype);
}

void TQtWebEngine::TImpl::FetchSlice(std::shared_ptr<THeldCapture> held) {
  constexpr qsizetype kSlice = 1 << 18;
  Page->runJavaScript(
      QStringLiteral("window.__kv ? window.__kv.slice(%1, %2, %3) : null")
          .arg(held->Id)
          .arg(held->Received)
          .arg(kSlice),
      kWorld, [impl = this, page = QPointer<TEnginePage>(Page), held](const QVariant& answer) {
        if (!page || impl->ProcessGone || answer.typeId() != QMetaType::QString ||
            answer.toString().isEmpty()) {
          held->Done(std::nullopt);  // the page is gone or was replaced
          return;
        }
        held->Slices.push_back(answer.toString());
        held->Received += held->Slices.back().size();
        if (held->Received < held->Length) return impl->FetchSlice(held);
        auto slices = std::make_shared<const std::vector<QString>>(std::move(held->Slices));
        std::vector<std::u16string_view> pieces;
        for (const QString& slice : *slices)
          pieces.emplace_back(reinterpret_cast<const char16_t*>(slice.utf16()),
                              static_cast<std::size_t>(slice.size()));
        held->Done(MakePageCapture(slices, std::move(pieces), held->Doctype));
      });
}

TSerializedPage TQtWebEngine::TImpl::Serialize() {
  const std::string activity = Text("Engine.ActivitySave");
  CheckView();
  FinishNavigation(activity);
  CheckDocument();
  std::string why = Text("Engine.NoAnswerShort");
  for (bool nodeByNode : {false, true}) {
    std::optional<TPageCapture> capture =
        CaptureOf(RunAndWait(CaptureScript(nodeByNode), activity));
    if (!capture) break;
    try {
      return capture->Page();
    } catch (const EPageCaptureError& e) {
      // The page's markup did not read back unambiguously: once more, node by node.
      why = e.Message;
    }
  }
  Fail(Text("Engine.UnreadableWhy", {why}));
}

void TQtWebEngine::Save(const THostPath& path) {
  std::string reason;
  if (!WriteFileAtomically(path, SaveToPage().Text, reason))
    throw EFCreateError(FrameworkText::FileCreateError(path) + ": " + reason);
}

std::vector<std::string> TQtWebEngine::SaveToLines() {
  return SaveToPage().Lines();
}

TSerializedPage TQtWebEngine::SaveToPage() {
  FImpl->CheckView();
  return FImpl->Serialize();
}

void TQtWebEngine::CapturePage(std::function<void(std::optional<TPageCapture>)> done,
                               bool nodeByNode) {
  if (!HasDocument() || FImpl->NavigationPending || FImpl->LoadActive) {
    QTimer::singleShot(0, [done = std::move(done)] { done(std::nullopt); });
    return;
  }
  auto held = std::make_shared<TImpl::THeldCapture>();
  held->Doctype = FImpl->Doctype;
  held->Done = std::move(done);
  FImpl->Page->runJavaScript(
      nodeByNode ? QStringLiteral("window.__kv ? window.__kv.hold(true) : null")
                 : QStringLiteral("window.__kv ? window.__kv.hold(false) : null"),
      kWorld,
      [impl = FImpl.get(), page = QPointer<TEnginePage>(FImpl->Page), held](const QVariant& v) {
        const QVariantList answer = v.toList();
        if (!page || impl->ProcessGone || answer.size() != 2) return held->Done(std::nullopt);
        held->Id = answer[0].toInt();
        held->Length = answer[1].toLongLong();
        impl->FetchSlice(held);
      });
}

THostPath TQtWebEngine::LoadedFile() const {
  return HasDocument() ? FImpl->ShownFile : THostPath();
}

}  // namespace kv
