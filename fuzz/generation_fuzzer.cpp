// The whole generation on arbitrary snapshot bytes: any size, any key, any tolerance, key from the
// corner or not. The first bytes choose the settings; the rest is the snapshot.
#include <cstdint>
#include <cstdlib>

#include "core/icon_document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using quorvin::IconDocument;
  if (size < 6) return 0;
  IconDocument doc;
  doc.SelectIconSize(data[0] & 1 ? 16 : 48);
  const bool fromCorner = data[0] & 2;
  doc.SetKeyColour(quorvin::MakeColour(data[1], data[2], data[3]));
  doc.SetTolerance(static_cast<std::int8_t>(data[4]) * 2);     // -256..254: out of range too
  if (data[0] & 4) doc.SelectIconSize(data[0] & 1 ? 48 : 16);  // size changed after the choice
  doc.Snapshot.assign(data + 5, data + size);
  doc.RemoveBackground(fromCorner);
  const std::size_t pixels = doc.Snapshot.size() > 54 ? (doc.Snapshot.size() - 54) / 3 : 0;
  if (doc.PixelBuffer.size() != pixels * 4) std::abort();
  for (std::size_t i = 3; i < doc.PixelBuffer.size(); i += 4) {
    if (doc.PixelBuffer[i] != 0 && doc.PixelBuffer[i] != 255) std::abort();
  }
  const auto& icon = doc.AssembleIcon();
  if (icon.size() != 62 + doc.PixelBuffer.size() + (icon[6] == 16 ? 64 : 384)) std::abort();
  return 0;
}
