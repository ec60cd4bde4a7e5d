#pragma once

#include <QListWidget>
#include <cstdint>

#include "platform/event_source.h"

namespace quorvin::platform {

// 列表框: text items, each with a 32-bit datum, kept in the order they are added. One selection
// at most, none at first. Delivers no events.
class ListBox final : public QListWidget {
 public:
  explicit ListBox(const ControlSpec& desc, QWidget* parent = nullptr);

  // Appends at the end; returns the new item's index.
  int AddItem(const QString& text, std::int32_t datum = 0);
  int Count() const { return count(); }
  // Out of range: an empty text and a datum of 0.
  QString ItemText(int index) const;
  std::int32_t ItemData(int index) const;
  // Returns false when there is no such item.
  bool RemoveItem(int index);
  bool RemoveLast() { return RemoveItem(count() - 1); }
};

}  // namespace quorvin::platform
