#include "gui/program_icon.h"

#include <QImage>
#include <QPixmap>

#include "window/resources/icon_128.h"

namespace userdb {
namespace {

QPixmap RenderImage(const IndexedImage& image, const IconPalette& palette) {
  const std::vector<std::uint8_t> rgba = RenderRgba(image, palette);
  // The QImage only borrows the pixels: copy them out before the vector goes.
  const QImage borrowed(rgba.data(), image.size, image.size, image.size * 4, QImage::Format_RGBA8888);
  return QPixmap::fromImage(borrowed.copy());
}

}  // namespace

QIcon ProgramIcon() {
  const IndexedIcon& icon = Icon128();
  QIcon result;
  for (const IndexedImage& image : icon.images) result.addPixmap(RenderImage(image, icon.palette));
  return result;
}

}  // namespace userdb
