#include "platform/controls/list_box.h"

#include <QScrollBar>
#include <memory>

namespace quorvin::platform {

ListBox::ListBox(const ControlSpec&, QWidget* parent) : QListWidget(parent) {
  setSortingEnabled(false);
  setSelectionMode(QAbstractItemView::SingleSelection);
  // Items are one line of one font: without this the view measures every item again after each
  // change, which made every paint in the editor (three lists growing by one item) cost
  // milliseconds once the history grew.
  setUniformItemSizes(true);
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  QPalette colours = palette();
  colours.setColor(QPalette::Base, Qt::white);
  setPalette(colours);
}

int ListBox::AddItem(const QString& text, std::int32_t datum) {
  auto item = std::make_unique<QListWidgetItem>(text);
  item->setData(Qt::UserRole, QVariant::fromValue<qint32>(datum));
  addItem(item.release());
  return count() - 1;
}

QString ListBox::ItemText(int index) const {
  const QListWidgetItem* it = item(index);
  return it != nullptr ? it->text() : QString();
}

std::int32_t ListBox::ItemData(int index) const {
  const QListWidgetItem* it = item(index);
  return it != nullptr ? it->data(Qt::UserRole).value<qint32>() : 0;
}

bool ListBox::RemoveItem(int index) {
  if (index < 0 || index >= count()) return false;
  delete takeItem(index);
  return true;
}

}  // namespace quorvin::platform
