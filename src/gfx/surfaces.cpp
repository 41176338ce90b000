// SPDX-License-Identifier: GPL-3.0-or-later
// surfaces.cpp: bitmap loading, pixel access and sprite transforms; used by the font and the skin loader.
#include "gfx.h"
#include "files.h"
#include <cstdint>
#include <cstdio>
#include <cstdlib>

static const Uint32 NO_PIXEL = 0xFFFFFFFF;   // get_pixel's answer for an unknown pixel size

// Says that the bitmap at text_buffer could not be read.
static void report_unreadable_bitmap()
{
    printf("ERROR nacteni obrazku:%s\n", text_buffer);
}

// A colour mask SDL can convert from: one run of set bits inside the pixel's bits (at most 32).
static bool usable_mask(Uint32 mask, int bits)
{
    Uint64 pixel_bits = (Uint64(1) << bits) - 1;
    if (mask == 0 || mask > pixel_bits)
        return false;
    while (!(mask & 1))
        mask >>= 1;
    return (mask & (mask + 1)) == 0;
}

bool convertible_bitmap(const SDL_Surface *loaded)
{
    const SDL_PixelFormat *f = loaded->format;
    if (f->BitsPerPixel <= 8)
        return f->palette != nullptr;
    if (f->BitsPerPixel > 32)
        return false;
    const Uint32 bits = f->BitsPerPixel;
    return usable_mask(f->Rmask, bits) && usable_mask(f->Gmask, bits) && usable_mask(f->Bmask, bits)
        && !(f->Rmask & f->Gmask) && !(f->Rmask & f->Bmask) && !(f->Gmask & f->Bmask)
        && !(f->Amask & (f->Rmask | f->Gmask | f->Bmask));
}

long long bitmap_claimed_pixels(const Uint8 *data, size_t size)
{
    auto field = [&](size_t at, int bytes) {
        long long value = 0;
        for (int i = bytes - 1; i >= 0; i--)
            value = value << 8 | data[at + i];
        return bytes == 4 ? (long long)(int32_t)value : value;
    };
    if (size < 2 || data[0] != 'B' || data[1] != 'M')
        return 0;   // SDL refuses it at once
    const long long too_many = MAX_BITMAP_PIXELS + 1;
    if (size < 18)
        return too_many;
    bool old_header = field(14, 4) == 12;
    if (size < (old_header ? 22u : 26u))
        return too_many;
    long long w = std::llabs(old_header ? field(18, 2) : field(18, 4));
    long long h = std::llabs(old_header ? field(20, 2) : field(22, 4));
    if (w > MAX_BITMAP_SIDE || h > MAX_BITMAP_SIDE)
        return too_many;
    return w * h;
}

// Whether the file's header claims a size the game takes: read before SDL decodes it, which
// allocates the whole claimed picture first.
static bool size_allowed(const char *path)
{
    Uint8 header[26];
    FILE *file = fopen(path, "rb");
    if (!file)
        return true;   // SDL says it cannot be opened
    size_t got = fread(header, 1, sizeof header, file);
    fclose(file);
    return bitmap_claimed_pixels(header, got) <= MAX_BITMAP_PIXELS;
}

// Reads directory + file (composed into text_buffer) and converts it to the screen's format.
// A file that claims too large a picture, or cannot be opened, decoded or converted (also: no
// video mode yet) is reported
// and gives null; text_buffer then still names it.
SDL_Surface *read_bitmap(const char *directory, const char *file)
{
    snprintf(text_buffer, TEXT_BUFFER_SIZE, "%s%s", directory, file);
    SDL_RWops *stream = size_allowed(text_buffer) ? SDL_RWFromFile(text_buffer, "rb") : nullptr;
    SDL_Surface *loaded = stream ? SDL_LoadBMP_RW(stream, 1) : nullptr;
    if (loaded && !convertible_bitmap(loaded)) {
        SDL_FreeSurface(loaded);
        loaded = nullptr;
    }
    SDL_Surface *converted = loaded && SDL_GetVideoSurface() ? SDL_DisplayFormat(loaded) : nullptr;
    SDL_FreeSurface(loaded);
    if (!converted)
        report_unreadable_bitmap();
    return converted;
}

SDL_Surface *load_bitmap(const char *directory, const char *file)
{
    SDL_Surface *surface = read_bitmap(directory, file);
    if (!surface)
        exit(1);
    return surface;
}

// Pure green in the surface's own format: the transparent colour of sprites.
static Uint32 green_key(SDL_Surface *surface)
{
    return SDL_MapRGB(surface->format, SPRITE_KEY_RGB[0], SPRITE_KEY_RGB[1], SPRITE_KEY_RGB[2]);
}

SDL_Surface *read_keyed_bitmap(const char *directory, const char *file)
{
    SDL_Surface *surface = read_bitmap(directory, file);
    if (surface)
        SDL_SetColorKey(surface, SDL_SRCCOLORKEY | SDL_RLEACCEL, green_key(surface));
    return surface;
}

SDL_Surface *load_keyed_bitmap(const char *directory, const char *file)
{
    SDL_Surface *surface = read_keyed_bitmap(directory, file);
    if (!surface)
        exit(1);
    return surface;
}

static Uint8 *pixel_address(SDL_Surface *surface, int x, int y)
{
    return (Uint8 *)surface->pixels + y * surface->pitch + x * surface->format->BytesPerPixel;
}

// Reads the pixel at (x, y), which lies inside the surface; the value is in the surface's
// own format (three-byte pixels through the format's shifts).
Uint32 read_pixel(SDL_Surface *surface, int x, int y)
{
    const Uint8 *p = pixel_address(surface, x, y);
    const SDL_PixelFormat *format = surface->format;
    switch (format->BytesPerPixel) {
    case 1:
        return *p;
    case 2:
        return *(const Uint16 *)p;
    case 3:
        return SDL_MapRGB(surface->format, p[format->Rshift / 8], p[format->Gshift / 8],
                          p[format->Bshift / 8]);
    case 4:
        return *(const Uint32 *)p;
    default:
        return NO_PIXEL;
    }
}

// Reads one pixel in the surface's format; the caller has locked the surface if SDL needs it.
// A position outside the surface reads nothing and gives 0 (x outside also says so).
Uint32 get_pixel(SDL_Surface *surface, int x, int y)
{
    if (x < 0) {
        puts("x too small in GetPixel!");
        return 0;
    }
    if (x >= surface->w) {
        puts("x too big in GetPixel!");
        return 0;
    }
    if (y < 0 || y >= surface->h)
        return 0;
    return read_pixel(surface, x, y);
}

// Stores one pixel value; three-byte pixels are written low byte first. Positions outside
// the surface are ignored.
void put_pixel(SDL_Surface *surface, int x, int y, Uint32 pixel)
{
    if (x < 0 || x >= surface->w || y < 0 || y >= surface->h)
        return;
    Uint8 *p = pixel_address(surface, x, y);
    switch (surface->format->BytesPerPixel) {
    case 1:
        *p = (Uint8)pixel;
        break;
    case 2:
        *(Uint16 *)p = (Uint16)pixel;
        break;
    case 3:
        p[0] = pixel & 0xFF;
        p[1] = (pixel >> 8) & 0xFF;
        p[2] = (pixel >> 16) & 0xFF;
        break;
    case 4:
        *(Uint32 *)p = pixel;
        break;
    default:
        break;
    }
}

// A new surface of the source's size in the screen's format, keyed on green.
static SDL_Surface *new_frame_surface(SDL_Surface *source)
{
    const SDL_PixelFormat *format = screen->format;
    SDL_Surface *result =
        SDL_CreateRGBSurface(SDL_RLEACCEL, source->w, source->h, format->BitsPerPixel,
                             format->Rmask, format->Gmask, format->Bmask, format->Amask);
    if (!result) {
        printf("ERROR %s\n", SDL_GetError());
        exit(1);
    }
    SDL_SetColorKey(result, SDL_SRCCOLORKEY, green_key(result));
    return result;
}

// Copies every whole 32x32 frame of the source into a new surface, moving the pixel at
// frame column u, row v to the place that `place` gives.
static SDL_Surface *transform_frames(SDL_Surface *source,
                                     void (*place)(int u, int v, int &to_x, int &to_y))
{
    SDL_Surface *result = new_frame_surface(source);
    if (SDL_MUSTLOCK(source))
        SDL_LockSurface(source);
    if (SDL_MUSTLOCK(result))
        SDL_LockSurface(result);
    for (int frame = 0; frame < source->w / FRAME_SIZE; frame++) {
        int base = frame * FRAME_SIZE;
        for (int v = 0; v < FRAME_SIZE; v++)
            for (int u = 0; u < FRAME_SIZE; u++) {
                int to_x, to_y;
                place(u, v, to_x, to_y);
                put_pixel(result, base + to_x, to_y, get_pixel(source, base + u, v));
            }
    }
    if (SDL_MUSTLOCK(source))
        SDL_UnlockSurface(source);
    if (SDL_MUSTLOCK(result))
        SDL_UnlockSurface(result);
    return result;
}

static void turn_place(int u, int v, int &to_x, int &to_y)
{
    to_x = FRAME_SIZE - 1 - v;
    to_y = u;
}

static void mirror_place(int u, int v, int &to_x, int &to_y)
{
    to_x = FRAME_SIZE - 1 - u;
    to_y = v;
}

SDL_Surface *turn_frames(SDL_Surface *source)
{
    return transform_frames(source, turn_place);
}

SDL_Surface *mirror_frames(SDL_Surface *source)
{
    return transform_frames(source, mirror_place);
}
