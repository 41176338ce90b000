// play_test_util.h: setting up real play for the rules and scenario tests: the shipped
// skin and texts in a scratch tree, small maps written on the spot, keys in SDL's queue.
#pragma once
#include "world.h"
#include "files.h"
#include "frame.h"
#include "test_support.h"
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace play_test {

const Uint32 UNBEATABLE = 1000000;   // a table score no test run reaches

inline void push_key(SDLKey sym)
{
    SDL_Event e = {};
    e.type = SDL_KEYDOWN;
    e.key.type = SDL_KEYDOWN;
    e.key.state = SDL_PRESSED;
    e.key.keysym.sym = sym;
    SDL_PushEvent(&e);
}

inline void push_keys(std::initializer_list<SDLKey> keys)
{
    for (SDLKey key : keys)
        push_key(key);
}

inline void drain_events()
{
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
    }
}

// Writes maps/<name>: `rows` from the top-left corner, walls everywhere else.
inline void write_map(const std::string &name, const std::vector<std::string> &rows)
{
    std::string text = "# " + name + "\n";
    for (int y = 0; y < MAP_ROWS; y++) {
        std::string row = y < (int)rows.size() ? rows[y] : "";
        row.resize(MAP_COLUMNS, '1');
        text += row + "\n";
    }
    write_file("maps/" + name, text);
}

inline void reset_game_state()
{
    lives = 0;
    score = 0;
    boost_reserve = 0;
    catch_interval = 1;
    catch_streak = 0;
    power_mode = 0;
    power_timer = 0;
    power_charges = START_STOCK;
    decoy_count = START_STOCK;
    decoy_timer = 0;
    think_tick = 0;
    message_frames = 0;
    level_index = 0;
    boost_flag = 0;
    frame_delay = 25;
    player = Actor();
    enemies.clear();
    map_list.clear();
    player_name[0] = 0;
    for (auto &entry : high_scores)
        entry = {"best", UNBEATABLE};
}

// The real content tree with the first skin and English texts, the test clock, seed 7.
inline void enter_play_tree()
{
    open_test_screen();
    enter_scratch_tree();
    skin_list.clear();
    read_list(SKIN_LIST_PATH, skin_list);
    language_list.clear();
    read_list(LANGUAGE_LIST_PATH, language_list);
    skin_index = 0;
    language_index = 1;
    load_skin();
    ASSERT_EQ(load_texts(), 0);
    FILE *menu = fopen(MENU_MAP_PATH, "r");
    ASSERT_NE(menu, nullptr);
    read_map(menu_map, menu);
    fclose(menu);
    reset_game_state();
    set_test_clock(1000, 1);
    set_test_seed(7);
    drain_events();
}

// Writes the maps, lists them and starts a new game on the first.
inline void start_game_on(const std::vector<std::pair<std::string, std::vector<std::string>>> &maps)
{
    for (const auto &m : maps) {
        write_map(m.first, m.second);
        map_list.push_back(m.first);
    }
    ASSERT_EQ(new_game(), 0);
    reset_frame_pacer();
}

} // namespace play_test
