// menu_test_util.cpp: the synthetic look and key helpers of menu_test_util.h.
#include "menu_test_util.h"
#include "files.h"
#include "frame.h"
#include "gfx.h"
#include "gfx/gfx_test_util.h"
#include "test_support.h"
#include "world.h"
#include <chrono>
#include <cstdio>
#include <thread>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace menu_test {

Uint32 wall_colour() { return SDL_MapRGB(screen->format, 0, 0, 200); }
Uint32 floor_colour() { return SDL_MapRGB(screen->format, 0, 120, 0); }
Uint32 white() { return SDL_MapRGB(screen->format, 255, 255, 255); }
Uint32 grey() { return SDL_MapRGB(screen->format, 128, 128, 128); }
Uint32 red() { return SDL_MapRGB(screen->format, 255, 0, 0); }
Uint32 icon_colour(int n) { return SDL_MapRGB(screen->format, 40 + 16 * n, 200, 40); }

namespace {

// 125 one-pixel markers 9 pixels apart; glyph g's picture is a white column at 9g + 4.
BitmapFont *make_font()
{
    const int period = GLYPH_ADVANCE + 1;
    SDL_Surface *sheet = screen_format_surface(FONT_GLYPHS * period + 1, FONT_HEIGHT + 1, 0);
    Uint32 magenta = SDL_MapRGB(screen->format, 255, 0, 255);
    for (int m = 0; m <= FONT_GLYPHS; m++)
        fill_area(sheet, m * period, 0, 1, 1, magenta);
    for (int g = 0; g < FONT_GLYPHS; g++)
        fill_area(sheet, g * period + GLYPH_MARK + 1, 1, 1, FONT_HEIGHT, white());
    return font_init(sheet);
}

void set_up_sprites()
{
    for (int i = 0; i < 6; i++)
        tile_sprites[i] = screen_format_surface(32, 32, SDL_MapRGB(screen->format, 90, 90, 20 * i));
    tile_sprites[CELL_WALL] = screen_format_surface(32, 32, wall_colour());
    tile_sprites[CELL_FLOOR] = screen_format_surface(32, 32, floor_colour());
    tile_sprites[CELL_POWER] = screen_format_surface(32, 32, icon_colour(1));
    tile_sprites[CELL_DECOY] = screen_format_surface(32, 32, icon_colour(2));
    tile_sprites[CELL_LIFE] = screen_format_surface(32, 32, icon_colour(9));
    boost_icon = screen_format_surface(32, 32, icon_colour(0));
    knot_icon = screen_format_surface(32, 32, icon_colour(3));
    life_icon = screen_format_surface(32, 32, icon_colour(4));
    dots_icon = screen_format_surface(32, 32, icon_colour(8));
    teleport_sprite = screen_format_surface(32, 32, icon_colour(10));
    death_sprite = screen_format_surface(32, 32, icon_colour(11));
    decoy_sprite = screen_format_surface(32, 32, icon_colour(12));
    for (int d = 1; d <= 4; d++) {
        player_sprites[d] = screen_format_surface(64, 32, icon_colour(5));
        player_power_sprites[d] = screen_format_surface(64, 32, icon_colour(6));
        enemy_sprites[d] = screen_format_surface(32, 32, icon_colour(7));
    }
    arrow_left_sprite = screen_format_surface(15, 27, icon_colour(13));
    arrow_right_sprite = screen_format_surface(15, 27, icon_colour(14));
    actor_frame_rect = SDL_Rect{0, 0, 32, 32};
}

Uint32 push_later(Uint32, void *param)
{
    SDL_Event *pushed = static_cast<SDL_Event *>(param);
    SDL_PushEvent(pushed);
    delete pushed;
    return 0;
}

bool (*exit_check)() = nullptr;
const char *exit_check_name = "";

void run_exit_check()
{
    if (exit_check && !exit_check()) {
        fprintf(stderr, "exit check failed: %s\n", exit_check_name);
        _exit(3);
    }
}

SDL_Event key_event(SDLKey sym, SDLMod mod)
{
    SDL_Event e = {};
    e.type = SDL_KEYDOWN;
    e.key.type = SDL_KEYDOWN;
    e.key.state = SDL_PRESSED;
    e.key.keysym.sym = sym;
    e.key.keysym.mod = mod;
    return e;
}

} // namespace

void set_up_menus()
{
    open_test_screen();
    font = make_font();   // each test its own; a skin load elsewhere may free it
    set_up_sprites();
    for (int i = 0; i < TEXT_COUNT; i++)
        texts[i] = "abcd";
    for (int i = 0; i < MAP_CELLS; i++)
        menu_map.cells[i] = CELL_WALL;
    lives = 0;
    frame_delay = 25;
    skin_list = {"circuit"};
    language_list = {"en"};
    skin_index = 0;
    language_index = 0;
    snprintf(player_name, NAME_SIZE, "ab");
    quit_in_progress = false;
    quit_requested = false;
    SDL_FillRect(screen, nullptr, 0);
    drain_events();
}

Uint32 pixel(int x, int y)
{
    return read_pixel(screen, x, y);
}

int width_of(const char *text)
{
    return font_text_width(font, text);
}

void drain_events()
{
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
    }
}

void push_key(SDLKey sym, SDLMod mod)
{
    SDL_Event e = key_event(sym, mod);
    SDL_PushEvent(&e);
}

void push_key_later(Uint32 ms, SDLKey sym)
{
    SDL_AddTimer(ms, push_later, new SDL_Event(key_event(sym, KMOD_NONE)));
}

void push_quit()
{
    SDL_Event e = {};
    e.type = SDL_QUIT;
    SDL_PushEvent(&e);
}

void push_focus(Uint8 gain)
{
    SDL_Event e = {};
    e.type = SDL_ACTIVEEVENT;
    e.active.gain = gain;
    e.active.state = SDL_APPINPUTFOCUS;
    SDL_PushEvent(&e);
}

void enter_tree_with_map()
{
    enter_scratch_tree(false);
    std::string map;
    for (int y = 0; y < MAP_ROWS; y++) {
        for (int x = 0; x < MAP_COLUMNS; x++) {
            bool border = x == 0 || y == 0 || x == MAP_COLUMNS - 1 || y == MAP_ROWS - 1;
            map += border ? '1' : (x == 1 && y == 1 ? '3' : (x == 5 && y == 5 ? '0' : '2'));
        }
        map += '\n';
    }
    mkdir("maps", 0755);
    write_file("maps/test.txt", map);
    map_list = {"test.txt"};
}

void child_watchdog()
{
    std::thread([] {
        std::this_thread::sleep_for(std::chrono::seconds(10));
        fprintf(stderr, "still running after ten seconds\n");
        _exit(4);
    }).detach();
}

void check_at_exit(bool (*check)(), const char *what)
{
    child_watchdog();
    exit_check = check;
    exit_check_name = what;
    atexit(run_exit_check);
}

} // namespace menu_test
