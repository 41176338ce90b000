// SPDX-License-Identifier: GPL-3.0-or-later
// rules.cpp: the per-frame rules (update_frame, called by the main loop once a frame) and
// the player actions bound to the play keys.
#include "world.h"
#include "files.h"

const Uint32 DOT_BOOST_MS = 50;        // boost reserve bought by one caught dot
const Uint32 KNOCKOUT_SCORE = 100;     // points for knocking out an enemy
const Uint8 MAX_LIVES = 255;           // an extra life beyond this is not counted
const Uint8 MAX_CATCH_INTERVAL = 255;  // knots beyond this are not counted
const int POWER_SECONDS = 10;          // power mode, a decoy and a knockout last ten seconds
const int MESSAGE_SECONDS = 5;         // the caught message runs five seconds

static int ten_seconds()
{
    return frames_per_second() * POWER_SECONDS;
}

static int message_length()
{
    return frames_per_second() * MESSAGE_SECONDS;
}

bool decoy_standing()
{
    return decoy_timer > DECOY_WIPE_FRAMES;
}

// Power mode ends when its timer runs down to 0. Writes power_timer, power_mode.
static void count_power_timer()
{
    power_timer--;
    if (power_mode && power_timer == frames_per_second() * POWER_ENDING_SECONDS)
        happened.power_ending++;
    if (power_timer == 0) {
        happened.power_off += power_mode;
        power_mode = 0;
    }
}

// A dot visit: every catch_interval-th visit catches the dot. Writes the cell, catch_streak,
// score, boost_reserve and level_map.dots_left.
static void visit_dot(Uint8 &cell)
{
    catch_streak++;
    if (catch_streak != catch_interval)
        return;
    cell = CELL_FLOOR;
    boost_reserve += DOT_BOOST_MS;
    score++;
    catch_streak = 0;
    level_map.dots_left--;
    happened.dots_caught++;
}

// When the free player's stay in its cell ends this frame, it takes what lies there.
static void collect_under_player()
{
    if (player.step_counter + 1 != player.speed || player.knockout != 0)
        return;
    Uint8 &cell = level_map.cells[player.cell_x + player.cell_y * MAP_COLUMNS];
    if (cell == CELL_DOT)
        visit_dot(cell);
    if (cell == CELL_LIFE) {
        if (lives < MAX_LIVES)
            lives++;
        cell = CELL_FLOOR;
        happened.lives_picked++;
    }
    if (cell == CELL_DECOY) {
        cell = CELL_FLOOR;
        decoy_count++;
        happened.decoys_picked++;
    }
    if (cell == CELL_POWER) {
        cell = CELL_FLOOR;
        power_charges++;
        happened.charges_picked++;
    }
}

// The first enemy whose current and next speed are both `speed`, or null.
static const Actor *first_enemy_at_pace(Uint8 speed)
{
    for (const Actor &enemy : enemies)
        if (enemy.next_speed == speed && enemy.speed == speed)
            return &enemy;
    return nullptr;
}

// A change of pace is heard as boost on or off.
static void set_enemy_next_speed(Uint8 speed)
{
    bool changed = false;
    for (Actor &enemy : enemies) {
        changed |= enemy.next_speed != speed;
        enemy.next_speed = speed;
    }
    if (changed)
        (speed == BOOST_SPEED ? happened.boost_on : happened.boost_off)++;
}

// A running boost costs frame_delay ms of reserve a frame and ends when the reserve
// cannot pay for another frame. Writes boost_flag (left 0), boost_reserve, next speeds.
static void keep_boost()
{
    boost_flag = first_enemy_at_pace(BOOST_SPEED) ? 1 : 0;
    if (boost_flag) {
        if (boost_reserve >= (Uint32)frame_delay)
            boost_reserve -= frame_delay;
        else
            set_enemy_next_speed(NORMAL_SPEED);
    }
    boost_flag = 0;
}

static void move_player()
{
    step_actor(player);
    repaint_trail(player);
    update_glide(player);
}

// A standing decoy counts down; the player's real cell is kept while the enemies
// are steered at the decoy. Writes saved_player_x/y, decoy_timer.
static void count_decoy_timer()
{
    if (!decoy_standing())
        return;
    saved_player_x = player.cell_x;
    saved_player_y = player.cell_y;
    decoy_timer--;
    if (!decoy_standing())
        happened.decoys_cleared++;
}

// An enemy with no free way at all stays where it stands instead of choosing for ever.
static bool enemy_boxed_in(const Actor &enemy)
{
    for (Uint8 d = DIR_RIGHT; d <= DIR_UP; d++)
        if (way_free(enemy.cell_x, enemy.cell_y, d))
            return false;
    return true;
}

// A moving enemy steps on; a standing one chooses a way and steps until it moves.
static void move_enemy(int index)
{
    Actor &enemy = enemies[index];
    if (enemy.direction != DIR_NONE) {
        step_actor(enemy);
    } else {
        while (enemy.direction == DIR_NONE && !enemy_boxed_in(enemy)) {
            choose_enemy_direction(index);
            step_actor(enemy);
        }
    }
    repaint_trail(enemy);
    update_glide(enemy);
}

// A touch knocks the enemy out in power mode, otherwise catches the free player.
// Writes score, the enemy's knockout, player.knockout.
static void check_touch(Actor &enemy)
{
    if (enemy.knockout != 0 || !actors_touch(player, enemy))
        return;
    if (power_mode) {
        score += KNOCKOUT_SCORE;
        enemy.knockout = ten_seconds();
        happened.enemies_knocked_out++;
    } else if (player.knockout == 0) {
        player.knockout = 1;
        happened.player_caught++;
    }
}

// One enemy's turn: the think schedule, knockout countdown, move and touch. While a
// decoy stands the player's cell reads as the decoy's during the enemy's turn.
static void update_enemy(int index)
{
    Actor &enemy = enemies[index];
    think_tick++;
    if (enemy.knockout != 0) {
        enemy.knockout--;
        if (enemy.knockout == 0)
            happened.enemies_back++;
        if (enemy.knockout == ten_seconds() - 1)
            repaint_trail(enemy);
    } else {
        if (decoy_standing()) {
            player.cell_x = decoy_x;
            player.cell_y = decoy_y;
        }
        if (think_tick == think_period)
            enemy_think(enemy);
        move_enemy(index);
    }
    if (decoy_standing()) {
        player.cell_x = saved_player_x;
        player.cell_y = saved_player_y;
    }
    check_touch(enemy);
}

// The caught message shows for five seconds from the frame the player is caught and
// is wiped from both screen buffers in the two frames after; a continue wipes it at once.
// Reads and writes message_frames.
static void run_caught_message()
{
    const int n = message_length();
    const char *text = texts[TEXT_CAUGHT].c_str();
    int t = message_frames;
    if (player.knockout == 0 && t <= n)
        return;
    if (t <= n) {
        screen_hooks.show_message_box(text);
        message_frames++;
        t = message_frames;
    }
    if (t == n + 2) {
        screen_hooks.show_message_box(text);
        screen_hooks.wipe_message_box();
        message_frames++;
        t = message_frames;
        if (player.knockout == 0) {
            message_frames = 0;
            t = 0;
        }
    }
    if (t == n + 1) {
        screen_hooks.show_message_box(text);
        screen_hooks.wipe_message_box();
        message_frames++;
    }
}

// A next map that cannot be loaded ends the run where it stands: its start cells are gone.
static void end_run_on_missing_map()
{
    lives = 0;
    if (play_test_run)
        exit(0);
    enter_high_score();
    screen_hooks.main_menu();
}

// With the last dot gone the next map follows, or the run ends after the last one. A player
// caught in the frame of the last dot is free on the next map. Writes level_index and
// player.knockout; the level load writes the rest.
static void finish_level()
{
    if (level_map.dots_left != 0)
        return;
    size_t next = (size_t)level_index + 1;
    if (next >= map_list.size()) {
        end_run(texts[TEXT_ALL_MAPS_DONE].c_str());
        return;
    }
    level_index = (Uint8)next;
    happened.levels_done++;
    if (happenings_hook)
        happenings_hook();
    screen_hooks.show_message_box(texts[TEXT_LEVEL_DONE].c_str());
    screen_hooks.show_screen();
    screen_hooks.wait_for_key(SDLK_SPACE);
    if (load_level(map_list[level_index].c_str()) != 0) {
        end_run_on_missing_map();
        return;
    }
    player.knockout = 0;
}

// One frame of play, in this order: the power timer, the player's catch, the boost upkeep,
// the player's move, the decoy's countdown, each enemy's turn, the drawing, the caught
// message and the end of the level. Without a game in progress (a new game whose first map failed) there
// is nothing to play: the main menu opens again.
void update_frame()
{
    if (lives == 0) {
        screen_hooks.main_menu();
        return;
    }
    count_power_timer();
    collect_under_player();
    keep_boost();
    move_player();
    count_decoy_timer();
    for (int i = 0; i < (int)enemies.size(); i++)
        update_enemy(i);
    screen_hooks.draw_play_overlay();
    run_caught_message();
    finish_level();
}

void set_wanted_direction(Uint8 direction)
{
    player.wanted_direction = direction;
}

// The way on after being caught, usable at any time: one life less and everybody back on
// their start cells; the last life ends the run. Nothing happens without a game in progress.
void give_up_life()
{
    if (lives == 0)
        return;
    message_frames = 0;
    catch_interval = 1;
    catch_streak = 0;
    player.knockout = 0;
    lives--;
    happened.lives_given_up++;
    if (lives == 0)
        end_run(texts[TEXT_OUT_OF_LIVES].c_str());
    if (lives != 0)
        start_level();
}

// Only while caught: one more knot, free again on the spot; the message is wiped.
void continue_with_knot()
{
    if (player.knockout == 0)
        return;
    if (catch_interval < MAX_CATCH_INTERVAL)
        catch_interval++;
    player.knockout = 0;
    message_frames = (Uint8)(message_length() + 1);
    happened.knots++;
}

// Withdraws a placed decoy (not back into the stock), or places one on the player's cell.
void use_decoy()
{
    if (decoy_timer != 0) {
        happened.decoys_cleared += decoy_standing();
        decoy_timer = DECOY_WIPE_FRAMES;
        return;
    }
    if (decoy_count == 0)
        return;
    decoy_count--;
    decoy_x = player.cell_x;
    decoy_y = player.cell_y;
    decoy_timer = ten_seconds();
    happened.decoys_dropped++;
}

// Boost on when an enemy runs at normal pace and the reserve pays for a frame, else off.
// boost_flag is not cleared first; update_frame leaves it 0.
void toggle_boost()
{
    if (first_enemy_at_pace(NORMAL_SPEED))
        boost_flag = 1;
    if (!boost_flag) {
        set_enemy_next_speed(NORMAL_SPEED);
        return;
    }
    if (boost_reserve >= (Uint32)frame_delay && enemy_count > 0)
        set_enemy_next_speed(BOOST_SPEED);
}

void toggle_power()
{
    if (power_mode) {
        power_mode = 0;
        power_timer = 0;
        happened.power_off++;
        return;
    }
    if (power_charges == 0)
        return;
    power_mode = 1;
    power_charges--;
    power_timer = ten_seconds();
    happened.power_on++;
}

// The shared end of a run: the summary box, a wait for space, the high-score entry and the
// main menu, which returns with a new game set up or with lives still 0.
void end_run(const char *title)
{
    happened.runs_over++;
    if (happenings_hook)
        happenings_hook();
    screen_hooks.show_run_summary(title);
    lives = 0;
    screen_hooks.show_screen();
    screen_hooks.wait_for_key(SDLK_SPACE);
    if (play_test_run)
        exit(0);
    enter_high_score();
    screen_hooks.main_menu();
}
