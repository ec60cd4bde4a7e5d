#pragma once

#include <QIcon>
#include <cstdint>
#include <span>

namespace quorvin::platform {

// The application icon's ICO file (eight images), built into the program.
std::span<const std::uint8_t> AppIconBytes();

// Every image of the application icon; needs the QGuiApplication.
QIcon AppIcon();

}  // namespace quorvin::platform
