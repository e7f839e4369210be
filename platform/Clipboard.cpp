#include "platform/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "platform/QtText.h"

namespace kv {

TClipboard& Clipboard() {
  static TClipboard clipboard;
  return clipboard;
}

bool TClipboard::HasText() const {
  const QMimeData* d = QGuiApplication::clipboard()->mimeData();
  return d && d->hasText();
}

std::string TClipboard::AsText() const {
  return FromQ(QGuiApplication::clipboard()->text());
}

void TClipboard::SetAsText(const std::string& text) {
  QGuiApplication::clipboard()->setText(ToQ(text));
}

void TClipboard::SetFormats(const std::string& text,
                            const std::map<std::string, QByteArray>& formats) {
  auto* data = new QMimeData;
  data->setText(ToQ(text));
  for (const auto& [mime, bytes] : formats) data->setData(QString::fromStdString(mime), bytes);
  QGuiApplication::clipboard()->setMimeData(data);
}

QByteArray TClipboard::Format(const std::string& mimeType) const {
  const QMimeData* d = QGuiApplication::clipboard()->mimeData();
  return d ? d->data(QString::fromStdString(mimeType)) : QByteArray();
}

bool TClipboard::HasFormat(const std::string& mimeType) const {
  const QMimeData* d = QGuiApplication::clipboard()->mimeData();
  return d && d->hasFormat(QString::fromStdString(mimeType));
}

}  // namespace kv
