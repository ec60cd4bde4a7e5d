#pragma once

#include <QFont>
#include <QString>

#include "platform/layout.h"

namespace quorvin::platform {

// The default GUI font's character height.
inline constexpr int kDefaultFontPixels = 12;

// The installed font family that draws the program's Chinese texts; empty when none is found.
QString CjkFamily();

// Maps the faces "宋体" and "黑体" to the installed CJK family and makes that family, at
// kDefaultFontPixels, the application's default font. Needs the QApplication.
void InstallFonts();

// The font of a control whose layout gives one.
QFont FontFor(const FontSpec& desc);

}  // namespace quorvin::platform
