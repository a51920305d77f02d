// write_icons FOLDER: the program's icon as the PNG files of the desktop's icon theme,
// FOLDER/NNxNN/userdb.png, drawn from the same art as the window's icon. Each size is scaled
// from the nearest image of the art at or above it.

#include <filesystem>
#include <fstream>
#include <iostream>

#include "window/resources/icon_128.h"
#include "window/resources/png_file.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: write_icons FOLDER\n";
    return 2;
  }
  const userdb::IndexedIcon& icon = userdb::Icon128();
  for (const int size : {16, 32, 48, 64, 128}) {
    const userdb::IndexedImage* source = &icon.images.front();
    for (const userdb::IndexedImage& image : icon.images) {
      if (image.size >= size) source = &image;  // largest first: the last that is big enough
    }
    const std::vector<std::uint8_t> png = userdb::PngFileBytes(*source, icon.palette, size);
    const std::filesystem::path folder =
        std::filesystem::path(argv[1]) / (std::to_string(size) + "x" + std::to_string(size));
    std::filesystem::create_directories(folder);
    std::ofstream file(folder / "userdb.png", std::ios::binary);
    file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    if (!file) {
      std::cerr << "write_icons: cannot write " << (folder / "userdb.png").string() << '\n';
      return 1;
    }
  }
  return 0;
}
