// The code editor as screen readers see it: an editable, multi-line text whose characters,
// lines, caret and selection they read through Qt's accessibility interfaces.
#pragma once

class QAccessibleInterface;
class QObject;
class QString;

namespace kv {

// Installed once by the first code editor; answers for every code editor's widget.
QAccessibleInterface* CodeMemoAccessibleFactory(const QString& className, QObject* object);

}  // namespace kv
