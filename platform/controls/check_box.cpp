#include "platform/controls/check_box.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include "platform/controls/control_paint.h"
#include "platform/qt_colour.h"

namespace quorvin::platform {

namespace {

constexpr int kTextGap = 3;  // between the box and its text

}  // namespace

CheckBox::CheckBox(const ControlSpec& desc, QWidget* parent)
    : QCheckBox(QString::fromUtf8(desc.text), parent), textColour_(desc.textColour) {
  setChecked(desc.checked);
  // QAbstractButton::clicked comes only from the user, after the toggle.
  connect(this, &QCheckBox::clicked, this, [this] { Raise(Event::kClicked); });
}

void CheckBox::SetTextColour(ColourValue colour) {
  textColour_ = colour;
  update();
}

void CheckBox::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  QStyleOptionButton indicator = option;
  indicator.rect = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
  painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, indicator);

  // QCheckBox draws one line only; this box wraps like the system's check boxes. The text starts
  // close to the box, as the layouts' widths were made for.
  const int textLeft = indicator.rect.right() + 1 + kTextGap;
  const QRect textBox(textLeft, 0, width() - textLeft, height());
  DrawControlText(painter, textBox, text(), HAlign::kLeft, VAlign::kCentre, true,
                  ToQColor(textColour_, palette().color(QPalette::WindowText)));
  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect =
        painter.boundingRect(textBox, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, text())
            .adjusted(-1, 0, 1, 0)
            .intersected(rect());
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
  }
}

// The whole control answers clicks, its text included.
bool CheckBox::hitButton(const QPoint& pos) const {
  return rect().contains(pos);
}

}  // namespace quorvin::platform
