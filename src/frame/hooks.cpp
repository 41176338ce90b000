// SPDX-License-Identifier: GPL-3.0-or-later
// hooks.cpp: the calls the world, the text entry and the menus make upward, connected to the
// graphics, the menus and the frame; none of them includes the headers of the layers above it.
#include "frame.h"
#include "gfx.h"
#include "menus.h"
#include "world.h"

// The cells under the message box drawn last, as before the box was drawn.
static void wipe_message_box()
{
    redraw_cells_in_rect(message_box_rect);
}

void connect_layers()
{
    screen_hooks.draw_cell = draw_cell;
    screen_hooks.draw_maze = draw_maze;
    screen_hooks.draw_play_overlay = draw_play_overlay;
    screen_hooks.show_message_box = show_message_box;
    screen_hooks.wipe_message_box = wipe_message_box;
    screen_hooks.show_run_summary = show_run_summary;
    screen_hooks.show_screen = show_screen;
    screen_hooks.wait_for_key = wait_for_key;
    screen_hooks.main_menu = main_menu;
    name_entry_hook = text_entry;
    event_waits.next_event = []() -> const SDL_Event * { return poll_event_or_rest() ? &event : nullptr; };
    event_waits.event_waiting = event_waiting;
    event_waits.quit_asked = [] { return quit_requested; };
    event_waits.is_quit_key = is_alt_f4;
    event_waits.request_quit = request_quit;
    event_waits.wait_for_focus = wait_for_focus;
    event_waits.reset_frame_pacer = reset_frame_pacer;
    event_waits.switch_display = switch_display;
}
