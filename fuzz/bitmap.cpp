// SPDX-License-Identifier: GPL-3.0-or-later
// bitmap.cpp: fuzz target for bitmap loading through the game's loader and sprite transforms.
#include "fuzz_support.h"
#include "frame.h"
#include "gfx.h"

// The transforms walk 32 rows of every frame whatever the height: a wide strip costs them
// far more than its pixels, so only strips up to 32 frames go through them.
static const int MAX_TRANSFORM_WIDTH = 32 * FRAME_SIZE;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    enter_fuzz_tree();
    open_fuzz_screen();
    if (!write_bitmap_input("data/input.bmp", data, size))
        return 0;
    SDL_Surface *plain = read_bitmap("data/", "input.bmp");
    SDL_Surface *keyed = read_keyed_bitmap("data/", "input.bmp");
    require((plain != nullptr) == (keyed != nullptr), "both loaders agree");
    require(!plain || bitmap_claimed_pixels(data, size) <= MAX_BITMAP_PIXELS, "too large refused");
    if (!plain)
        return 0;
    if (keyed->w > MAX_TRANSFORM_WIDTH) {
        SDL_FreeSurface(plain);
        SDL_FreeSurface(keyed);
        return 0;
    }
    SDL_Surface *turned = turn_frames(keyed);
    SDL_Surface *mirrored = mirror_frames(turned);
    require(turned->w == keyed->w && mirrored->h == keyed->h, "transforms keep the size");
    SDL_BlitSurface(mirrored, nullptr, screen, nullptr);
    for (SDL_Surface *surface : {plain, keyed, turned, mirrored})
        SDL_FreeSurface(surface);
    return 0;
}
