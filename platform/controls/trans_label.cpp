#include "platform/controls/trans_label.h"

#include <QPainter>

#include "platform/controls/control_paint.h"
#include "platform/qt_colour.h"

namespace quorvin::platform {

TransLabel::TransLabel(const ControlSpec& desc, QWidget* parent)
    : QWidget(parent),
      text_(QString::fromUtf8(desc.text)),
      textColour_(desc.textColour),
      hAlign_(desc.hAlign),
      vAlign_(desc.vAlign),
      wordWrap_(desc.wordWrap) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TransLabel::SetText(const QString& text) {
  text_ = text;
  update();
}

void TransLabel::SetTextColour(ColourValue colour) {
  textColour_ = colour;
  update();
}

void TransLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  DrawControlText(painter, rect(), text_, hAlign_, vAlign_, wordWrap_,
                  ToQColor(textColour_, palette().color(QPalette::WindowText)));
}

}  // namespace quorvin::platform
