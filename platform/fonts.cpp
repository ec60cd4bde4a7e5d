#include "platform/fonts.h"

#include <QApplication>
#include <QFontDatabase>

namespace quorvin::platform {

namespace {

// In order of preference; fonts-wqy-zenhei is the one the program is packaged with.
constexpr const char* kCjkFamilies[] = {"WenQuanYi Zen Hei", "Noto Sans CJK SC",
                                        "Noto Serif CJK SC", "AR PL UMing CN"};

// The faces the layouts name. Without a substitution fontconfig answers them with a Latin font
// and the Chinese glyphs come only from per-glyph fallback.
constexpr const char* kChineseFaces[] = {"宋体", "黑体"};

}  // namespace

QString CjkFamily() {
  const QStringList installed = QFontDatabase::families();
  for (const char* family : kCjkFamilies) {
    const QString name = QString::fromUtf8(family);
    if (installed.contains(name)) return name;
  }
  return {};
}

void InstallFonts() {
  const QString cjk = CjkFamily();
  if (cjk.isEmpty()) return;
  for (const char* face : kChineseFaces) QFont::insertSubstitution(QString::fromUtf8(face), cjk);
  QFont gui(cjk);
  gui.setPixelSize(kDefaultFontPixels);
  QApplication::setFont(gui);
}

QFont FontFor(const FontSpec& desc) {
  QFont font(desc.face != nullptr ? QString::fromUtf8(desc.face) : QApplication::font().family());
  font.setPixelSize(desc.pixelHeight > 0 ? desc.pixelHeight : kDefaultFontPixels);
  font.setWeight(static_cast<QFont::Weight>(desc.weight));
  return font;
}

}  // namespace quorvin::platform
