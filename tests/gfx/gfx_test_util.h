// gfx_test_util.h: small surface helpers shared by the graphics tests.
#pragma once
#include <SDL.h>
#include <string>
#include <vector>
#include "frame.h"
#include "gfx.h"

// A new surface of the given size in the screen's pixel format, filled with `pixel`.
inline SDL_Surface *screen_format_surface(int w, int h, Uint32 pixel = 0)
{
    const SDL_PixelFormat *f = screen->format;
    SDL_Surface *s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, f->BitsPerPixel, f->Rmask,
                                          f->Gmask, f->Bmask, f->Amask);
    SDL_FillRect(s, nullptr, pixel);
    return s;
}

// Reads a pixel with the surface locked (keyed sprites may be RLE-encoded).
inline Uint32 read_pixel(SDL_Surface *s, int x, int y)
{
    SDL_LockSurface(s);
    Uint32 p = get_pixel(s, x, y);
    SDL_UnlockSurface(s);
    return p;
}

// Every pixel of the surface, row by row.
inline std::vector<Uint32> all_pixels(SDL_Surface *s)
{
    std::vector<Uint32> pixels;
    SDL_LockSurface(s);
    for (int y = 0; y < s->h; y++)
        for (int x = 0; x < s->w; x++)
            pixels.push_back(get_pixel(s, x, y));
    SDL_UnlockSurface(s);
    return pixels;
}

// Fills the rectangle of the surface with one pixel value.
inline void fill_area(SDL_Surface *s, int x, int y, int w, int h, Uint32 pixel)
{
    SDL_Rect r = {(Sint16)x, (Sint16)y, (Uint16)w, (Uint16)h};
    SDL_FillRect(s, &r, pixel);
}
