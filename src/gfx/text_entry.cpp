// SPDX-License-Identifier: GPL-3.0-or-later
// text_entry.cpp: the modal one-line name entry over the menu background; called by the
// options menu's name row and by the high-score entry.
#include "gfx.h"
#include "world.h"
#include <cstring>

EventWaits event_waits = {};

namespace {

const int TEXT_LIMIT = 255;        // characters; the caller's buffer holds TEXT_LIMIT + 1 bytes
const int TEXT_LABEL_RAISE = 5;    // the text's label top above the centred line
const int PROMPT_LABEL_RAISE = 55; // the prompt's label top above the centred line

// The y at which a line of the font stands centred on the screen.
int centred_line_y()
{
    return (SCREEN_HEIGHT - font_height(font)) / 2;
}

void draw_prompt(const char *prompt)
{
    if (prompt && prompt[0])
        draw_framed_label(prompt, centred_line_y() - PROMPT_LABEL_RAISE);
}

// The menu background, the text typed so far and the prompt, then a flip.
void draw_field(const char *prompt, const char *text)
{
    draw_maze(menu_map);
    if (text[0])
        draw_framed_label(text, centred_line_y() - TEXT_LABEL_RAISE);
    draw_prompt(prompt);
    show_screen();
}

// The letter a letter key types: y and z trade places (the Czech keyboard's layout), and
// either Shift key gives the capital; Caps Lock is not looked at. The modifiers are taken as
// a plain number, as wide as the keysym's field is on each SDL.
char typed_letter(SDLKey sym, unsigned mod)
{
    char letter = static_cast<char>(sym);
    if (sym == SDLK_y)
        letter = 'z';
    else if (sym == SDLK_z)
        letter = 'y';
    if (mod & KMOD_SHIFT)
        letter = static_cast<char>(letter - 'a' + 'A');
    return letter;
}

// Applies one key press to the text of the given length; returns the new length. A character
// typed at the limit lands on the terminating zero's place and is overwritten by it.
int apply_key(const SDL_keysym &key, char *text, int length)
{
    if (key.sym >= SDLK_a && key.sym <= SDLK_z)
        text[length++] = typed_letter(key.sym, key.mod);
    else if (key.sym == SDLK_SPACE)
        text[length++] = ' ';
    else if (key.sym == SDLK_BACKSPACE)
        --length;
    if (length < 0)
        length = 0;
    if (length > TEXT_LIMIT)
        length = TEXT_LIMIT;
    text[length] = '\0';
    return length;
}

} // namespace

// Reads the events through event_waits; returns at once, keeping what was typed, when a
// quit arrives during the quit sequence.
void text_entry(const char *prompt, char *text)
{
    int length = static_cast<int>(strnlen(text, TEXT_LIMIT));
    text[length] = '\0';
    draw_field(prompt, text);
    while (!event_waits.quit_asked()) {
        const SDL_Event *e = event_waits.next_event();
        if (!e)
            continue;
        if (e->type == SDL_QUIT || event_waits.is_quit_key(*e)) {
            event_waits.request_quit();
        } else if (e->type == SDL_KEYDOWN) {
            length = apply_key(e->key.keysym, text, length);
            draw_field(prompt, text);
            if (e->key.keysym.sym == SDLK_RETURN)
                break;
        } else if (e->type == SDL_ACTIVEEVENT && e->active.gain == 0) {
            event_waits.wait_for_focus();
            draw_maze(menu_map);
            draw_prompt(prompt);
            show_screen();
        }
    }
    event_waits.reset_frame_pacer();
}
