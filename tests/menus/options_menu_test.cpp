// SPDX-License-Identifier: GPL-3.0-or-later
// options_menu_test.cpp: the options menu's limits, rows, name entry, box width and reloads.
#include <gtest/gtest.h>
#include <string>
#include "files.h"
#include "frame.h"
#include "gfx.h"
#include "test_skins.h"
#include "menus.h"
#include "test_support.h"

using namespace menu_test;

namespace {

// With rows "abcd", the skin "circuit" and the language "en" the widest measured row is the
// skin row "  abcd: circuit  ", 146 wide; rows stand 20 apart from the TEXT_OPTION_SPEED row at y 334, and the
// red frame starts 10 above the title row at 294.
const int TOP = 334;
const int FRAME_TOP = TOP - 2 * MENU_FONT_HEIGHT - 10;
const int SKIN_ROW_WIDTH = 146;

void press(SDLKey sym, int times = 1)
{
    for (int i = 0; i < times; i++)
        push_key(sym);
}

// The left edge of the red frame when the box is `width` wide.
bool frame_left_edge_at(int width)
{
    int x = (1024 - width) / 2 - 10;
    return screen_pixel(x, FRAME_TOP) == red() && screen_pixel(x - 1, FRAME_TOP) == wall_colour();
}

} // namespace

TEST(OptionsMenu, BoxTakesTheWidestRowOrTheMainMenuWidthAndArrowsFlankTheBar)
{
    set_up_menus();
    press(SDLK_ESCAPE);
    options_menu(80);
    EXPECT_TRUE(frame_left_edge_at(SKIN_ROW_WIDTH));
    int x = (1024 - SKIN_ROW_WIDTH) / 2;
    EXPECT_EQ(icon_colour(13), screen_pixel(x, TOP));                        // left arrow
    EXPECT_EQ(icon_colour(14), screen_pixel(x + SKIN_ROW_WIDTH - 15, TOP));  // right arrow
    EXPECT_EQ(grey(), screen_pixel(x + 16, TOP + 1));
    EXPECT_EQ(grey(), screen_pixel(x + SKIN_ROW_WIDTH - 16, TOP + 1));

    press(SDLK_ESCAPE);
    options_menu(300);
    EXPECT_TRUE(frame_left_edge_at(300));
}

TEST(OptionsMenu, SpeedStopsAtTheFastestAndSlowestFrame)
{
    set_up_menus();
    frame_delay = 22;
    press(SDLK_RIGHT, 4);
    press(SDLK_ESCAPE);
    options_menu(80);
    EXPECT_EQ(FASTEST_FRAME_DELAY, frame_delay);
    press(SDLK_LEFT, 9);
    press(SDLK_ESCAPE);
    options_menu(80);
    EXPECT_EQ(SLOWEST_FRAME_DELAY, frame_delay);
}

TEST(OptionsMenu, SkinAndLanguageStopAtTheEndsOfTheirLists)
{
    set_up_menus();
    skin_list = {"a", "b", "c"};
    language_list = {"x", "y"};
    press(SDLK_DOWN, 2);
    press(SDLK_LEFT);
    press(SDLK_ESCAPE);
    options_menu(80);
    EXPECT_EQ(0, skin_index);
    press(SDLK_DOWN, 2);
    press(SDLK_RIGHT, 5);
    press(SDLK_DOWN);
    press(SDLK_RIGHT, 3);
    press(SDLK_ESCAPE);
    options_menu(80);
    EXPECT_EQ(2, skin_index);
    EXPECT_EQ(1, language_index);
    press(SDLK_DOWN, 3);
    press(SDLK_LEFT, 4);
    press(SDLK_ESCAPE);
    options_menu(80);
    EXPECT_EQ(0, language_index);
}

// Up from the speed row reaches the rows below the apply row first: full screen, music and
// sound, whose values Left and Right change (the volumes held between 0 and MAX_VOLUME).
TEST(OptionsMenu, CursorWrapsAtBothEndsThroughTheLaterRows)
{
    set_up_menus();
    language_list = {"x", "y"};
    fullscreen = true;
    music_volume = 8;
    sound_volume = 1;
    press(SDLK_UP);
    press(SDLK_RIGHT);           // full screen off
    press(SDLK_UP);
    press(SDLK_RIGHT, 5);        // music up to the loudest
    press(SDLK_UP);
    press(SDLK_LEFT, 3);         // sound down to silence
    press(SDLK_UP, 2);           // past the apply row to the language row
    press(SDLK_RETURN);
    press(SDLK_RIGHT);
    press(SDLK_ESCAPE);
    options_menu(80);
    EXPECT_EQ(1, language_index);
    EXPECT_FALSE(fullscreen);
    EXPECT_EQ(MAX_VOLUME, music_volume);
    EXPECT_EQ(0, sound_volume);
    frame_delay = 25;
    press(SDLK_UP);
    press(SDLK_DOWN);
    press(SDLK_RETURN);
    press(SDLK_RIGHT);
    press(SDLK_ESCAPE);
    options_menu(80);
    EXPECT_EQ(24, frame_delay);
    EXPECT_STREQ("ab", player_name);
}

TEST(OptionsMenu, EscapeLeavesFromEveryRowButTheName)
{
    set_up_menus();
    for (int row : {TEXT_OPTION_SPEED, TEXT_OPTION_SKIN, TEXT_OPTION_LANGUAGE, TEXT_OPTION_APPLY}) {
        press(SDLK_DOWN, row - TEXT_OPTION_SPEED);
        press(SDLK_ESCAPE);
        options_menu(80);   // returns
    }
    EXPECT_STREQ("ab", player_name);
}

// Escape, Return, Left, Right and a letter all open the name entry on the name row; the
// entry then takes the keys up to its own Return.
TEST(OptionsMenu, AnyKeyOnTheNameRowOpensTheNameEntry)
{
    set_up_menus();
    for (SDLKey opener : {SDLK_ESCAPE, SDLK_RETURN, SDLK_LEFT, SDLK_RIGHT, SDLK_q}) {
        snprintf(player_name, NAME_SIZE, "ab");
        press(SDLK_DOWN);
        press(opener);
        press(SDLK_c);
        press(SDLK_RETURN);
        press(SDLK_UP);
        press(SDLK_ESCAPE);
        options_menu(80);
        EXPECT_STREQ("abc", player_name) << "opened by key " << opener;
    }
}

TEST(OptionsMenu, AltF4AndAQuitEventEndTheProgram)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    set_up_menus();
    EXPECT_EXIT(
        {
            child_watchdog();
            press(SDLK_DOWN);   // on the name row, too
            push_key(SDLK_F4, KMOD_LALT);
            options_menu(80);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT({ child_watchdog(); push_event_of_type(SDL_QUIT); options_menu(80); },
                ::testing::ExitedWithCode(0), "");
}

TEST(OptionsMenu, ALongerNameWidensTheBoxAndAShorterOneNeverNarrowsIt)
{
    set_up_menus();
    press(SDLK_DOWN);
    press(SDLK_x);
    for (int i = 0; i < 40; i++)
        press(SDLK_a);
    press(SDLK_RETURN);
    push_keys_when_waiting({SDLK_UP, SDLK_ESCAPE});   // after the redraw that follows the entry
    options_menu(80);
    // " abcd: ab" and 40 letters: 10 + 32 + 8 + 10 + 42 * 8 + 10
    EXPECT_TRUE(frame_left_edge_at(406));

    snprintf(player_name, NAME_SIZE, "%s", std::string(60, 'a').c_str());
    press(SDLK_DOWN);
    press(SDLK_x);
    for (int i = 0; i < 60; i++)
        press(SDLK_BACKSPACE);
    press(SDLK_RETURN);
    push_keys_when_waiting({SDLK_UP, SDLK_ESCAPE});
    options_menu(80);
    EXPECT_STREQ("", player_name);
    EXPECT_TRUE(frame_left_edge_at(10 + 32 + 8 + 10 + 60 * 8 + 10));
}

// Return on the last row loads the chosen skin and texts; Escape keeps the new indexes only.
TEST(OptionsMenu, ReturnOnTheApplyRowReloadsSkinAndTexts)
{
    set_up_menus();
    enter_scratch_tree();
    std::string lines;
    for (int i = 0; i < TEXT_COUNT; i++)
        lines += "t" + std::to_string(i) + "\n";
    write_file("data/texts/meadow_cs.txt", lines);
    skin_list = {"circuit", "meadow"};
    language_list = {"en", "cs"};
    snprintf(skin_path, sizeof skin_path, "unchanged");

    press(SDLK_DOWN, 2);
    press(SDLK_RIGHT);
    press(SDLK_DOWN);
    press(SDLK_RIGHT);
    press(SDLK_ESCAPE);
    options_menu(80);
    EXPECT_EQ(1, skin_index);
    EXPECT_EQ(1, language_index);
    EXPECT_STREQ("unchanged", skin_path);
    EXPECT_EQ("abcd", texts[TEXT_LEGEND_LIVES]);

    press(SDLK_UP, 4);   // the apply row, above the three later rows
    press(SDLK_RETURN);
    options_menu(80);
    EXPECT_STREQ("skins/meadow/", skin_path);
    EXPECT_EQ("t5", texts[TEXT_LEGEND_LIVES]);
}
