// SPDX-License-Identifier: GPL-3.0-or-later
// message_box.cpp: the framed message box over the play screen, used by the pause and the
// per-frame rules, and the framed labels and panel frames of the menus, screens and entry.
#include "gfx.h"
#include "files.h"
#include "world.h"

SDL_Rect message_box_rect;

static const int BORDER = 5;           // the red border's width
static const int PANEL_MARGIN = 10;    // a panel frame's outer edge from its box

// The part of (x, y, w, h) that lies on the screen; empty when nothing does.
static SDL_Rect on_screen(int x, int y, int w, int h)
{
    int left = x > 0 ? x : 0;
    int top = y > 0 ? y : 0;
    int right = x + w < SCREEN_WIDTH ? x + w : SCREEN_WIDTH;
    int bottom = y + h < SCREEN_HEIGHT ? y + h : SCREEN_HEIGHT;
    if (right <= left || bottom <= top)
        return SDL_Rect{0, 0, 0, 0};
    return SDL_Rect{Sint16(left), Sint16(top), Uint16(right - left), Uint16(bottom - top)};
}

Uint32 red_pixel()
{
    return SDL_MapRGB(screen->format, 255, 0, 0);
}

static void fill(int x, int y, int w, int h, Uint32 pixel)
{
    SDL_Rect area = on_screen(x, y, w, h);
    if (area.w > 0)
        fill_noted(screen, &area, pixel);
}

// The text centred across the screen, in a 5-pixel border, with its top at top.
Area framed_label_area(const char *text, int top)
{
    int text_width = font_text_width(font, text);
    return Area{(SCREEN_WIDTH - text_width) / 2 - BORDER, top, text_width + 2 * BORDER,
                font_height(font) + 2 * BORDER};
}

Area message_box_area(const char *text)
{
    return framed_label_area(text, (SCREEN_HEIGHT - font_height(font)) / 2 - BORDER);
}

Area panel_frame_area(int x, int y, int w, int h)
{
    return Area{x - PANEL_MARGIN, y - PANEL_MARGIN, w + 2 * PANEL_MARGIN, h + 2 * PANEL_MARGIN};
}

bool area_on_screen(const Area &area)
{
    return area.x >= 0 && area.y >= 0 && area.x + area.w <= SCREEN_WIDTH
        && area.y + area.h <= SCREEN_HEIGHT;
}

// Red over the area, black inside a 5-pixel border, the text on the black. The outer
// rectangle, kept within the screen, goes to message_box_rect.
static void draw_framed_text(const char *text, const Area &area)
{
    message_box_rect = on_screen(area.x, area.y, area.w, area.h);
    fill(area.x, area.y, area.w, area.h, red_pixel());
    fill(area.x + BORDER, area.y + BORDER, area.w - 2 * BORDER, area.h - 2 * BORDER, 0);
    font_write(screen, font, area.x + BORDER, area.y + BORDER, text);
}

// Redraws the play screen, then the text in a box at the middle of the screen. No flip.
void show_message_box(const char *text)
{
    if (!text || !*text)
        return;
    draw_maze(level_map);
    draw_play_overlay();
    draw_framed_text(text, message_box_area(text));
}

void draw_framed_label(const char *text, int top)
{
    if (!text || !*text)
        return;
    draw_framed_text(text, framed_label_area(text, top));
}

void draw_panel_frame(int x, int y, int w, int h)
{
    Area outer = panel_frame_area(x, y, w, h);
    fill(outer.x, outer.y, outer.w, outer.h, red_pixel());
    fill(x - BORDER, y - BORDER, w + 2 * BORDER, h + 2 * BORDER, 0);
}
