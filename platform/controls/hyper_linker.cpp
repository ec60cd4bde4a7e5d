#include "platform/controls/hyper_linker.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/controls/control_paint.h"
#include "platform/qt_colour.h"

namespace quorvin::platform {

HyperLinker::HyperLinker(const ControlSpec& desc, QWidget* parent)
    : QWidget(parent),
      text_(QString::fromUtf8(desc.text)),
      colours_(desc.link),
      hAlign_(desc.hAlign) {
  setCursor(Qt::PointingHandCursor);
  QFont linkFont = font();
  linkFont.setUnderline(true);
  setFont(linkFont);
}

void HyperLinker::SetText(const QString& text) {
  text_ = text;
  update();
}

void HyperLinker::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  DrawControlText(painter, rect(), text_, hAlign_, VAlign::kCentre, false,
                  ToQColor(ShownColour(), Qt::blue));
}

void HyperLinker::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint p = event->position().toPoint();
  Raise(Event::kLeftPress, {p.x(), p.y(), {}});
}

void HyperLinker::enterEvent(QEnterEvent*) {
  hovered_ = true;
  update();
}

void HyperLinker::leaveEvent(QEvent*) {
  hovered_ = false;
  update();
}

}  // namespace quorvin::platform
