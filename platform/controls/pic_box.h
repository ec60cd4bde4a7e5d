#pragma once

#include <QImage>
#include <QWidget>

#include "core/byte_set.h"
#include "platform/event_source.h"

namespace quorvin::platform {

// 图片框: shows the picture given as the bytes of an image file, stretched over its client area.
// The bytes are decoded once, when they are set, and the decoded picture is kept; painting only
// scales it. Reading the picture returns exactly the bytes last set.
// Events: kPointerMoved, kLeftPress, kRightPress, all in client coordinates.
class PicBox final : public QWidget, public EventSource {
 public:
  explicit PicBox(const ControlSpec& desc, QWidget* parent = nullptr);

  // Keeps its own copy. Bytes that no format recognises show only the background; an empty
  // ByteSet means no picture.
  void SetPicture(ByteSet bytes);
  const ByteSet& Picture() const { return bytes_; }
  bool HasPicture() const { return !bytes_.empty(); }
  bool ShowsDecodedPicture() const { return !decoded_.isNull(); }

  ColourValue Background() const { return background_; }
  void SetBackground(ColourValue colour);

  Border BorderStyle() const { return border_; }
  QRect ClientRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QSize ClientDeviceSize() const;
  void Decode();
  const QImage& Stretched();

  ByteSet bytes_;
  QImage decoded_;               // premultiplied for blended pictures, RGB32 for opaque ones
  bool decodedReduced_ = false;  // the decoder shrank it to fit the client area
  QImage stretched_;             // decoded_ over the client area in device pixels; made when needed
  ColourValue background_ = kDefaultColour;
  Border border_ = Border::kNone;
};

// Scales as the picture box draws: averaging on each axis that shrinks, then whole pixels
// (nearest neighbour) on each axis that grows, so enlarged icons show crisp blocks.
QImage StretchPicture(const QImage& picture, const QSize& target);

}  // namespace quorvin::platform
