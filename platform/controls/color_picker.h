#pragma once

#include <QPointer>
#include <QPushButton>

#include "platform/controls/colour_drop_down.h"
#include "platform/event_source.h"

namespace quorvin::platform {

class Dialogs;

// 颜色选择器: a button showing its colour that opens a drop-down of colours; the drop-down's
// "其他颜色..." asks for any colour through Dialogs::ChooseColour. kColourChanged is raised when
// the user chooses a colour, also the one already shown; closing without a choice raises
// nothing. SetColour() raises nothing.
class ColorPicker final : public QPushButton, public EventSource {
 public:
  ColorPicker(const ControlSpec& desc, Dialogs& dialogs, QWidget* parent = nullptr);

  ColourValue Colour() const { return colour_; }
  void SetColour(ColourValue colour);

  // Opens the drop-down below the picker, as a click does; returns it.
  ColourDropDown* OpenDropDown();
  ColourDropDown* DropDown() const;  // nullptr when closed

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Choose(ColourValue colour);
  void ChooseOther();

  Dialogs& dialogs_;
  ColourValue colour_;
  QPointer<ColourDropDown> dropDown_;
};

}  // namespace quorvin::platform
