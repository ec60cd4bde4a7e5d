#include "platform/fonts.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QGlyphRun>
#include <QTextLayout>

#include "app/layouts/layouts.h"
#include "platform/controls/colour_drop_down.h"
#include "platform/dialogs.h"

namespace quorvin::platform {
namespace {

// Glyph index 0 is the font's "missing glyph": a box instead of the character.
int MissingGlyphs(const QString& text, const QFont& font) {
  QTextLayout layout(text, font);
  layout.beginLayout();
  while (layout.createLine().isValid()) {
  }
  layout.endLayout();
  int missing = 0;
  for (const QGlyphRun& run : layout.glyphRuns()) {
    for (quint32 glyph : run.glyphIndexes()) missing += glyph == 0;
  }
  return missing;
}

TEST(FontsTest, ChineseFacesMapToTheInstalledCjkFont) {
  ASSERT_FALSE(CjkFamily().isEmpty()) << "no CJK font installed (fonts-wqy-zenhei)";
  for (const char* face : {"宋体", "黑体"}) {
    const QFontInfo info(FontFor({.face = face, .pixelHeight = 16, .weight = 400}));
    EXPECT_EQ(info.family(), CjkFamily()) << face;
    EXPECT_EQ(info.pixelSize(), 16);
  }
  EXPECT_EQ(QFontInfo(QApplication::font()).family(), CjkFamily());
  EXPECT_EQ(QApplication::font().pixelSize(), kDefaultFontPixels);
}

TEST(FontsTest, EveryTextOfTheThreeWindowsHasRealGlyphs) {
  int texts = 0;
  for (const WindowLayout* layout : {&layouts::MainWindowLayout(), &layouts::EditorWindowLayout(),
                                     &layouts::InstructionsWindowLayout()}) {
    for (const ControlSpec& desc : layout->controls) {
      if (*desc.text == '\0') continue;
      const QFont font = desc.font.face != nullptr ? FontFor(desc.font) : QApplication::font();
      QString text = QString::fromUtf8(desc.text);
      text.remove(QLatin1Char('\r'));
      EXPECT_EQ(MissingGlyphs(text, font), 0) << desc.name << ": " << desc.text;
      ++texts;
    }
  }
  EXPECT_GE(texts, 15);
  EXPECT_EQ(MissingGlyphs(QString::fromUtf8(kMessageTitle), QApplication::font()), 0);
  EXPECT_EQ(MissingGlyphs(QString::fromUtf8(kOtherColourText), QApplication::font()), 0);
}

}  // namespace
}  // namespace quorvin::platform
