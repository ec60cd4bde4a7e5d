#include "editor/undo_history.h"

#include "platform/controls/list_box.h"
#include "platform/window.h"

namespace quorvin::editor {

namespace {

QString Decimal(int value) {
  return QString::number(value);
}

// The lists hold only what PushUndo wrote; a byte is cut to its 8 bits all the same.
std::uint8_t ByteOf(int value) {
  return static_cast<std::uint8_t>(value & 0xFF);
}

}  // namespace

UndoHistory::UndoHistory(const platform::Window& editorWindow)
    : alphaRed_(editorWindow.Get<platform::ListBox>("列表框1")),
      greenBlue_(editorWindow.Get<platform::ListBox>("列表框2")),
      positions_(editorWindow.Get<platform::ListBox>("列表框3")) {}

void UndoHistory::PushUndo(const UndoEntry& entry) {
  alphaRed_.AddItem(Decimal(entry.alpha), entry.red);
  greenBlue_.AddItem(Decimal(entry.green), entry.blue);
  positions_.AddItem(Decimal(entry.position));
}

std::optional<UndoEntry> UndoHistory::TakeNewest() {
  if (positions_.Count() == 0) return std::nullopt;
  const int a = alphaRed_.Count() - 1, g = greenBlue_.Count() - 1, p = positions_.Count() - 1;
  const UndoEntry entry{positions_.ItemText(p).toInt(), ByteOf(alphaRed_.ItemText(a).toInt()),
                        ByteOf(alphaRed_.ItemData(a)), ByteOf(greenBlue_.ItemText(g).toInt()),
                        ByteOf(greenBlue_.ItemData(g))};
  alphaRed_.RemoveLast();
  greenBlue_.RemoveLast();
  positions_.RemoveLast();
  return entry;
}

int UndoHistory::Size() const {
  return positions_.Count();
}

void UndoHistory::Clear() {
  alphaRed_.clear();
  greenBlue_.clear();
  positions_.clear();
}

}  // namespace quorvin::editor
