// message_box.cpp: the framed message box over the play screen, used by the pause and the
// per-frame rules, and the framed labels and panel frames of the menus, screens and entry.
#include "gfx.h"
#include "frame.h"
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
        SDL_FillRect(screen, &area, pixel);
}

// Red from (x, y), black inside a 5-pixel border, the text on the black. The outer
// rectangle, kept within the screen, goes to message_box_rect.
static void draw_framed_text(const char *text, int x, int y)
{
    int text_width = font_text_width(font, text);
    int text_height = font_height(font);
    int w = text_width + 2 * BORDER;
    int h = text_height + 2 * BORDER;
    message_box_rect = on_screen(x, y, w, h);
    fill(x, y, w, h, red_pixel());
    fill(x + BORDER, y + BORDER, text_width, text_height, 0);
    font_write(screen, font, x + BORDER, y + BORDER, text);
}

static int framed_left(const char *text)
{
    return (SCREEN_WIDTH - font_text_width(font, text)) / 2 - BORDER;
}

// Redraws the play screen, then the text in a box at the middle of the screen. No flip.
void show_message_box(const char *text)
{
    if (!text || !*text)
        return;
    draw_maze(level_map);
    draw_play_overlay();
    int top = (SCREEN_HEIGHT - font_height(font)) / 2 - BORDER;
    draw_framed_text(text, framed_left(text), top);
}

void draw_framed_label(const char *text, int top)
{
    if (!text || !*text)
        return;
    draw_framed_text(text, framed_left(text), top);
}

void draw_panel_frame(int x, int y, int w, int h)
{
    fill(x - PANEL_MARGIN, y - PANEL_MARGIN, w + 2 * PANEL_MARGIN, h + 2 * PANEL_MARGIN, red_pixel());
    fill(x - BORDER, y - BORDER, w + 2 * BORDER, h + 2 * BORDER, 0);
}
