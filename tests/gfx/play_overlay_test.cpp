// SPDX-License-Identifier: GPL-3.0-or-later
// play_overlay_test.cpp: the decoy, actors and status panel drawn over the maze, read back
// from the screen with the stand-in skin.
#include <gtest/gtest.h>
#include <cstring>
#include "test_skins.h"
#include "test_support.h"
#include "files.h"
#include "frame.h"
#include "gfx.h"
#include "world.h"

static const int BOTTOM = 736;

// A quiet play state: no decoy, no enemies, the player standing far from the panel.
static void reset_play_state()
{
    reset_run_state();
    reset_level_state();
    lives = 1;
    decoy_count = 0;
    power_charges = 0;
    level_map.dots_left = 0;
    strcpy(fps_text, "");
    player.rect = SDL_Rect{640, 640, 32, 32};
    texts[TEXT_LIVES_LABEL] = "AB";
    texts[TEXT_SCORE_LABEL] = "SC";
    texts[TEXT_FPS_LABEL] = "FPS";
}

// Every test draws with the stand-in skin on the quiet play state.
class StatusPanel : public testing::Test {
protected:
    void SetUp() override
    {
        install_synthetic_skin();
        reset_play_state();
    }
    void TearDown() override
    {
        for (int i = TEXT_LIVES_LABEL; i <= TEXT_FPS_LABEL; i++)
            texts[i].clear();
        restore_real_skin();
    }
};
using PlayOverlay = StatusPanel;

static Actor actor_at(int x, int y)
{
    Actor a;
    a.rect = SDL_Rect{Sint16(x), Sint16(y), 0, 0};
    return a;
}

struct EnemyCase {
    Uint8 direction, last_direction, speed, phase;
    Uint16 knockout;
    Uint32 pixel;   // expected at (10, 10) in the enemy's picture
};

// Draws one enemy per case, 64 pixels apart from (320, 64), and checks each one's picture.
static void expect_enemy_pictures(const std::vector<EnemyCase> &cases)
{
    enemies.clear();
    for (size_t i = 0; i < cases.size(); i++) {
        Actor e = actor_at(320 + 64 * i, 64);
        e.direction = cases[i].direction;
        e.last_direction = cases[i].last_direction;
        e.speed = cases[i].speed;
        e.phase = cases[i].phase;
        e.knockout = cases[i].knockout;
        enemies.push_back(e);
    }
    enemy_count = enemies.size();
    draw_play_overlay();
    for (size_t i = 0; i < cases.size(); i++)
        EXPECT_EQ(screen_pixel(330 + 64 * i, 74), cases[i].pixel) << "enemy " << i;
}

TEST_F(StatusPanel, NumbersIconsAndLabelsStandWhereThePlayerLooks)
{
    fill_screen(BACKGROUND_PIXEL);
    strcpy(fps_text, "4.5");
    catch_interval = 3;
    level_map.dots_left = 123;
    score = 1234;
    boost_reserve = 1234;
    decoy_count = 7;
    power_charges = 9;
    draw_play_overlay();

    EXPECT_EQ(read_screen_text(0, 0), "FPS4.5");
    EXPECT_EQ(screen_pixel(130, 25), KNOT_PIXEL);
    EXPECT_EQ(read_screen_text(168, 0), "2");
    EXPECT_EQ(screen_pixel(226, 25), DOTS_PIXEL);
    EXPECT_EQ(read_screen_text(264, 0), "123");
    EXPECT_EQ(read_screen_text(352, 0), "SC");
    EXPECT_EQ(read_screen_text(410, 0), "1234");   // 18 pixels after the label's end

    EXPECT_EQ(screen_pixel(2, 760), BOOST_PIXEL);
    EXPECT_EQ(read_screen_text(48, BOTTOM), "1.23");
    EXPECT_EQ(screen_pixel(130, 760), tile_pixel(CELL_DECOY));
    EXPECT_EQ(read_screen_text(176, BOTTOM), "7");
    EXPECT_EQ(screen_pixel(226, 760), tile_pixel(CELL_POWER));
    EXPECT_EQ(read_screen_text(272, BOTTOM), "9");
    EXPECT_EQ(read_screen_text(362, BOTTOM), "AB");

    // the room between the icons is repainted under the numbers; cell 0 is not
    for (int column : {1, 2, 3, 5, 6, 8, 9}) {
        EXPECT_EQ(screen_pixel(column * 32 + 16, 25), tile_pixel(CELL_FLOOR)) << column;
        EXPECT_EQ(screen_pixel(column * 32 + 16, 760), tile_pixel(CELL_FLOOR)) << column;
    }
    EXPECT_EQ(screen_pixel(16, 25), BACKGROUND_PIXEL);
}

TEST_F(StatusPanel, SmallValuesReadAsThePlayerExpects)
{
    boost_reserve = 50;
    draw_play_overlay();
    EXPECT_EQ(read_screen_text(48, BOTTOM), "0.05");
    EXPECT_EQ(read_screen_text(168, 0), "0");   // catch_interval 1: no knot
    boost_reserve = 0;
    draw_play_overlay();
    EXPECT_EQ(read_screen_text(48, BOTTOM), "0.00");
}

// The first icon stands at the first cell boundary after the label (362 + 40 -> 416); the
// life being played is not shown.
TEST_F(StatusPanel, LivesShowOneIconPerSpareLife)
{
    fill_screen(BACKGROUND_PIXEL);
    lives = 1;
    draw_play_overlay();
    EXPECT_EQ(screen_pixel(420, 760), BACKGROUND_PIXEL);

    lives = 5;
    draw_play_overlay();
    for (int x : {416, 448, 480, 512})
        EXPECT_EQ(screen_pixel(x + 4, 760), LIFE_PIXEL) << x;
    EXPECT_EQ(screen_pixel(548, 760), BACKGROUND_PIXEL);
    EXPECT_EQ(screen_pixel(388, 760), BACKGROUND_PIXEL);

    lives = 255;   // more icons than the row holds: the last one ends at the right edge
    draw_play_overlay();
    EXPECT_EQ(screen_pixel(1020, 760), LIFE_PIXEL);
    EXPECT_LT(rect_scratch.x, SCREEN_WIDTH);
}

// Growing from 99 to 100 the score's new, wider area is repainted before it is written,
// and the repaint never reaches outside the screen.
TEST_F(StatusPanel, ScoreAreaIsRepaintedAndKeptOnTheScreen)
{
    fill_screen(BACKGROUND_PIXEL);
    score = 100;
    draw_play_overlay();
    EXPECT_EQ(rect_scratch.x, 410);
    EXPECT_EQ(rect_scratch.y, 0);
    EXPECT_EQ(rect_scratch.w, 60);
    EXPECT_EQ(rect_scratch.h, 10);
    EXPECT_EQ(screen_pixel(400, 25), tile_pixel(CELL_FLOOR));   // columns 12 to 14
    EXPECT_EQ(screen_pixel(470, 25), tile_pixel(CELL_FLOOR));
    EXPECT_EQ(screen_pixel(490, 25), BACKGROUND_PIXEL);

    texts[TEXT_SCORE_LABEL] = std::string(40, 'S');   // a label 800 wide pushes the score off the screen
    score = 123456789;
    draw_play_overlay();
    EXPECT_GE(rect_scratch.x, 0);
    EXPECT_LE(rect_scratch.x + rect_scratch.w, SCREEN_WIDTH);
}

TEST_F(PlayOverlay, DecoyStandsThenLeavesBothBuffersOverTwoFrames)
{
    fill_screen(BACKGROUND_PIXEL);
    decoy_x = 10;
    decoy_y = 10;
    decoy_timer = 0;
    draw_play_overlay();
    EXPECT_EQ(screen_pixel(330, 330), BACKGROUND_PIXEL);
    decoy_timer = 3;
    draw_play_overlay();
    EXPECT_EQ(screen_pixel(330, 330), DECOY_PIXEL);
    EXPECT_EQ(decoy_timer, 3);
    draw_play_overlay();
    EXPECT_EQ(decoy_timer, 3);
    decoy_timer = 2;
    draw_play_overlay();
    EXPECT_EQ(screen_pixel(330, 330), tile_pixel(CELL_FLOOR));
    EXPECT_EQ(decoy_timer, 1);
    fill_screen(BACKGROUND_PIXEL);
    draw_play_overlay();
    EXPECT_EQ(screen_pixel(330, 330), tile_pixel(CELL_FLOOR));
    EXPECT_EQ(decoy_timer, 0);
}

// A moving actor shows its second frame while phase >= speed / 2; a knocked-out enemy shows
// the death picture; the blit writes the drawn size into the actor's rect.
TEST_F(PlayOverlay, EnemiesShowTheirDirectionAndAnimationFrame)
{
    expect_enemy_pictures({
        {DIR_DOWN, DIR_NONE, BOOST_SPEED, 8, 0, actor_pixel(ENEMY_KIND, DIR_DOWN) + 1},
        {DIR_DOWN, DIR_NONE, BOOST_SPEED, 7, 0, actor_pixel(ENEMY_KIND, DIR_DOWN)},
        {DIR_NONE, DIR_LEFT, NORMAL_SPEED, 4, 0, actor_pixel(ENEMY_KIND, DIR_LEFT) + 1},
        {DIR_UP, DIR_NONE, NORMAL_SPEED, 8, 400, DEATH_PIXEL},
    });
    for (const Actor &e : enemies) {
        EXPECT_EQ(e.rect.w, 32);
        EXPECT_EQ(e.rect.h, 32);
    }
}

TEST_F(PlayOverlay, OneFrameEnemyPictureServesEveryDirection)
{
    install_synthetic_skin(true);   // a one-frame enemy picture
    expect_enemy_pictures({
        {DIR_UP, DIR_NONE, NORMAL_SPEED, 8, 0, actor_pixel(ENEMY_KIND, DIR_RIGHT)},
        {DIR_NONE, DIR_DOWN, NORMAL_SPEED, 8, 0, actor_pixel(ENEMY_KIND, DIR_RIGHT)},
        {DIR_NONE, DIR_NONE, NORMAL_SPEED, 8, 1, DEATH_PIXEL},
    });
}

TEST_F(PlayOverlay, PlayerFacesTheWayAskedForAndShowsPowerMode)
{
    player.rect = SDL_Rect{320, 320, 0, 0};
    draw_play_overlay();   // never pressed an arrow: facing right, second frame
    EXPECT_EQ(screen_pixel(330, 330), actor_pixel(PLAYER_KIND, DIR_RIGHT) + 1);
    EXPECT_EQ(player.rect.w, 32);

    player.wanted_direction = DIR_UP;
    draw_play_overlay();
    EXPECT_EQ(screen_pixel(330, 330), actor_pixel(PLAYER_KIND, DIR_UP) + 1);

    player.direction = DIR_LEFT;
    player.phase = 3;      // below half of speed 8: first frame
    draw_play_overlay();
    EXPECT_EQ(screen_pixel(330, 330), actor_pixel(PLAYER_KIND, DIR_LEFT));
    player.phase = 4;
    draw_play_overlay();
    EXPECT_EQ(screen_pixel(330, 330), actor_pixel(PLAYER_KIND, DIR_LEFT) + 1);

    power_mode = 1;
    draw_play_overlay();
    EXPECT_EQ(screen_pixel(330, 330), actor_pixel(POWER_KIND, DIR_LEFT) + 1);
}
