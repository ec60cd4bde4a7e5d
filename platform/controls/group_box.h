#pragma once

#include <QWidget>

#include "platform/layout.h"

namespace quorvin::platform {

// 分组框: an etched frame with an optional title on its top edge. Holds controls; their places are
// measured from its top-left corner. Delivers no events.
class GroupBox final : public QWidget {
 public:
  explicit GroupBox(const ControlSpec& desc, QWidget* parent = nullptr);

  QString Title() const { return title_; }
  void SetTitle(const QString& title);
  ColourValue TitleColour() const { return titleColour_; }
  HAlign TitleAlignment() const { return titleAlign_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString title_;
  ColourValue titleColour_;
  HAlign titleAlign_;
};

}  // namespace quorvin::platform
