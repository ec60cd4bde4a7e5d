#include "platform/platform_init.h"

#include <QApplication>

#include "platform/app_icon.h"
#include "platform/fonts.h"

namespace quorvin::platform {

void InitialisePlatform() {
  InstallFonts();
  QApplication::setWindowIcon(AppIcon());
}

}  // namespace quorvin::platform
