#include "platform/controls/colour_drop_down.h"

#include <QAbstractButton>
#include <QGridLayout>
#include <QPainter>
#include <QPushButton>
#include <array>

#include "platform/qt_colour.h"

namespace quorvin::platform {

namespace {

constexpr ColourValue Rgb(std::uint32_t rrggbb) {
  return MakeColour(static_cast<std::uint8_t>(rrggbb >> 16), static_cast<std::uint8_t>(rrggbb >> 8),
                    static_cast<std::uint8_t>(rrggbb));
}

constexpr int kColumns = 8;

// Five rows of eight: dark to light, the greys at the end of each row.
constexpr std::array<ColourValue, 40> kColours = {
    Rgb(0x000000), Rgb(0x993300), Rgb(0x333300), Rgb(0x003300), Rgb(0x003366), Rgb(0x000080),
    Rgb(0x333399), Rgb(0x333333), Rgb(0x800000), Rgb(0xFF6600), Rgb(0x808000), Rgb(0x008000),
    Rgb(0x008080), Rgb(0x0000FF), Rgb(0x666699), Rgb(0x808080), Rgb(0xFF0000), Rgb(0xFF9900),
    Rgb(0x99CC00), Rgb(0x339966), Rgb(0x33CCCC), Rgb(0x3366FF), Rgb(0x800080), Rgb(0x969696),
    Rgb(0xFF00FF), Rgb(0xFFCC00), Rgb(0xFFFF00), Rgb(0x00FF00), Rgb(0x00FFFF), Rgb(0x00CCFF),
    Rgb(0x993366), Rgb(0xC0C0C0), Rgb(0xFF99CC), Rgb(0xFFCC99), Rgb(0xFFFF99), Rgb(0xCCFFCC),
    Rgb(0xCCFFFF), Rgb(0x99CCFF), Rgb(0xCC99FF), Rgb(0xFFFFFF),
};

class Swatch final : public QAbstractButton {
 public:
  Swatch(ColourValue colour, bool current, QWidget* parent)
      : QAbstractButton(parent), colour_(colour), current_(current) {
    setFixedSize(18, 18);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    setToolTip(ToQColor(colour, Qt::black).name(QColor::HexRgb));
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const bool marked = current_ || underMouse() || hasFocus();
    painter.fillRect(
        rect(), marked ? palette().color(QPalette::Highlight) : palette().color(QPalette::Window));
    const QRect box = rect().adjusted(2, 2, -3, -3);
    painter.fillRect(box, ToQColor(colour_, Qt::black));
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(box);
  }

 private:
  ColourValue colour_;
  bool current_;
};

}  // namespace

std::span<const ColourValue> DropDownColours() {
  return kColours;
}

ColourDropDown::ColourDropDown(ColourValue current, std::function<void(ColourValue)> onChosen,
                               std::function<void()> onOtherColour, QWidget* owner)
    : QFrame(owner, Qt::Popup) {
  setAttribute(Qt::WA_DeleteOnClose);
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setObjectName(QStringLiteral("colourDropDown"));
  auto* grid = new QGridLayout(this);
  grid->setSpacing(1);
  grid->setContentsMargins(3, 3, 3, 3);
  for (std::size_t i = 0; i < kColours.size(); ++i) {
    const ColourValue colour = kColours[i];
    auto* swatch = new Swatch(colour, colour == current, this);
    swatch->setObjectName(QStringLiteral("swatch%1").arg(i));
    const int index = static_cast<int>(i);
    grid->addWidget(swatch, index / kColumns, index % kColumns);
    connect(swatch, &QAbstractButton::clicked, this, [this, colour, onChosen] {
      close();
      onChosen(colour);
    });
  }
  auto* other = new QPushButton(QString::fromUtf8(kOtherColourText), this);
  other->setObjectName(QStringLiteral("otherColour"));
  other->setAutoDefault(false);
  grid->addWidget(other, static_cast<int>(kColours.size()) / kColumns, 0, 1, kColumns);
  connect(other, &QPushButton::clicked, this, [this, onOtherColour] {
    close();
    onOtherColour();
  });
}

}  // namespace quorvin::platform
