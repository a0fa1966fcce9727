// Turns the PNG pictures of the Linux build into binary PPM files, which the
// tests under Wine read without a PNG library. A tool of scripts/
// test_windows.sh, built for Linux with libpng.
//
//   png_to_ppm IN.png OUT.ppm
#include <png.h>

#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "uso: png_to_ppm IN.png OUT.ppm\n");
        return 2;
    }
    png_image imagen{};
    imagen.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&imagen, argv[1])) {
        std::fprintf(stderr, "png_to_ppm: %s: %s\n", argv[1], imagen.message);
        return 1;
    }
    imagen.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> pixeles(PNG_IMAGE_SIZE(imagen));
    if (!png_image_finish_read(&imagen, nullptr, pixeles.data(), 0, nullptr)) {
        std::fprintf(stderr, "png_to_ppm: %s: %s\n", argv[1], imagen.message);
        return 1;
    }
    std::FILE* f = std::fopen(argv[2], "wb");
    if (!f) {
        std::perror(argv[2]);
        return 1;
    }
    std::fprintf(f, "P6\n%u %u\n255\n", imagen.width, imagen.height);
    const bool bien = std::fwrite(pixeles.data(), 1, pixeles.size(), f) == pixeles.size();
    return std::fclose(f) == 0 && bien ? 0 : 1;
}
