#include "core/icon_document.h"

#include "core/ico_templates.h"

namespace quorvin {

void IconDocument::SelectIconSize(int n) {
  const IconTemplates* t = FindIconTemplates(n);
  if (t == nullptr) return;
  header.assign(t->header.begin(), t->header.end());
  mask.assign(t->mask.begin(), t->mask.end());
  IconSize = n;
}

namespace {

// The edge length a buffer was made for, when it is a complete 48x48 or 16x16 buffer; else 0.
int SizeOfCompleteBuffer(const ByteSet& pixels) {
  for (int n : {48, 16}) {
    if (pixels.size() == CompletePixelBytes(n)) return n;
  }
  return 0;
}

}  // namespace

const ByteSet& IconDocument::AssembleIcon() {
  std::span<const std::uint8_t> h = header, m = mask;
  // A buffer made before the other size was selected keeps the blocks of its own size.
  const int own = SizeOfCompleteBuffer(PixelBuffer);
  if (own != 0 && own != IconSize) {
    const IconTemplates* t = FindIconTemplates(own);
    h = t->header;
    m = t->mask;
  }
  ByteSet out;
  out.reserve(h.size() + PixelBuffer.size() + m.size());
  out.insert(out.end(), h.begin(), h.end());
  out.insert(out.end(), PixelBuffer.begin(), PixelBuffer.end());
  out.insert(out.end(), m.begin(), m.end());
  IconBytes = std::move(out);
  return IconBytes;
}

void IconDocument::SetKeyColour(ColourValue colour) {
  keyColour = {BlueOf(colour), GreenOf(colour), RedOf(colour)};
}

void IconDocument::Clear() {
  ByteSet().swap(header);
  ByteSet().swap(mask);
  ByteSet().swap(PixelBuffer);
  ByteSet().swap(IconBytes);
  ByteSet().swap(Snapshot);
}

}  // namespace quorvin
