#include "editor/view/CodeMemoAccessible.h"

#include <QAccessibleWidget>
#include <algorithm>
#include <vector>

#include "editor/view/CodeMemo.h"
#include "editor/view/CodeMemoPeer.h"
#include "platform/QtText.h"

namespace kv {

namespace {

// Offsets count characters from the start of the text, a line break as one. Each byte of the
// editor's lines is one character to Qt, so a column is an offset within its line.
class TCodeMemoAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit TCodeMemoAccessible(TCodeMemoPeer* peer)
      : QAccessibleWidget(peer, QAccessible::EditableText), peer_(peer) {}

  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
  }

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.multiLine = true;
    s.editable = !Memo().ReadOnly;
    s.readOnly = Memo().ReadOnly;
    s.selectableText = true;
    return s;
  }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return text(0, characterCount());
    return QAccessibleWidget::text(t);
  }

  // --- text ---
  int characterCount() const override {
    const TLineStore& s = Memo().Store();
    return OffsetOf({s.Count() - 1, s.Length(s.Count() - 1)});
  }

  QString text(int startOffset, int endOffset) const override {
    if (endOffset <= startOffset) return {};
    return ToQ(Memo().TextIn({PosOf(startOffset), PosOf(endOffset)}));
  }

  QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                       int* endOffset) const override {
    if (boundary != QAccessible::LineBoundary)
      return QAccessibleTextInterface::textAtOffset(offset, boundary, startOffset, endOffset);
    // A line and its break, as a line of any other text reads.
    const int line = PosOf(offset).Line;
    *startOffset = OffsetOf({line, 0});
    *endOffset = std::min(characterCount(), OffsetOf({line, Memo().LineLength(line)}) + 1);
    return text(*startOffset, *endOffset);
  }

  // --- caret and selection ---
  int cursorPosition() const override { return OffsetOf(Memo().Caret()); }
  void setCursorPosition(int position) override {
    Memo().SetCaret(PosOf(position));
    Memo().CollapseSelection();
  }
  int selectionCount() const override { return Memo().SelectionEmpty() ? 0 : 1; }
  void selection(int index, int* startOffset, int* endOffset) const override {
    *startOffset = *endOffset = 0;
    if (index != 0 || Memo().SelectionEmpty()) return;
    const TTextRange r = Memo().Selection();
    *startOffset = OffsetOf(r.Start);
    *endOffset = OffsetOf(r.End);
  }
  void addSelection(int startOffset, int endOffset) override {
    setSelection(0, startOffset, endOffset);
  }
  void removeSelection(int) override { Memo().CollapseSelection(); }
  void setSelection(int, int startOffset, int endOffset) override {
    Memo().SetSelection(PosOf(startOffset), PosOf(endOffset));
  }

  // --- geometry ---
  QRect characterRect(int offset) const override {
    const TMemoLayout l = Control().Layout();
    const TTextPos p = PosOf(offset);
    const TMemoRect cell = l.CellRect(p.Col - l.LeftCol, p.Line - l.TopLine);
    return QRect(peer_->mapToGlobal(QPoint(cell.Left, cell.Top)),
                 QSize(cell.Width(), cell.Height()));
  }
  int offsetAtPoint(const QPoint& point) const override {
    const QPoint local = peer_->mapFromGlobal(point);
    const TMemoLayout l = Control().Layout();
    return OffsetOf({l.LineAt(local.y()), l.ColumnAt(local.x())});
  }
  void scrollToSubstring(int startIndex, int) override {
    Memo().SetCaret(PosOf(startIndex));
    Memo().CollapseSelection();
  }
  QString attributes(int offset, int* startOffset, int* endOffset) const override {
    *startOffset = *endOffset = offset;
    return {};
  }

 private:
  TCodeMemo& Control() const { return *peer_->Control(); }
  TCustomCodeMemo& Memo() const { return Control().Memo(); }

  // Where each line starts, counted afresh only after the text changed.
  const std::vector<int>& LineStarts() const {
    const TLineStore& s = Memo().Store();
    if (starts_.empty() || revision_ != s.Revision()) {
      starts_.resize(static_cast<size_t>(s.Count()));
      int offset = 0;
      for (int i = 0; i < s.Count(); ++i) {
        starts_[static_cast<size_t>(i)] = offset;
        offset += s.Length(i) + 1;
      }
      revision_ = s.Revision();
    }
    return starts_;
  }
  int OffsetOf(TTextPos p) const {
    p = Memo().Store().Clamp(p);
    return LineStarts()[static_cast<size_t>(p.Line)] + p.Col;
  }
  TTextPos PosOf(int offset) const {
    const std::vector<int>& starts = LineStarts();
    const int line =
        static_cast<int>(std::upper_bound(starts.begin(), starts.end(), std::max(offset, 0)) -
                         starts.begin()) -
        1;
    return Memo().Store().Clamp({line, offset - starts[static_cast<size_t>(line)]});
  }

  TCodeMemoPeer* peer_;
  mutable std::vector<int> starts_;
  mutable unsigned revision_ = 0;
};

}  // namespace

QAccessibleInterface* CodeMemoAccessibleFactory(const QString& className, QObject* object) {
  // Qt asks for every object that gains an interface, some of them half built or half torn
  // down (the web engine's focus items); only the class name is safe to look at first.
  if (className != QLatin1String(TCodeMemoPeer::staticMetaObject.className())) return nullptr;
  auto* peer = static_cast<TCodeMemoPeer*>(object);
  if (!peer->Control()) return nullptr;
  return new TCodeMemoAccessible(peer);
}

}  // namespace kv
