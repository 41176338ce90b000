// SPDX-License-Identifier: GPL-3.0-or-later
// text_entry_test.cpp: the name entry field: the keys it types, its limits, its labels on
// screen, and quit requests inside and outside the quit sequence.
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include "frame.h"
#include "gfx.h"
#include "test_skins.h"
#include "test_support.h"

using namespace menu_test;

namespace {

// The line centred on the screen with the 20-pixel font starts at y 374.
const int CENTRED_Y = 374;
const int TEXT_LABEL_TOP = CENTRED_Y - 5;
const int PROMPT_LABEL_TOP = CENTRED_Y - 55;

// The field's 256 bytes sit at the start of a larger buffer whose tail shows a stray write.
const int GUARDED_SIZE = 300;
const char GUARD = 0x7F;

void fill_guarded(char *buffer, const std::string &content)
{
    memset(buffer, GUARD, GUARDED_SIZE);
    memcpy(buffer, content.data(), content.size());
}

bool tail_untouched(const char *buffer)
{
    for (int i = 256; i < GUARDED_SIZE; i++)
        if (buffer[i] != GUARD)
            return false;
    return true;
}

// True when a framed label (red border, black inside) of the given text width has its top
// at `top`, centred on the screen over the menu maze.
bool label_at(int text_width, int top)
{
    int x = (1024 - text_width) / 2 - 5;
    return screen_pixel(x, top) == red() && screen_pixel(x - 1, top) == wall_colour() &&
           screen_pixel(x, top - 1) == wall_colour() && screen_pixel(x + 5, top + 5) == 0 &&
           screen_pixel(x + text_width + 9, top + MENU_FONT_HEIGHT + 9) == red() &&
           screen_pixel(x + text_width + 10, top) == wall_colour();
}

bool nothing_at(int top)
{
    return screen_pixel(512, top + 5) == wall_colour();
}

void type(const char *letters)
{
    for (const char *c = letters; *c; c++)
        push_key(static_cast<SDLKey>(*c));
}

} // namespace

TEST(TextEntry, LettersSwapYAndZAndOnlyShiftMakesCapitals)
{
    set_up_menus();
    char text[256] = "";
    type("ayz");
    push_key(SDLK_b, KMOD_LSHIFT);
    push_key(SDLK_y, KMOD_RSHIFT);
    push_key(SDLK_z, KMOD_LSHIFT);
    push_key(SDLK_c, KMOD_CAPS);
    push_key(SDLK_SPACE);
    push_key(SDLK_1);            // digits, punctuation, F4 and Escape type nothing
    push_key(SDLK_PERIOD);
    push_key(SDLK_F4);
    push_key(SDLK_ESCAPE);
    push_key(SDLK_d);
    push_key(SDLK_RETURN);
    push_key(SDLK_e);            // after Return: left for whoever reads next
    text_entry("prompt", text);
    EXPECT_STREQ("azyBZYc d", text);
    drain_events();
}

TEST(TextEntry, TypingGoesOnFromTheTextAndBackspaceStopsAtEmpty)
{
    set_up_menus();
    char text[256] = "ab";
    push_key(SDLK_c);
    for (int i = 0; i < 5; i++)
        push_key(SDLK_BACKSPACE);
    push_key(SDLK_q);
    push_key(SDLK_RETURN);
    text_entry("prompt", text);
    EXPECT_STREQ("q", text);

    push_key(SDLK_RETURN);
    char empty[256] = "";
    text_entry("prompt", empty);
    EXPECT_STREQ("", empty);
}

TEST(TextEntry, StaysWithinItsBufferAt255Characters)
{
    set_up_menus();
    char buffer[GUARDED_SIZE];
    fill_guarded(buffer, std::string(254, 'a') + '\0');
    type("bcd ");
    push_key(SDLK_RETURN);
    text_entry("prompt", buffer);
    EXPECT_EQ(255u, strlen(buffer));
    EXPECT_EQ('b', buffer[254]);
    EXPECT_TRUE(tail_untouched(buffer));

    // A text handed over without its terminating zero is cut to 255 characters.
    fill_guarded(buffer, std::string(256, 'a'));
    push_key(SDLK_BACKSPACE);
    push_key(SDLK_RETURN);
    text_entry("prompt", buffer);
    EXPECT_EQ(254u, strlen(buffer));
    EXPECT_TRUE(tail_untouched(buffer));
}

TEST(TextEntry, ShowsThePromptAboveTheTextTypedSoFar)
{
    set_up_menus();
    char text[256] = "";
    push_key(SDLK_RETURN);
    text_entry("abcd", text);
    EXPECT_TRUE(label_at(4 * MENU_GLYPH_ADVANCE, PROMPT_LABEL_TOP));
    EXPECT_TRUE(nothing_at(TEXT_LABEL_TOP)) << "an empty text has no label";

    type("ab");
    push_key(SDLK_SPACE);
    push_key(SDLK_RETURN);
    text_entry("abcd", text);
    EXPECT_TRUE(label_at(2 * MENU_GLYPH_ADVANCE + MENU_SPACE_ADVANCE, TEXT_LABEL_TOP));
    EXPECT_TRUE(label_at(4 * MENU_GLYPH_ADVANCE, PROMPT_LABEL_TOP));

    type("c");
    push_key(SDLK_RETURN);
    text_entry(nullptr, text);
    EXPECT_TRUE(label_at(3 * MENU_GLYPH_ADVANCE + MENU_SPACE_ADVANCE, TEXT_LABEL_TOP));
    EXPECT_TRUE(nothing_at(PROMPT_LABEL_TOP)) << "a null prompt has no label";
}

// Inside the quit sequence a quit request only notes itself: the field returns at once with
// what was typed, and the process goes on.
TEST(TextEntry, AQuitDuringTheQuitSequenceReturnsWithTheTextTypedSoFar)
{
    set_up_menus();
    quit_in_progress = true;
    char text[256] = "x";
    type("ab");
    push_event_of_type(SDL_QUIT);
    type("c");
    push_key(SDLK_RETURN);
    text_entry("prompt", text);
    EXPECT_STREQ("xab", text);
    EXPECT_TRUE(quit_requested);

    quit_requested = false;
    drain_events();
    type("d");
    push_key(SDLK_F4, KMOD_LALT);
    type("e");
    push_key(SDLK_RETURN);
    text_entry("prompt", text);
    EXPECT_STREQ("xabd", text);
    EXPECT_TRUE(quit_requested);

    // A quit while the focus is away ends the focus wait, and the field with it.
    quit_requested = false;
    drain_events();
    push_focus(0);
    push_event_of_type(SDL_QUIT);
    type("f");
    push_key(SDLK_RETURN);
    text_entry("prompt", text);
    EXPECT_STREQ("xabd", text);
    EXPECT_TRUE(quit_requested);
    drain_events();
}

TEST(TextEntry, AQuitOutsideTheQuitSequenceEndsTheProgram)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    set_up_menus();
    char text[256] = "";
    EXPECT_EXIT(
        {
            child_watchdog();
            type("ab");
            push_event_of_type(SDL_QUIT);
            text_entry("prompt", text);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(
        {
            child_watchdog();
            push_key(SDLK_F4, KMOD_RALT);
            text_entry("prompt", text);
        },
        ::testing::ExitedWithCode(0), "");
}
