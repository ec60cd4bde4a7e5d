#include "platform/controls/pic_box.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cstring>

#include "platform/codecs/decode.h"
#include "platform/controls/control_paint.h"
#include "platform/qt_colour.h"

namespace quorvin::platform {

namespace {

// The decoder's rows are top-down BGRA with straight alpha, which is QImage's ARGB32 in memory
// on a little-endian machine.
QImage ToImage(const codecs::Picture& picture) {
  const int w = picture.width, h = picture.height;
  if (w <= 0 || h <= 0) return {};
  const std::size_t rowBytes = static_cast<std::size_t>(w) * 4;
  if (picture.bgra.size() < rowBytes * static_cast<std::size_t>(h)) return {};
  const bool opaque = picture.alpha == codecs::AlphaMeaning::kOpaque;
  QImage image(w, h, opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32);
  if (image.isNull()) return {};
  for (int y = 0; y < h; ++y) {
    std::uint8_t* row = image.scanLine(y);
    std::memcpy(row, picture.bgra.data() + rowBytes * static_cast<std::size_t>(y), rowBytes);
    if (opaque) {
      for (int x = 0; x < w; ++x) row[x * 4 + 3] = 0xFF;  // RGB32 wants an opaque top byte
    }
  }
  if (opaque) return image;
  return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace

QImage StretchPicture(const QImage& picture, const QSize& target) {
  if (picture.isNull() || target.isEmpty()) return {};
  QImage image = picture;
  const QSize reduced(std::min(image.width(), target.width()),
                      std::min(image.height(), target.height()));
  if (reduced != image.size()) {
    image = image.scaled(reduced, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  if (image.size() != target) {
    image = image.scaled(target, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  }
  return image;
}

PicBox::PicBox(const ControlSpec& desc, QWidget* parent)
    : QWidget(parent), background_(desc.background), border_(desc.border) {
  setMouseTracking(true);
}

QRect PicBox::ClientRect() const {
  return ClientRectOf(rect(), border_);
}

QSize PicBox::ClientDeviceSize() const {
  const qreal ratio = devicePixelRatioF();
  const QSize client = ClientRect().size();
  return QSize(qRound(client.width() * ratio), qRound(client.height() * ratio));
}

void PicBox::SetPicture(ByteSet bytes) {
  bytes_ = std::move(bytes);
  Decode();
  update();
}

void PicBox::Decode() {
  decoded_ = QImage();
  stretched_ = QImage();
  decodedReduced_ = false;
  if (bytes_.empty()) return;
  // Decoding to the client size lets large photos shrink while being read; they are never
  // drawn larger than that.
  const QSize fit = ClientDeviceSize();
  const codecs::DecodeResult result =
      codecs::DecodePicture(bytes_, codecs::FitSize{fit.width(), fit.height()});
  if (!result.picture) return;
  decoded_ = ToImage(*result.picture);
  decodedReduced_ = result.picture->width < result.picture->sourceWidth ||
                    result.picture->height < result.picture->sourceHeight;
}

void PicBox::SetBackground(ColourValue colour) {
  background_ = colour;
  update();
}

const QImage& PicBox::Stretched() {
  const QSize target = ClientDeviceSize();
  if (stretched_.size() != target) {
    stretched_ = StretchPicture(decoded_, target);
    stretched_.setDevicePixelRatio(devicePixelRatioF());
  }
  return stretched_;
}

void PicBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect client = ClientRect();
  painter.fillRect(client, ToQColor(background_, FaceColour(palette())));
  if (!decoded_.isNull() && !client.isEmpty()) {
    painter.drawImage(client.topLeft(), Stretched());
  }
  DrawBorder(painter, rect(), border_, palette());
}

void PicBox::resizeEvent(QResizeEvent*) {
  // A picture the decoder shrank for the old size is read again for a larger one.
  if (decodedReduced_) {
    const QSize target = ClientDeviceSize();
    if (target.width() > decoded_.width() || target.height() > decoded_.height()) Decode();
  }
}

void PicBox::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  const QRect client = ClientRect();
  if (!client.contains(p)) return;
  Raise(Event::kPointerMoved, {p.x() - client.left(), p.y() - client.top(), {}});
}

void PicBox::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  const QRect client = ClientRect();
  if (!client.contains(p)) return;
  const EventArgs args{p.x() - client.left(), p.y() - client.top(), {}};
  if (event->button() == Qt::LeftButton) Raise(Event::kLeftPress, args);
  if (event->button() == Qt::RightButton) Raise(Event::kRightPress, args);
}

}  // namespace quorvin::platform
