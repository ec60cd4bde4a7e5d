#include "platform/controls/control_paint.h"

#include <QPainter>
#include <QPalette>

namespace quorvin::platform {

int BorderWidth(Border border) {
  switch (border) {
    case Border::kNone:
      return 0;
    case Border::kSingle:
    case Border::kThinSunken:
      return 1;
    case Border::kFrame:
    case Border::kSunken:
      return 2;
  }
  return 0;
}

QRect ClientRectOf(const QRect& outer, Border border) {
  const int b = BorderWidth(border);
  const QRect inner(0, 0, outer.width(), outer.height());
  return inner.adjusted(b, b, -b, -b);
}

namespace {

// One ring of a 3D edge: `topLeft` colours the top and left lines, `bottomRight` the others.
void DrawEdge(QPainter& painter, const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
  if (r.width() <= 0 || r.height() <= 0) return;
  const int l = r.left(), t = r.top(), ri = r.right(), b = r.bottom();
  painter.setPen(topLeft);
  painter.drawLine(l, t, ri, t);
  painter.drawLine(l, t, l, b);
  painter.setPen(bottomRight);
  painter.drawLine(l, b, ri, b);
  painter.drawLine(ri, t, ri, b);
}

}  // namespace

void DrawBorder(QPainter& painter, const QRect& outer, Border border, const QPalette& palette) {
  const QRect r(0, 0, outer.width(), outer.height());
  const QColor shadow = palette.color(QPalette::Dark);
  const QColor darkShadow = palette.color(QPalette::Shadow);
  const QColor light = palette.color(QPalette::Light);
  const QColor midLight = palette.color(QPalette::Midlight);
  painter.save();
  switch (border) {
    case Border::kNone:
      break;
    case Border::kSingle:
      painter.setPen(palette.color(QPalette::WindowText));
      painter.setBrush(Qt::NoBrush);
      painter.drawRect(r.adjusted(0, 0, -1, -1));
      break;
    case Border::kThinSunken:
      DrawEdge(painter, r, shadow, light);
      break;
    case Border::kFrame:  // raised outer edge, sunken inner edge
      DrawEdge(painter, r, light, darkShadow);
      DrawEdge(painter, r.adjusted(1, 1, -1, -1), shadow, midLight);
      break;
    case Border::kSunken:
      DrawEdge(painter, r, shadow, light);
      DrawEdge(painter, r.adjusted(1, 1, -1, -1), darkShadow, midLight);
      break;
  }
  painter.restore();
}

void DrawControlText(QPainter& painter, const QRect& box, const QString& text, HAlign hAlign,
                     VAlign vAlign, bool wordWrap, const QColor& colour) {
  if (text.isEmpty() || box.isEmpty()) return;
  int flags = 0;
  switch (hAlign) {
    case HAlign::kLeft:
      flags |= Qt::AlignLeft;
      break;
    case HAlign::kCentre:
      flags |= Qt::AlignHCenter;
      break;
    case HAlign::kRight:
      flags |= Qt::AlignRight;
      break;
  }
  switch (vAlign) {
    case VAlign::kTop:
      flags |= Qt::AlignTop;
      break;
    case VAlign::kCentre:
      flags |= Qt::AlignVCenter;
      break;
    case VAlign::kBottom:
      flags |= Qt::AlignBottom;
      break;
  }
  QString shown = text;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  if (wordWrap) {
    flags |= Qt::TextWordWrap;
  } else {
    flags |= Qt::TextSingleLine;
  }
  painter.save();
  painter.setClipRect(box);
  painter.setPen(colour);
  painter.drawText(box, flags, shown);
  painter.restore();
}

}  // namespace quorvin::platform
