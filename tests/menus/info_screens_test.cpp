// SPDX-License-Identifier: GPL-3.0-or-later
// info_screens_test.cpp: the high-score, credits and legend screens' geometry on screen.
#include <gtest/gtest.h>
#include <cstring>
#include "files.h"
#include "frame.h"
#include "gfx.h"
#include "test_skins.h"
#include "test_support.h"
#include "menus.h"

using namespace menu_test;

namespace {

// The red panel frame around the box (x, y, w, h): its corners and the maze just outside.
bool panel_frame_around(int x, int y, int w, int h)
{
    return screen_pixel(x - 10, y - 10) == red() && screen_pixel(x - 11, y - 10) == wall_colour() &&
           screen_pixel(x - 10, y - 11) == wall_colour() && screen_pixel(x + w + 9, y + h + 9) == red() &&
           screen_pixel(x + w + 10, y + h + 9) == wall_colour() &&
           screen_pixel(x + w + 9, y + h + 10) == wall_colour() && screen_pixel(x - 5, y - 5) == 0;
}

void clear_high_scores()
{
    for (auto &entry : high_scores)
        entry = {"", 0};
}

} // namespace

// Ten rows of fh + 15 from 70 below the top: with fh 20 the box is 405 high at y 181.
TEST(HighScoreScreen, AllZeroScoresAreRightAlignedInABoxOfNameAndXxxx0)
{
    set_up_menus();
    clear_high_scores();
    high_scores[0].first = "abc";
    texts[TEXT_ITEM_HIGH_SCORES] = "ab";
    draw_high_score_screen();
    int w = 3 * MENU_GLYPH_ADVANCE + 5 * MENU_GLYPH_ADVANCE;   // "abc" and "xxxx0"
    int x = (1024 - w) / 2;
    EXPECT_TRUE(panel_frame_around(x, 181, w, 405));
    for (int i = 0; i < 10; i++) {
        int row_y = 181 + 70 + i * 35;
        EXPECT_EQ(white(), screen_pixel(x + w - MENU_GLYPH_ADVANCE + MENU_GLYPH_MARK, row_y + 5)) << "row " << i;
        EXPECT_EQ(0u, screen_pixel(x + w - MENU_GLYPH_ADVANCE + MENU_GLYPH_MARK, row_y - 5)) << "row " << i;
    }
    EXPECT_EQ(white(), screen_pixel(x + MENU_GLYPH_MARK, 251 + 5));          // the name, left-aligned
    EXPECT_EQ(0u, screen_pixel(x + MENU_GLYPH_MARK, 251 + 35 + 5));          // no name on row 1
}

TEST(HighScoreScreen, AWideTitleWidensTheBoxAndScoresFollowTheEdge)
{
    set_up_menus();
    clear_high_scores();
    high_scores[0] = {"abc", 4294967295u};
    high_scores[1] = {"de", 7};
    texts[TEXT_ITEM_HIGH_SCORES] = std::string(40, 'a');   // 320 wide
    draw_high_score_screen();
    int x = (1024 - 320) / 2;
    EXPECT_TRUE(panel_frame_around(x, 181, 320, 405));
    int right_edge_glyph = x + 320 - MENU_GLYPH_ADVANCE + MENU_GLYPH_MARK;
    EXPECT_EQ(white(), screen_pixel(right_edge_glyph, 251 + 5));
    EXPECT_EQ(white(), screen_pixel(right_edge_glyph, 286 + 5));
    // "4294967295" fills ten glyphs leftwards; "7" only one.
    EXPECT_EQ(white(), screen_pixel(right_edge_glyph - 9 * MENU_GLYPH_ADVANCE, 251 + 5));
    EXPECT_EQ(0u, screen_pixel(right_edge_glyph - MENU_GLYPH_ADVANCE, 286 + 5));
}

// From top to bottom: first role, first person, gap, second role, second person.
TEST(CreditsScreen, FourFramedLabelsAroundTheMiddleInWindows1250)
{
    set_up_menus();
    EXPECT_STREQ("Programov\xE1n\xED, design, grafika:", CREDITS_LINES[1]);
    EXPECT_STREQ("Level-design:", CREDITS_LINES[3]);
    for (int i : {0, 2}) {
        EXPECT_GT(strlen(CREDITS_LINES[i]), 0u);
        EXPECT_NE(nullptr, strchr(CREDITS_LINES[i], ' ')) << "a person's full name";
    }
    texts[TEXT_LEGEND_TITLE] = "changes nothing here";
    draw_credits_screen();
    const int tops[4] = {374 - 25, 374 - 55, 374 + 85, 374 + 55};
    for (int i = 0; i < 4; i++) {
        int x = (1024 - width_of(CREDITS_LINES[i])) / 2 - 5;
        EXPECT_EQ(red(), screen_pixel(x, tops[i])) << "label " << i;
        EXPECT_EQ(wall_colour(), screen_pixel(x - 1, tops[i])) << "label " << i;
        EXPECT_EQ(red(), screen_pixel(x, tops[i] + MENU_FONT_HEIGHT + 9)) << "label " << i;
        EXPECT_EQ(0u, screen_pixel(x + 5, tops[i] + 5)) << "label " << i;
    }
    EXPECT_EQ(374 + 55, message_box_rect.y);   // the last label drawn
}

TEST(LegendScreen, PanelIs10FontHeightsPlus430HighAndTextsSetItsWidth)
{
    set_up_menus();
    texts[TEXT_LEGEND_ENEMY] = std::string(30, 'a');   // 240: drawn 80 in, still measured as all others
    draw_legend_screen();
    int w = 240 + 40;
    int x0 = (1024 - w) / 2;
    int h = 10 * MENU_FONT_HEIGHT + 430;
    int y0 = (768 - h) / 2;
    int p = 2 * MENU_FONT_HEIGHT + 20;
    EXPECT_TRUE(panel_frame_around(x0, y0, w, h));
    EXPECT_EQ(icon_colour(0), screen_pixel(x0, y0 + 70));                 // boost
    EXPECT_EQ(icon_colour(1), screen_pixel(x0 + 31, y0 + 70 + p));        // power pick-up
    EXPECT_EQ(icon_colour(3), screen_pixel(x0, y0 + 70 + 3 * p));         // knot
    EXPECT_EQ(icon_colour(5), screen_pixel(x0 + 63, y0 + 60 + 5 * p));    // whole player strip
    EXPECT_EQ(icon_colour(7), screen_pixel(x0, y0 + 140 + 5 * p));        // enemy
    EXPECT_EQ(icon_colour(10), screen_pixel(x0, y0 + 260 + 5 * p + 31));  // teleport, last icon
    EXPECT_EQ(white(), screen_pixel(x0 + 40 + MENU_GLYPH_MARK, y0 - 10 + p + 5));               // TEXT_LEGEND_BOOST
    EXPECT_EQ(white(), screen_pixel(x0 + 40 + MENU_GLYPH_MARK, y0 - 10 + p + MENU_FONT_HEIGHT + 5)); // TEXT_LEGEND_BOOST_MORE
    EXPECT_EQ(white(), screen_pixel(x0 + 80 + MENU_GLYPH_MARK, y0 - 10 + 6 * p + 5));           // TEXT_LEGEND_PLAYER
    EXPECT_EQ(white(), screen_pixel(x0 + 40 + MENU_GLYPH_MARK, y0 + 230 + 6 * p + 5));          // TEXT_LEGEND_KEYS

    texts[TEXT_LEGEND_ENEMY] = "a";
    texts[TEXT_LEGEND_TITLE] = std::string(50, 'a');   // the title counts too
    draw_legend_screen();
    EXPECT_TRUE(panel_frame_around((1024 - 440) / 2, y0, 440, h));
}
