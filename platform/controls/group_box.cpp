#include "platform/controls/group_box.h"

#include <QPainter>

#include "platform/qt_colour.h"

namespace quorvin::platform {

namespace {

constexpr int kTitleInset = 8;   // from the frame's end to an aligned title
constexpr int kTitleMargin = 2;  // gap in the frame line on each side of the title

}  // namespace

GroupBox::GroupBox(const ControlSpec& desc, QWidget* parent)
    : QWidget(parent),
      title_(QString::fromUtf8(desc.text)),
      titleColour_(desc.textColour),
      titleAlign_(desc.hAlign) {}

void GroupBox::SetTitle(const QString& title) {
  title_ = title;
  update();
}

void GroupBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QFontMetrics metrics(font());
  // The frame's top line runs through the middle of the title's line, with or without a title.
  const int lineY = metrics.height() / 2;
  const QRect frame(0, lineY, width() - 1, height() - lineY - 1);
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawRect(frame.adjusted(0, 0, -1, -1));
  painter.setPen(palette().color(QPalette::Light));
  painter.drawRect(frame.adjusted(1, 1, 0, 0));
  if (title_.isEmpty()) return;

  const int textWidth = metrics.horizontalAdvance(title_);
  int x = kTitleInset;
  if (titleAlign_ == HAlign::kCentre) x = (width() - textWidth) / 2;
  if (titleAlign_ == HAlign::kRight) x = width() - kTitleInset - textWidth;
  const QRect titleBox(x, 0, textWidth, metrics.height());
  painter.fillRect(titleBox.adjusted(-kTitleMargin, 0, kTitleMargin, 0),
                   palette().color(QPalette::Window));
  painter.setPen(ToQColor(titleColour_, palette().color(QPalette::WindowText)));
  painter.drawText(titleBox, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, title_);
}

}  // namespace quorvin::platform
