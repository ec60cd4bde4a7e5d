#pragma once

#include <QWidget>

#include "platform/event_source.h"

namespace quorvin::platform {

// 超级链接框: text drawn as a link, in its link colour, or its hover colour while the pointer is
// over it; the pointer is a pointing hand. It has no link target and opens nothing by itself.
// Event: kLeftPress in client coordinates.
class HyperLinker final : public QWidget, public EventSource {
 public:
  explicit HyperLinker(const ControlSpec& desc, QWidget* parent = nullptr);

  QString Text() const { return text_; }
  void SetText(const QString& text);
  const LinkColours& Colours() const { return colours_; }
  // The colour the text is drawn in now.
  ColourValue ShownColour() const { return hovered_ ? colours_.hover : colours_.link; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  QString text_;
  LinkColours colours_;
  HAlign hAlign_;
  bool hovered_ = false;
};

}  // namespace quorvin::platform
