#pragma once

#include <QCheckBox>

#include "platform/event_source.h"

namespace quorvin::platform {

// 选择框: a check box, not grouped with any other. A click by the user toggles it first and then
// raises kClicked; setChecked() from the program raises nothing. The text is drawn left-aligned
// and vertically centred, in one or more lines, in its own colour.
class CheckBox final : public QCheckBox, public EventSource {
 public:
  explicit CheckBox(const ControlSpec& desc, QWidget* parent = nullptr);

  ColourValue TextColour() const { return textColour_; }
  void SetTextColour(ColourValue colour);

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool hitButton(const QPoint& pos) const override;

 private:
  ColourValue textColour_;
};

}  // namespace quorvin::platform
