#pragma once

#include <QColor>
#include <QRect>
#include <QString>

#include "platform/layout.h"

class QPainter;
class QPalette;

// Drawing shared by the kinds that paint themselves.
namespace quorvin::platform {

// Pixels a border takes from each side of the outer rectangle.
int BorderWidth(Border border);

// The client area of a control of this outer size and border, in its own coordinates.
QRect ClientRectOf(const QRect& outer, Border border);

void DrawBorder(QPainter& painter, const QRect& outer, Border border, const QPalette& palette);

// Draws text in `box` as the labels do: aligned, one line or wrapped at the text's own line
// breaks (CR LF or LF) and where a line is too wide.
void DrawControlText(QPainter& painter, const QRect& box, const QString& text, HAlign hAlign,
                     VAlign vAlign, bool wordWrap, const QColor& colour);

}  // namespace quorvin::platform
