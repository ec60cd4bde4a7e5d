#include "platform/controls/label.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/controls/control_paint.h"
#include "platform/qt_colour.h"

namespace quorvin::platform {

Label::Label(const ControlSpec& desc, QWidget* parent)
    : QWidget(parent),
      text_(QString::fromUtf8(desc.text)),
      background_(desc.background),
      textColour_(desc.textColour),
      border_(desc.border),
      hAlign_(desc.hAlign),
      vAlign_(desc.vAlign),
      wordWrap_(desc.wordWrap) {}

QRect Label::ClientRect() const {
  return ClientRectOf(rect(), border_);
}

void Label::SetText(const QString& text) {
  text_ = text;
  update();
}

void Label::SetBackground(ColourValue colour) {
  background_ = colour;
  update();
}

void Label::SetTextColour(ColourValue colour) {
  textColour_ = colour;
  update();
}

void Label::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), ToQColor(background_, FaceColour(palette())));
  DrawControlText(painter, ClientRect(), text_, hAlign_, vAlign_, wordWrap_,
                  ToQColor(textColour_, palette().color(QPalette::WindowText)));
  DrawBorder(painter, rect(), border_, palette());
}

void Label::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint() - ClientRect().topLeft();
  const EventArgs args{p.x(), p.y(), {}};
  if (event->button() == Qt::LeftButton) Raise(Event::kLeftPress, args);
  if (event->button() == Qt::RightButton) Raise(Event::kRightPress, args);
}

}  // namespace quorvin::platform
