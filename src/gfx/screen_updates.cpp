// SPDX-License-Identifier: GPL-3.0-or-later
// screen_updates.cpp: the record of what was drawn on `screen` since the last flip, so that a
// screen without a hardware double buffer (an X11 window always) is updated only where it
// changed: every blit, fill and glyph onto the screen goes through blit_noted or fill_noted.
#include "gfx.h"
#include "frame.h"
#include <cstdlib>

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

void show_screen()
{
    if ((screen->flags & SDL_DOUBLEBUF) == SDL_DOUBLEBUF)
        SDL_Flip(screen);
    else if (whole_noted)
        SDL_UpdateRect(screen, 0, 0, 0, 0);
    else if (noted_count > 0)
        SDL_UpdateRects(screen, noted_count, noted);
    reset_gfx_frame_state();
}
