// The C++ end of the web channel: the page reports its command values here.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

namespace kv {

class TEngineChannel : public QObject {
  Q_OBJECT
 public:
  using QObject::QObject;
  std::function<void(const QString& json)> OnReport;

  // Called by the page with the JSON text of one state report.
  Q_INVOKABLE void Report(const QString& json) {
    if (OnReport) OnReport(json);
  }
};

}  // namespace kv
