// SPDX-License-Identifier: GPL-3.0-or-later
// main_menu_test.cpp: the main menu's box, highlight, wrap-around, item actions and exits,
// read from the screen or from the outcome.
#include <gtest/gtest.h>
#include "files.h"
#include "frame.h"
#include "test_skins.h"
#include "test_support.h"
#include "menus.h"
#include "world.h"

using namespace menu_test;

namespace {

// With the items "abcd" and TEXT_ITEM_HIGH_SCORES "abcdefghij" the box is 80 wide at x 472;
// items stand 20 pixels apart from TEXT_ITEM_NEW_GAME at y 314.
const int BOX_X = 472;
const int TOP = 314;
const int FRAME_X = BOX_X - 10;

void set_up_main_menu(Uint8 game_lives)
{
    set_up_menus();
    texts[TEXT_ITEM_CREDITS] = "abcdefghij";
    lives = game_lives;
}

int item_y(int item)
{
    return TOP + (item - TEXT_ITEM_NEW_GAME) * MENU_FONT_HEIGHT;
}

// The item whose row carries the grey bar, or -1 when there is no single one.
int highlighted_item()
{
    int found = -1;
    for (int item = TEXT_ITEM_CONTINUE; item <= TEXT_ITEM_QUIT; item++) {
        if (screen_pixel(BOX_X + 1, item_y(item) + 10) != grey())
            continue;
        if (found != -1)
            return -1;
        found = item;
    }
    return found;
}

// The red frame spans rows first..last at the frame's left edge, the maze outside it.
bool frame_spans(int first, int last)
{
    return screen_pixel(FRAME_X, first) == red() && screen_pixel(FRAME_X, first - 1) == wall_colour() &&
           screen_pixel(FRAME_X, last) == red() && screen_pixel(FRAME_X, last + 1) == wall_colour() &&
           screen_pixel(FRAME_X - 1, first) == wall_colour() && screen_pixel(BOX_X - 5, first + 5) == 0;
}

// TEXT_ITEM_CONTINUE "abcd" (pen at x 496) marks white columns from x 499 on its row when it is drawn.
bool continue_item_drawn()
{
    return screen_pixel(496 + MENU_GLYPH_MARK, item_y(TEXT_ITEM_CONTINUE) + 5) == white();
}

int expected_item = 0;
bool highlight_is_expected()
{
    return highlighted_item() == expected_item && frame_spans(item_y(TEXT_ITEM_CONTINUE - 1) - 10, item_y(TEXT_ITEM_QUIT + 1) + 9);
}

} // namespace

class MainMenu : public ::testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(MainMenu, WithoutAGameTheBoxHasEightRowsAndNewGameIsHighlighted)
{
    set_up_main_menu(0);
    EXPECT_EXIT(
        {
            check_at_exit([] {
                return frame_spans(item_y(TEXT_ITEM_CONTINUE - 1) - 10, item_y(TEXT_ITEM_QUIT + 1) + 9) &&
                       highlighted_item() == TEXT_ITEM_NEW_GAME && !continue_item_drawn();
            }, "box of 8 rows, cursor on New game, no Continue");
            push_key(SDLK_ESCAPE);
            main_menu();
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(MainMenu, WithAGameContinueIsShownHighlightedAndNotMeasured)
{
    set_up_main_menu(3);
    texts[TEXT_ITEM_CONTINUE] = "abcdefghijklmnopqrst";   // 160 wide: overhangs the 80-wide box
    EXPECT_EXIT(
        {
            check_at_exit([] {
                return frame_spans(item_y(TEXT_ITEM_CONTINUE - 2) - 10, item_y(TEXT_ITEM_QUIT + 1) + 9) &&
                       highlighted_item() == TEXT_ITEM_CONTINUE && screen_pixel(432 + MENU_GLYPH_MARK, item_y(TEXT_ITEM_CONTINUE) + 5) == white();
            }, "box of 9 rows, cursor on Continue, Continue overhanging");
            push_key(SDLK_ESCAPE);
            main_menu();
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(MainMenu, UpOnTheFirstItemGoesToQuitAndDownOnQuitComesBack)
{
    set_up_main_menu(0);
    expected_item = TEXT_ITEM_QUIT;
    EXPECT_EXIT(
        {
            check_at_exit(highlight_is_expected, "Up from New game highlights Quit");
            push_key(SDLK_UP);
            push_keys_when_waiting({SDLK_ESCAPE});
            main_menu();
        },
        ::testing::ExitedWithCode(0), "");
    expected_item = TEXT_ITEM_NEW_GAME;
    EXPECT_EXIT(
        {
            check_at_exit(highlight_is_expected, "Down from Quit highlights New game");
            push_key(SDLK_UP);
            push_keys_when_waiting({SDLK_DOWN, SDLK_ESCAPE});
            main_menu();
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(MainMenu, WithAGameUpOnContinueQuitsAndDownOnQuitContinues)
{
    set_up_main_menu(3);
    EXPECT_EXIT(
        {
            child_watchdog();
            push_key(SDLK_UP);
            push_key(SDLK_RETURN);
            main_menu();
        },
        ::testing::ExitedWithCode(0), "");
    push_key(SDLK_UP);
    push_key(SDLK_DOWN);
    push_key(SDLK_RETURN);
    main_menu();   // Continue: returns
    EXPECT_EQ(3, lives);
}

// A Return queued behind Up acts on Quit, not on a hidden Continue: the later keys that would
// start a game are never read.
TEST_F(MainMenu, QueuedUpThenReturnWithoutAGameQuits)
{
    set_up_main_menu(0);
    enter_tree_with_map();
    EXPECT_EXIT(
        {
            check_at_exit([] { return lives == 0; }, "no game was started or continued");
            push_key(SDLK_UP);
            push_key(SDLK_RETURN);
            push_key(SDLK_DOWN);
            push_key(SDLK_RETURN);
            main_menu();
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(MainMenu, EscapeQuitItemQuitEventAndAltF4EndTheProgram)
{
    set_up_main_menu(0);
    void (*const ways_out[])() = {
        [] { push_key(SDLK_ESCAPE); },
        [] { push_event_of_type(SDL_QUIT); },
        [] { push_key(SDLK_F4, KMOD_LALT); },
        [] { push_key(SDLK_F4, KMOD_RALT); },
        [] {                                    // Return on the Quit item
            for (int i = 0; i < 5; i++)
                push_key(SDLK_DOWN);
            push_key(SDLK_RETURN);
        },
    };
    for (size_t way = 0; way < sizeof ways_out / sizeof ways_out[0]; way++)
        EXPECT_EXIT({ child_watchdog(); ways_out[way](); main_menu(); },
                    ::testing::ExitedWithCode(0), "") << "way out " << way;
}

TEST_F(MainMenu, ContinueShowsThePlayScreenAndResetsThePacer)
{
    set_up_main_menu(2);
    for (int i = 0; i < MAP_CELLS; i++)
        level_map.cells[i] = CELL_FLOOR;
    frame_base = 1;
    frame_now = 2;
    push_key(SDLK_F4);       // F4 without Alt does nothing
    push_key(SDLK_RETURN);
    main_menu();
    EXPECT_EQ(2, lives);
    EXPECT_EQ(floor_colour(), screen_pixel(300, 300));
    EXPECT_EQ(frame_base, frame_now);
    drain_events();
}

// The keys queued behind New game are left for play, in their order: the menu would have
// quit on the Escape.
TEST_F(MainMenu, NewGameStartsTheFirstMapAndReturnsWithTheLaterKeysQueued)
{
    set_up_main_menu(0);
    enter_tree_with_map();
    push_key(SDLK_RETURN);
    push_key(SDLK_RIGHT);
    push_key(SDLK_ESCAPE);
    main_menu();
    EXPECT_EQ(START_LIVES, lives);
    EXPECT_EQ(1, player.cell_x);
    EXPECT_EQ(1, player.cell_y);
    for (SDLKey later : {SDLK_RIGHT, SDLK_ESCAPE}) {
        ASSERT_TRUE(poll_event(true));
        EXPECT_EQ(SDL_KEYDOWN, event.type);
        EXPECT_EQ(later, event.key.keysym.sym);
    }
    drain_events();
}

TEST_F(MainMenu, NewGameWithoutAPlayableMapStaysInTheMenu)
{
    set_up_main_menu(0);
    map_list.clear();
    expected_item = TEXT_ITEM_NEW_GAME;
    EXPECT_EXIT(
        {
            check_at_exit([] { return lives == 0 && highlight_is_expected(); },
                          "no game, menu redrawn on New game");
            push_key(SDLK_RETURN);
            push_keys_when_waiting({SDLK_ESCAPE});
            main_menu();
        },
        ::testing::ExitedWithCode(0), "");
}

// The key that ends an information screen is not seen by the menu (a Down would move the
// cursor if it were), and the menu is shown again, not the information screen.
TEST_F(MainMenu, AfterAnInformationScreenAnyKeyBringsTheMenuBackUnchanged)
{
    set_up_main_menu(0);
    for (int item = TEXT_ITEM_HIGH_SCORES; item <= TEXT_ITEM_LEGEND; item++) {
        expected_item = item;
        EXPECT_EXIT(
            {
                check_at_exit(highlight_is_expected, "menu back with the same item");
                for (int i = TEXT_ITEM_NEW_GAME; i < expected_item; i++)
                    push_key(SDLK_DOWN);
                // Return after the menu has settled, Down ends the information screen
                push_keys_when_waiting({SDLK_RETURN, SDLK_DOWN, SDLK_ESCAPE});
                main_menu();
            },
            ::testing::ExitedWithCode(0), "")
            << "item " << item;
    }
}

TEST_F(MainMenu, OptionsReturnToTheMenuOnTheOptionsItem)
{
    set_up_main_menu(0);
    expected_item = TEXT_ITEM_OPTIONS;
    EXPECT_EXIT(
        {
            check_at_exit(highlight_is_expected, "menu back on Options after the options");
            push_key(SDLK_DOWN);
            push_key(SDLK_RETURN);
            // leaves the options menu, then ends the program from the main menu
            push_keys_when_waiting({SDLK_ESCAPE, SDLK_ESCAPE});
            main_menu();
        },
        ::testing::ExitedWithCode(0), "");
}
