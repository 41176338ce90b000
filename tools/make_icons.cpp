// SPDX-License-Identifier: GPL-3.0-or-later
// make_icons.cpp: draws the desktop icons from a skin's player picture (its first frame,
// cropped to the figure) and writes them as hicolor PNG files:
//   make_icons <content dir> <skin name> <output dir>
// writes <output dir>/<N>x<N>/apps/gobrant.png for every icon size N.
#include "gfx.h"

#include <SDL.h>
#include <algorithm>
#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

const int ICON_SIZES[] = {16, 22, 24, 32, 48, 64, 128, 256};
const char *const ICON_NAME = "gobrant.png";

struct Rgba {
    std::vector<Uint8> pixels;  // 4 bytes a pixel, rows top to bottom
    int w = 0, h = 0;
    Uint8 *at(int x, int y) { return &pixels[(y * w + x) * 4]; }
};

// Reads the first frame of the picture, the key colour becoming transparent.
bool read_frame(const std::string &path, Rgba &out)
{
    SDL_Surface *loaded = SDL_LoadBMP(path.c_str());
    if (!loaded) {
        printf("ERROR %s: %s\n", path.c_str(), SDL_GetError());
        return false;
    }
    out.w = std::min(loaded->w, FRAME_SIZE);
    out.h = std::min(loaded->h, FRAME_SIZE);
    out.pixels.assign(out.w * out.h * 4, 0);
    SDL_LockSurface(loaded);
    for (int y = 0; y < out.h; y++)
        for (int x = 0; x < out.w; x++) {
            Uint8 *p = out.at(x, y);
            SDL_GetRGB(read_pixel(loaded, x, y), loaded->format, &p[0], &p[1], &p[2]);
            bool key = p[0] == SPRITE_KEY_RGB[0] && p[1] == SPRITE_KEY_RGB[1] &&
                       p[2] == SPRITE_KEY_RGB[2];
            p[3] = key ? 0 : 255;
            if (key)
                p[0] = p[1] = p[2] = 0;
        }
    SDL_UnlockSurface(loaded);
    SDL_FreeSurface(loaded);
    return true;
}

// The smallest square around the visible pixels, centred on them.
SDL_Rect figure_square(Rgba &frame)
{
    int left = frame.w, top = frame.h, right = -1, bottom = -1;
    for (int y = 0; y < frame.h; y++)
        for (int x = 0; x < frame.w; x++)
            if (frame.at(x, y)[3]) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    if (right < 0)
        return {0, 0, Uint16(frame.w), Uint16(frame.h)};
    int side = std::max(right - left, bottom - top) + 1;
    int x = (left + right + 1 - side) / 2, y = (top + bottom + 1 - side) / 2;
    return {Sint16(x), Sint16(y), Uint16(side), Uint16(side)};
}

// Scales the square of the frame to size x size: blocks of whole source pixels when the icon
// is larger (the crisp look of the game), an average weighted by coverage when smaller.
Rgba scale(Rgba &frame, SDL_Rect square, int size)
{
    Rgba icon;
    icon.w = icon.h = size;
    icon.pixels.assign(size * size * 4, 0);
    double step = double(square.w) / size;
    for (int y = 0; y < size; y++)
        for (int x = 0; x < size; x++) {
            double sum[4] = {0, 0, 0, 0}, weight = 0;
            double x0 = x * step, x1 = x0 + step, y0 = y * step, y1 = y0 + step;
            if (step < 1) {
                x0 = int(x0 + step / 2), x1 = x0 + 1;
                y0 = int(y0 + step / 2), y1 = y0 + 1;
            }
            for (int sy = int(y0); sy < y1; sy++)
                for (int sx = int(x0); sx < x1; sx++) {
                    double cover = (std::min<double>(x1, sx + 1) - std::max<double>(x0, sx)) *
                                   (std::min<double>(y1, sy + 1) - std::max<double>(y0, sy));
                    int fx = square.x + sx, fy = square.y + sy;
                    if (cover <= 0 || fx < 0 || fy < 0 || fx >= frame.w || fy >= frame.h)
                        continue;
                    const Uint8 *p = frame.at(fx, fy);
                    double a = p[3] / 255.0 * cover;
                    for (int c = 0; c < 3; c++)
                        sum[c] += p[c] * a;
                    sum[3] += a;
                    weight += cover;
                }
            Uint8 *out = icon.at(x, y);
            if (sum[3] > 0)
                for (int c = 0; c < 3; c++)
                    out[c] = Uint8(sum[c] / sum[3] + 0.5);
            out[3] = weight > 0 ? Uint8(sum[3] / weight * 255 + 0.5) : 0;
        }
    return icon;
}

Uint32 crc32(const std::vector<Uint8> &bytes, size_t from)
{
    Uint32 crc = 0xffffffffu;
    for (size_t i = from; i < bytes.size(); i++) {
        crc ^= bytes[i];
        for (int k = 0; k < 8; k++)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

void put32(std::vector<Uint8> &out, Uint32 v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(Uint8(v >> shift));
}

void chunk(std::vector<Uint8> &png, const char *type, const std::vector<Uint8> &data)
{
    put32(png, Uint32(data.size()));
    size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    put32(png, crc32(png, start));
}

// A PNG of 8-bit RGBA rows; the image data is a zlib stream of stored (uncompressed) blocks.
std::vector<Uint8> encode_png(Rgba &image)
{
    std::vector<Uint8> rows;
    for (int y = 0; y < image.h; y++) {
        rows.push_back(0);  // no filter
        rows.insert(rows.end(), image.at(0, y), image.at(0, y) + image.w * 4);
    }
    std::vector<Uint8> zlib = {0x78, 0x01};
    Uint32 a = 1, b = 0;
    for (Uint8 byte : rows)
        a = (a + byte) % 65521, b = (b + a) % 65521;
    for (size_t pos = 0; pos < rows.size(); pos += 65535) {
        size_t len = std::min<size_t>(65535, rows.size() - pos);
        zlib.push_back(pos + len == rows.size() ? 1 : 0);
        zlib.push_back(Uint8(len)), zlib.push_back(Uint8(len >> 8));
        zlib.push_back(Uint8(~len)), zlib.push_back(Uint8(~len >> 8));
        zlib.insert(zlib.end(), rows.begin() + pos, rows.begin() + pos + len);
    }
    put32(zlib, (b << 16) | a);
    std::vector<Uint8> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    std::vector<Uint8> header;
    put32(header, image.w), put32(header, image.h);
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no interlace
    chunk(png, "IHDR", header);
    chunk(png, "IDAT", zlib);
    chunk(png, "IEND", {});
    return png;
}

bool write_icon(const std::string &out_dir, Rgba &icon)
{
    std::string dir = out_dir + "/" + std::to_string(icon.w) + "x" + std::to_string(icon.h);
    mkdir(out_dir.c_str(), 0755);
    mkdir(dir.c_str(), 0755);
    dir += "/apps";
    mkdir(dir.c_str(), 0755);
    std::string path = dir + "/" + ICON_NAME;
    std::vector<Uint8> png = encode_png(icon);
    FILE *file = fopen(path.c_str(), "wb");
    bool written = file && fwrite(png.data(), 1, png.size(), file) == png.size();
    if (file && fclose(file) != 0)
        written = false;
    if (!written)
        printf("ERROR cannot write %s\n", path.c_str());
    return written;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 4) {
        printf("usage: %s <content dir> <skin name> <output dir>\n", argv[0]);
        return 2;
    }
    char skin_dir[256];
    snprintf(skin_dir, sizeof skin_dir, SKIN_PATH_FORMAT, argv[2]);
    Rgba frame;
    if (!read_frame(std::string(argv[1]) + "/" + skin_dir + SKIN_FILES[SKIN_PLAYER].name, frame))
        return 1;
    SDL_Rect square = figure_square(frame);
    for (int size : ICON_SIZES) {
        Rgba icon = scale(frame, square, size);
        if (!write_icon(argv[3], icon))
            return 1;
    }
    return 0;
}
