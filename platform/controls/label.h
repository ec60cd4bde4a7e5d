#pragma once

#include <QWidget>

#include "platform/event_source.h"

namespace quorvin::platform {

// 标签: a rectangle filled with its background colour (kDefaultColour: the button face), with an
// optional border and text. Events: kLeftPress, kRightPress in client coordinates.
class Label final : public QWidget, public EventSource {
 public:
  explicit Label(const ControlSpec& desc, QWidget* parent = nullptr);

  QString Text() const { return text_; }
  void SetText(const QString& text);
  ColourValue Background() const { return background_; }
  void SetBackground(ColourValue colour);
  ColourValue TextColour() const { return textColour_; }
  void SetTextColour(ColourValue colour);

  Border BorderStyle() const { return border_; }
  QRect ClientRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QString text_;
  ColourValue background_;
  ColourValue textColour_;
  Border border_;
  HAlign hAlign_;
  VAlign vAlign_;
  bool wordWrap_;
};

}  // namespace quorvin::platform
