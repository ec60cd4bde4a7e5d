#pragma once

#include <QWidget>

#include "platform/layout.h"

namespace quorvin::platform {

// 透明标签: text without a background; whatever lies behind it shows through, and mouse presses
// pass to what lies behind. Delivers no events.
class TransLabel final : public QWidget {
 public:
  explicit TransLabel(const ControlSpec& desc, QWidget* parent = nullptr);

  QString Text() const { return text_; }
  void SetText(const QString& text);
  ColourValue TextColour() const { return textColour_; }
  void SetTextColour(ColourValue colour);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
  ColourValue textColour_;
  HAlign hAlign_;
  VAlign vAlign_;
  bool wordWrap_;
};

}  // namespace quorvin::platform
