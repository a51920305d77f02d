// The icon theme's PNG files, read back by Qt's own PNG decoder: every size the package installs
// shows the art's pixels, transparency included.

#include <QImage>
#include <QtTest>

#include "window/resources/icon_128.h"
#include "window/resources/png_file.h"

namespace userdb {

class IconPngTest : public QObject {
  Q_OBJECT

 private slots:
  void everySizeDecodesToTheArtsPixels() {
    const IndexedIcon& icon = Icon128();
    const IndexedImage& art = icon.images.front();
    const std::vector<std::uint8_t> rgba = RenderRgba(art, icon.palette);
    for (const int size : {16, 32, 48, 64, 128}) {
      const std::vector<std::uint8_t> png = PngFileBytes(art, icon.palette, size);
      QImage image;
      QVERIFY(image.loadFromData(png.data(), static_cast<int>(png.size()), "PNG"));
      QCOMPARE(image.size(), QSize(size, size));
      image = image.convertToFormat(QImage::Format_RGBA8888);
      for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
          const auto at = static_cast<std::size_t>(((y * art.size / size) * art.size + x * art.size / size) * 4);
          const QRgb pixel = image.pixel(x, y);
          QCOMPARE(qAlpha(pixel), static_cast<int>(rgba[at + 3]));
          if (rgba[at + 3] == 0) continue;
          QCOMPARE(qRed(pixel), static_cast<int>(rgba[at]));
          QCOMPARE(qGreen(pixel), static_cast<int>(rgba[at + 1]));
          QCOMPARE(qBlue(pixel), static_cast<int>(rgba[at + 2]));
        }
      }
    }
  }

  // Larger than one stored deflate block of 65535 bytes: 128 x 128 x 4 and the filter bytes.
  void aLargeIconSpansSeveralDeflateBlocks() {
    const IndexedIcon& icon = Icon128();
    const std::vector<std::uint8_t> png = PngFileBytes(icon.images.front(), icon.palette, 256);
    QImage image;
    QVERIFY(image.loadFromData(png.data(), static_cast<int>(png.size()), "PNG"));
    QCOMPARE(image.size(), QSize(256, 256));
  }
};

}  // namespace userdb

QTEST_MAIN(userdb::IconPngTest)
#include "icon_png_test.moc"
