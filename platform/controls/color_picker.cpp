#include "platform/controls/color_picker.h"

#include <QPainter>
#include <QStyleOption>

#include "platform/controls/colour_drop_down.h"
#include "platform/dialogs.h"
#include "platform/qt_colour.h"

namespace quorvin::platform {

namespace {

constexpr int kArrowWidth = 12;

}  // namespace

ColorPicker::ColorPicker(const ControlSpec& desc, Dialogs& dialogs, QWidget* parent)
    : QPushButton(parent), dialogs_(dialogs), colour_(desc.colour) {
  setAutoDefault(false);
  connect(this, &QPushButton::clicked, this, [this] { OpenDropDown(); });
}

void ColorPicker::SetColour(ColourValue colour) {
  colour_ = colour;
  update();
}

ColourDropDown* ColorPicker::DropDown() const {
  // A closed drop-down lingers until it is deleted.
  return dropDown_ != nullptr && dropDown_->isVisible() ? dropDown_.data() : nullptr;
}

ColourDropDown* ColorPicker::OpenDropDown() {
  if (ColourDropDown* open = DropDown()) return open;
  dropDown_ = new ColourDropDown(
      colour_, [this](ColourValue c) { Choose(c); }, [this] { ChooseOther(); }, this);
  dropDown_->adjustSize();
  dropDown_->move(mapToGlobal(QPoint(0, height())));
  dropDown_->show();
  return dropDown_;
}

void ColorPicker::Choose(ColourValue colour) {
  SetColour(colour);
  Raise(Event::kColourChanged);
}

void ColorPicker::ChooseOther() {
  const std::optional<ColourValue> chosen = dialogs_.ChooseColour(colour_);
  if (chosen) Choose(*chosen);
}

void ColorPicker::paintEvent(QPaintEvent* event) {
  QPushButton::paintEvent(event);
  QPainter painter(this);
  const QRect inner = rect().adjusted(4, 4, -4, -4);
  const QRect swatch = inner.adjusted(0, 0, -kArrowWidth, 0);
  painter.fillRect(swatch, ToQColor(colour_, Qt::black));
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawRect(swatch.adjusted(0, 0, -1, -1));
  QStyleOption arrow;
  arrow.initFrom(this);
  arrow.rect = QRect(swatch.right() + 2, inner.top(), kArrowWidth - 2, inner.height());
  style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, &painter, this);
}

}  // namespace quorvin::platform
