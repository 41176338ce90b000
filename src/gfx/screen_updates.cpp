// SPDX-License-Identifier: GPL-3.0-or-later
// screen_updates.cpp: the record of what was drawn on `screen` since the last flip, so that a
// screen without a hardware double buffer (an X11 window always) is updated only where it
// changed: every blit, fill and glyph onto the screen goes through blit_noted or fill_noted,
// and of the drawn areas only the pixels that differ from the picture shown are updated.
#include "gfx.h"
#include <cstdlib>
#include <algorithm>
#include <cstring>

SDL_Surface *screen = nullptr;
bool compare_shown_picture = true;

namespace {

// Drawn areas are compared with the shown picture in bands of at most this many rows (a
// row of cells), each giving one area around its changed pixels: a maze drawn whole with a
// few sprites moved updates those sprites' rows, not everything between them.
const int COMPARED_BAND_ROWS = 32;
// Changed areas whose joint rectangle holds at most this many pixels more than the two do
// are updated as one: a request less costs more than converting a few pixels more.
const int MERGE_SLACK_PIXELS = 1024;
// Beyond this many changed areas in one flip the whole screen is updated.
const int MOST_UPDATED_AREAS = 256;

// ---------- Run state: from one video mode to the next (forget_shown_picture) ----------
// A copy of the picture the display shows (what the last updates sent), in the screen's
// format; null, or not `shown_valid`, when the display's picture is not known.
SDL_Surface *shown = nullptr;
bool shown_valid = false;

// ---------- Scratch of one flip: the changed areas update_changes sends ----------
SDL_Rect updated[MOST_UPDATED_AREAS];
int updated_count = 0;

} // namespace

// ---------- Frame state (gfx.h): from one flip to the next ----------
SDL_Rect noted[MOST_NOTED_AREAS];
int noted_count = 0;
bool whole_noted = false;

void reset_gfx_frame_state()
{
    noted_count = 0;
    whole_noted = false;
}

namespace {

// Whether b lies inside a.
bool contains(const SDL_Rect &a, const SDL_Rect &b)
{
    return b.x >= a.x && b.y >= a.y && b.x + b.w <= a.x + a.w && b.y + b.h <= a.y + a.h;
}

} // namespace

void note_drawn(const SDL_Rect &area)
{
    if (whole_noted || !screen)
        return;
    int left = area.x < 0 ? 0 : area.x, top = area.y < 0 ? 0 : area.y;
    int right = area.x + area.w > screen->w ? screen->w : area.x + area.w;
    int bottom = area.y + area.h > screen->h ? screen->h : area.y + area.h;
    if (right <= left || bottom <= top)
        return;
    SDL_Rect r = {Sint16(left), Sint16(top), Uint16(right - left), Uint16(bottom - top)};
    if (noted_count > 0) {
        SDL_Rect &last = noted[noted_count - 1];
        if (contains(last, r))
            return;
        // a line of glyphs or cells: the next one on the same band widens the last area
        if (r.y == last.y && r.h == last.h && r.x >= last.x && r.x <= last.x + last.w) {
            if (r.x + r.w > last.x + last.w)
                last.w = Uint16(r.x + r.w - last.x);
            return;
        }
    }
    if (noted_count == MOST_NOTED_AREAS) {
        note_whole_screen();
        return;
    }
    noted[noted_count++] = r;
}

void note_whole_screen()
{
    whole_noted = true;
    noted_count = 0;
}

int blit_noted(SDL_Surface *source, SDL_Rect *source_rect, SDL_Surface *target, SDL_Rect *target_rect)
{
    int result = SDL_UpperBlit(source, source_rect, target, target_rect);
    if (target == screen && result == 0) {
        if (target_rect)
            note_drawn(*target_rect);   // SDL leaves the clipped area it drew there
        else
            note_whole_screen();
    }
    return result;
}

int fill_noted(SDL_Surface *target, SDL_Rect *area, Uint32 pixel)
{
    if (target == screen) {
        if (area)
            note_drawn(*area);
        else
            note_whole_screen();
    }
    return SDL_FillRect(target, area, pixel);
}

void forget_shown_picture()
{
    shown_valid = false;
}

namespace {

// Whether the shown copy is the display's picture in the present screen's size and format.
bool shown_fits()
{
    if (!shown || !shown_valid)
        return false;
    const SDL_PixelFormat &a = *shown->format, &b = *screen->format;
    return shown->w == screen->w && shown->h == screen->h && a.BitsPerPixel == b.BitsPerPixel &&
           a.Rmask == b.Rmask && a.Gmask == b.Gmask && a.Bmask == b.Bmask;
}

Uint8 *pixel_at(SDL_Surface *surface, int x, int y)
{
    return static_cast<Uint8 *>(surface->pixels) + y * surface->pitch + x * surface->format->BytesPerPixel;
}

// Copies an area of the screen into the shown copy, byte for byte (both have its format).
void keep_shown(const SDL_Rect &area)
{
    size_t bytes = size_t(area.w) * screen->format->BytesPerPixel;
    for (int y = area.y; y < area.y + area.h; y++)
        memcpy(pixel_at(shown, area.x, y), pixel_at(screen, area.x, y), bytes);
}

// The whole screen goes to the display, and its copy is taken afresh (in a new size or
// format when the video mode changed).
void update_whole_screen()
{
    if (!shown_fits()) {
        if (shown)
            SDL_FreeSurface(shown);
        const SDL_PixelFormat &f = *screen->format;
        shown = SDL_CreateRGBSurface(SDL_SWSURFACE, screen->w, screen->h, f.BitsPerPixel,
                                     f.Rmask, f.Gmask, f.Bmask, f.Amask);
    }
    if (shown && SDL_LockSurface(screen) == 0) {
        keep_shown(SDL_Rect{0, 0, Uint16(screen->w), Uint16(screen->h)});
        SDL_UnlockSurface(screen);
        shown_valid = true;
    } else {
        shown_valid = false;
    }
    SDL_UpdateRect(screen, 0, 0, 0, 0);
}

// The smallest rectangle of `area` holding every pixel in which the screen differs from
// the shown copy; w 0 when none does.
SDL_Rect changed_part(const SDL_Rect &area)
{
    const int bpp = screen->format->BytesPerPixel;
    const size_t bytes = size_t(area.w) * bpp;
    int left = area.x + area.w, right = area.x, top = -1, bottom = -1;
    for (int y = area.y; y < area.y + area.h; y++) {
        const Uint8 *now = pixel_at(screen, area.x, y), *was = pixel_at(shown, area.x, y);
        if (memcmp(now, was, bytes) == 0)
            continue;
        size_t first = 0, last = bytes - 1;
        while (now[first] == was[first])
            first++;
        while (now[last] == was[last])
            last--;
        left = std::min(left, area.x + int(first) / bpp);
        right = std::max(right, area.x + int(last) / bpp + 1);
        if (top < 0)
            top = y;
        bottom = y + 1;
    }
    if (top < 0)
        return SDL_Rect{0, 0, 0, 0};
    return SDL_Rect{Sint16(left), Sint16(top), Uint16(right - left), Uint16(bottom - top)};
}

long long pixels_of(const SDL_Rect &r)
{
    return (long long)r.w * r.h;
}

SDL_Rect joined(const SDL_Rect &a, const SDL_Rect &b)
{
    int left = std::min(a.x, b.x), top = std::min(a.y, b.y);
    int right = std::max(a.x + a.w, b.x + b.w), bottom = std::max(a.y + a.h, b.y + b.h);
    return SDL_Rect{Sint16(left), Sint16(top), Uint16(right - left), Uint16(bottom - top)};
}

// Adds a changed area to the update, joined with one already there when that converts few
// more pixels; false when the update is full.
bool add_update(const SDL_Rect &area)
{
    for (int i = 0; i < updated_count; i++) {
        SDL_Rect both = joined(updated[i], area);
        if (pixels_of(both) <= pixels_of(updated[i]) + pixels_of(area) + MERGE_SLACK_PIXELS) {
            updated[i] = both;
            return true;
        }
    }
    if (updated_count == MOST_UPDATED_AREAS)
        return false;
    updated[updated_count++] = area;
    return true;
}

// Collects in `updated` the changed parts of the drawn area, band by band, and takes them
// into the shown copy at once, so that a later drawn area over the same pixels finds them
// shown; false when there are too many to list.
bool collect_changes(const SDL_Rect &area)
{
    for (int top = area.y; top < area.y + area.h;) {
        int band_end = (top / COMPARED_BAND_ROWS + 1) * COMPARED_BAND_ROWS;
        int bottom = std::min(band_end, area.y + area.h);
        SDL_Rect changed = changed_part(SDL_Rect{area.x, Sint16(top), area.w, Uint16(bottom - top)});
        if (changed.w > 0) {
            keep_shown(changed);
            if (!add_update(changed))
                return false;
        }
        top = bottom;
    }
    return true;
}

// Updates the display where the drawn areas differ from what it shows.
void update_changes()
{
    if (SDL_LockSurface(screen) != 0) {
        update_whole_screen();
        return;
    }
    updated_count = 0;
    const SDL_Rect whole = {0, 0, Uint16(screen->w), Uint16(screen->h)};
    bool listed = true;
    for (int i = 0; listed && i < (whole_noted ? 1 : noted_count); i++)
        listed = collect_changes(whole_noted ? whole : noted[i]);
    SDL_UnlockSurface(screen);
    if (!listed)
        update_whole_screen();
    else if (updated_count > 0)
        SDL_UpdateRects(screen, updated_count, updated);
}

// Sends every noted area as drawn, without comparing.
void update_noted()
{
    if (whole_noted)
        SDL_UpdateRect(screen, 0, 0, 0, 0);
    else if (noted_count > 0)
        SDL_UpdateRects(screen, noted_count, noted);
}

} // namespace

void show_screen()
{
    if ((screen->flags & SDL_DOUBLEBUF) == SDL_DOUBLEBUF)
        SDL_Flip(screen);
    else if (!compare_shown_picture)
        update_noted();
    else if (!shown_fits())
        update_whole_screen();
    else if (whole_noted || noted_count > 0)
        update_changes();
    reset_gfx_frame_state();
}
