// SPDX-License-Identifier: GPL-3.0-or-later
// message_box_test.cpp: the framed message box, framed labels and panel frames, drawn with
// the stand-in skin so that their rectangles and text can be read back from the screen.
#include <gtest/gtest.h>
#include "test_skins.h"
#include "test_support.h"
#include "files.h"
#include "frame.h"
#include "gfx.h"
#include "world.h"

static void clear_play_state()
{
    reset_run_state();
    reset_level_state();
    lives = 1;
    player.rect = SDL_Rect{0, 320, 32, 32};
}

static void expect_rect(const SDL_Rect &r, int x, int y, int w, int h)
{
    EXPECT_EQ(r.x, x);
    EXPECT_EQ(r.y, y);
    EXPECT_EQ(r.w, w);
    EXPECT_EQ(r.h, h);
}

// Every test draws with the stand-in skin on a quiet play state.
class MessageBox : public testing::Test {
protected:
    void SetUp() override
    {
        install_synthetic_skin();
        clear_play_state();
    }
    void TearDown() override { restore_real_skin(); }
};
using FramedLabel = MessageBox;
using PanelFrame = MessageBox;

// Ten glyphs of 20 pixels make a text 200 wide; the font is 19 high.
TEST_F(MessageBox, BoxStandsCentredOnAFreshPlayScreen)
{
    fill_screen(BACKGROUND_PIXEL);
    show_message_box("ABCDEFGHIJ");
    expect_rect(message_box_rect, 407, 369, 210, 29);
    Uint32 red = red_pixel();
    EXPECT_EQ(screen_pixel(407, 369), red);
    EXPECT_EQ(screen_pixel(411, 373), red);
    EXPECT_EQ(screen_pixel(616, 397), red);
    EXPECT_EQ(screen_pixel(612, 393), red);
    EXPECT_EQ(read_screen_text(412, 374), "ABCDEFGHIJ");
    // the maze was drawn first: the border's surroundings are floor, not the old screen
    EXPECT_EQ(screen_pixel(406, 369), tile_pixel(CELL_FLOOR));
    EXPECT_EQ(screen_pixel(617, 398), tile_pixel(CELL_FLOOR));
}

TEST_F(MessageBox, EmptyOrMissingTextDrawsNothing)
{
    fill_screen(BACKGROUND_PIXEL);
    message_box_rect = SDL_Rect{1, 2, 3, 4};
    show_message_box("");
    show_message_box(nullptr);
    draw_framed_label("", 100);
    draw_framed_label(nullptr, 100);
    expect_rect(message_box_rect, 1, 2, 3, 4);
    EXPECT_EQ(screen_pixel(512, 384), BACKGROUND_PIXEL);
    EXPECT_EQ(screen_pixel(0, 0), BACKGROUND_PIXEL);
}

// A second box's maze redraw wipes the first, and redrawing the cells under a box removes it.
TEST_F(MessageBox, SecondBoxWipesTheFirstAndTheCellsUnderItTakeItAway)
{
    show_message_box("ABCDEFGHIJKLMNOPQRSTUVWXYZ");   // 520 wide
    show_message_box("AB");
    expect_rect(message_box_rect, 487, 369, 50, 29);
    EXPECT_EQ(screen_pixel(300, 380), tile_pixel(CELL_FLOOR));
    EXPECT_EQ(read_screen_text(492, 374), "AB");
    redraw_cells_in_rect(message_box_rect);
    EXPECT_EQ(screen_pixel(487, 369), tile_pixel(CELL_FLOOR));
    EXPECT_EQ(screen_pixel(500, 384), tile_pixel(CELL_FLOOR));
}

// A text wider than the screen gets a box clipped to the screen, and its later repaint stays
// on the screen's cells.
TEST_F(MessageBox, TextWiderThanTheScreenIsClippedToIt)
{
    std::string wide(60, 'W');   // 1200 pixels
    show_message_box(wide.c_str());
    expect_rect(message_box_rect, 0, 369, 1024, 29);
    EXPECT_EQ(screen_pixel(0, 369), red_pixel());
    EXPECT_EQ(screen_pixel(1023, 397), red_pixel());
    EXPECT_EQ(screen_pixel(0, 380), GLYPH_PIXEL + ('W' - 33));   // the text is clipped too
    draw_framed_label(wide.c_str(), 760);
    expect_rect(message_box_rect, 0, 760, 1024, 8);
}

TEST_F(FramedLabel, CentredAtItsTopWithTheTextOnBlack)
{
    fill_screen(BACKGROUND_PIXEL);
    draw_framed_label("ABCD", 100);   // 80 wide
    expect_rect(message_box_rect, 467, 100, 90, 29);
    EXPECT_EQ(screen_pixel(467, 100), red_pixel());
    EXPECT_EQ(screen_pixel(556, 128), red_pixel());
    EXPECT_EQ(screen_pixel(466, 100), BACKGROUND_PIXEL);   // no maze under a label
    EXPECT_EQ(screen_pixel(557, 129), BACKGROUND_PIXEL);
    EXPECT_EQ(read_screen_text(472, 105), "ABCD");
}

TEST_F(PanelFrame, RedBorderAroundBlackFiveAndTenPixelsOut)
{
    fill_screen(BACKGROUND_PIXEL);
    draw_panel_frame(100, 200, 50, 40);
    EXPECT_EQ(screen_pixel(90, 190), red_pixel());
    EXPECT_EQ(screen_pixel(94, 194), red_pixel());
    EXPECT_EQ(screen_pixel(95, 195), 0u);
    EXPECT_EQ(screen_pixel(154, 244), 0u);
    EXPECT_EQ(screen_pixel(159, 249), red_pixel());
    EXPECT_EQ(screen_pixel(160, 250), BACKGROUND_PIXEL);
    EXPECT_EQ(screen_pixel(89, 190), BACKGROUND_PIXEL);
    draw_panel_frame(-20, 700, 2000, 200);   // off the edges: clipped, no fault
    EXPECT_EQ(screen_pixel(0, 767), 0u);
    EXPECT_EQ(screen_pixel(1023, 690), red_pixel());
}
