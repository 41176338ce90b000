// SPDX-License-Identifier: GPL-3.0-or-later
// autoplay.cpp: the automatic player. Each frame it looks at the maze the way a fair player
// would, presses at most an action key and an arrow key (pushed as key events, so the game's
// own play input handles them), and lets the real frame run on the test clock. It walks to
// the nearest dot or pick-up it can reach before any enemy, flees when there is none, switches
// power mode on when enemies close in (its last charge only when cornered) and chases them
// while it lasts, drops a decoy or uses the boost when cornered, and gives up a life when
// caught; on its last life it walks clear of the enemies and then takes a knot.
#include "autoplay.h"
#include "files.h"
#include "frame.h"
#include "world.h"
#include <algorithm>
#include <climits>
#include <cstdio>
#include <queue>

namespace {

const int SAFETY_FRAMES = 12;        // the lead over every enemy a cell must keep to count as safe
const int CLOSE_IN_CELLS = 3;        // an enemy this many steps away closes in
const int POWER_RESERVE_FRAMES = 48; // power mode this short no longer protects a chase
const Uint32 BOOST_LEAST_MS = 500;   // the boost reserve worth switching the boost on for
const int FLEE_CELLS = 8;            // how far ahead a flight looks for the safest cell
const int KNOT_WAIT_FRAMES = 200;    // the longest wait, caught on the last life, before a knot
const int PATIENCE_STEPS = 16;       // steps without a safe target before it dares more
const int BOLD_CELLS = 6;            // daring, it minds only the enemies this near (later half as near)
const int FAR = INT_MAX / 4;

int index_of(int x, int y)
{
    return x + y * MAP_COLUMNS;
}

bool worth_taking(Uint8 cell)
{
    return cell == CELL_DOT || cell == CELL_LIFE || cell == CELL_DECOY || cell == CELL_POWER;
}

// The cells one step leads to from `at`, with the direction pressed for it. An actor that
// walked onto a teleport comes out of its pair's other cell and goes on in that direction
// (or stays on the other cell when that way is walled).
int moves_from(int at, bool walked_in, Uint8 directions[4], int targets[4])
{
    int x = at % MAP_COLUMNS, y = at / MAP_COLUMNS, tx, ty, n = 0;
    bool jumps = walked_in && teleport_target(level_map, x, y, tx, ty);
    for (Uint8 d = DIR_RIGHT; d <= DIR_UP; d++) {
        int nx, ny;
        if (!way_free(x, y, d))
            continue;
        if (jumps) {
            if (!way_free(tx, ty, d) || !neighbour_cell(tx, ty, d, nx, ny)) {
                nx = tx;
                ny = ty;
            }
        } else {
            neighbour_cell(x, y, d, nx, ny);
        }
        directions[n] = d;
        targets[n++] = index_of(nx, ny);
    }
    return n;
}

// Steps from `from` to every cell (FAR where none leads), optionally only through cells
// `allowed` lets through; first[] holds the direction of the first step on the way.
void walk_distances(int from, bool walked_in, std::vector<int> &steps, std::vector<Uint8> *first,
                    const std::vector<bool> *allowed = nullptr)
{
    steps.assign(MAP_CELLS, FAR);
    if (first)
        first->assign(MAP_CELLS, DIR_NONE);
    std::queue<int> cells;
    steps[from] = 0;
    cells.push(from);
    while (!cells.empty()) {
        int at = cells.front();
        cells.pop();
        Uint8 directions[4];
        int targets[4];
        int n = moves_from(at, at != from || walked_in, directions, targets);
        for (int i = 0; i < n; i++) {
            int next = targets[i];
            if (steps[next] != FAR || (allowed && !(*allowed)[next]))
                continue;
            steps[next] = steps[at] + 1;
            if (first)
                (*first)[next] = at == from ? directions[i] : (*first)[at];
            cells.push(next);
        }
    }
}

// The frame from which an enemy can next hurt the player: knocked out, or the player in power.
int enemy_delay(const Actor &enemy)
{
    int delay = enemy.knockout;
    if (power_mode)
        delay = std::max(delay, int(power_timer));
    return delay;
}

// For every cell, the earliest frame an enemy within `reach` steps of the player can be there.
std::vector<int> danger_frames(int reach)
{
    std::vector<int> danger(MAP_CELLS, FAR), steps;
    const int player_at = player.cell_x + player.cell_y * MAP_COLUMNS;
    for (const Actor &enemy : enemies) {
        walk_distances(index_of(enemy.cell_x, enemy.cell_y), true, steps, nullptr);
        if (steps[player_at] > reach)
            continue;
        int delay = enemy_delay(enemy), speed = std::max<int>(enemy.speed, NORMAL_SPEED);
        for (int c = 0; c < MAP_CELLS; c++)
            if (steps[c] != FAR)
                danger[c] = std::min(danger[c], delay + steps[c] * speed);
    }
    return danger;
}

// Frames before the player's next step is taken.
int frames_to_next_step()
{
    if (player.direction == DIR_NONE)
        return 1;
    return std::max(1, int(player.speed) - int(player.step_counter));
}

bool player_walked_in()
{
    return !(player.cell_x == player.exit_x && player.cell_y == player.exit_y);
}

struct Choice {
    Uint8 direction = DIR_NONE;
    bool cornered = false;          // no safe target and no safe way out
    bool safe_target = false;
    bool stalled = false;           // long without a safe target: time to use the stock
};

// The way to the nearest safe cell that `wanted` accepts, through safe cells only.
bool nearest_safe(const std::vector<int> &danger, bool (*wanted)(int), Uint8 &direction)
{
    int from = index_of(player.cell_x, player.cell_y), lead = frames_to_next_step();
    std::vector<bool> safe(MAP_CELLS);
    std::vector<int> walk;
    walk_distances(from, player_walked_in(), walk, nullptr);
    for (int c = 0; c < MAP_CELLS; c++)
        safe[c] = walk[c] != FAR && danger[c] > lead + walk[c] * NORMAL_SPEED + SAFETY_FRAMES;
    std::vector<int> steps;
    std::vector<Uint8> first;
    walk_distances(from, player_walked_in(), steps, &first, &safe);
    int best = -1;
    for (int c = 0; c < MAP_CELLS; c++)
        if (c != from && steps[c] != FAR && wanted(c) && (best < 0 || steps[c] < steps[best]))
            best = c;
    if (best < 0)
        return false;
    direction = first[best];
    return true;
}

bool is_pickup(int c)
{
    return worth_taking(level_map.cells[c]);
}

// An active enemy stands there and power mode lasts long enough to reach it.
bool is_enemy_to_chase(int c)
{
    for (const Actor &enemy : enemies)
        if (enemy.knockout == 0 && index_of(enemy.cell_x, enemy.cell_y) == c)
            return power_timer > POWER_RESERVE_FRAMES;
    return false;
}

// The first step towards the cell within FLEE_CELLS with the most frames to spare.
Uint8 flight(const std::vector<int> &danger, int &best_spare)
{
    int from = index_of(player.cell_x, player.cell_y), lead = frames_to_next_step();
    std::vector<int> steps;
    std::vector<Uint8> first;
    walk_distances(from, player_walked_in(), steps, &first);
    Uint8 way = DIR_NONE;
    best_spare = -FAR;
    for (int c = 0; c < MAP_CELLS; c++) {
        if (c == from || steps[c] > FLEE_CELLS)
            continue;
        int spare = danger[c] - (lead + steps[c] * NORMAL_SPEED);
        if (spare > best_spare) {
            best_spare = spare;
            way = first[c];
        }
    }
    return way;
}

// After PATIENCE_STEPS steps without a safe target it minds only the nearest enemies, as a
// player does who will not wait for ever for the far ones to leave.
Choice choose_way(int &waiting_steps)
{
    Choice choice;
    std::vector<int> danger = danger_frames(FAR);
    if (power_mode && nearest_safe(danger, is_enemy_to_chase, choice.direction))
        return choice;
    if (nearest_safe(danger, is_pickup, choice.direction)) {
        choice.safe_target = true;
        waiting_steps = 0;
        return choice;
    }
    choice.stalled = ++waiting_steps > 2 * PATIENCE_STEPS;
    if (waiting_steps > PATIENCE_STEPS) {
        danger = danger_frames(waiting_steps > 4 * PATIENCE_STEPS ? BOLD_CELLS / 2 : BOLD_CELLS);
        if (nearest_safe(danger, is_pickup, choice.direction))
            return choice;
    }
    int spare;
    choice.direction = flight(danger, spare);
    choice.cornered = spare <= SAFETY_FRAMES;
    return choice;
}

// Steps from the nearest active enemy to the player, FAR without one.
int nearest_enemy_steps()
{
    std::vector<int> steps;
    walk_distances(index_of(player.cell_x, player.cell_y), false, steps, nullptr);
    int nearest = FAR;
    for (const Actor &enemy : enemies)
        if (enemy.knockout == 0)
            nearest = std::min(nearest, steps[index_of(enemy.cell_x, enemy.cell_y)]);
    return nearest;
}

bool boost_running()
{
    for (const Actor &enemy : enemies)
        if (enemy.next_speed == BOOST_SPEED)
            return true;
    return false;
}

const SDLKey DIRECTION_KEYS[] = {SDLK_UNKNOWN, SDLK_RIGHT, SDLK_DOWN, SDLK_LEFT, SDLK_UP};

// The action key of this frame, SDLK_UNKNOWN for none.
SDLKey action_key(const Choice &choice, int enemy_steps, int &caught_frames)
{
    if (player.knockout != 0) {
        caught_frames++;
        if (lives > 1)
            return SDLK_SPACE;
        // On its last life it takes a knot only with no enemy close by, or with power mode
        // on to knock out the one that is, so that the knot does not end in the next catch.
        bool near = nearest_enemy_steps() <= CLOSE_IN_CELLS;
        if (near && !power_mode && power_charges > 0)
            return SDLK_n;
        bool covered = power_mode && power_timer > POWER_RESERVE_FRAMES;
        return !near || covered || caught_frames > KNOT_WAIT_FRAMES ? SDLK_v : SDLK_UNKNOWN;
    }
    caught_frames = 0;
    // The last power charge is kept for a corner or a stall, not spent on an enemy passing by.
    bool close = enemy_steps <= CLOSE_IN_CELLS, pressed = choice.cornered || choice.stalled;
    if (!power_mode && (pressed ? power_charges > 0 : close && power_charges > 1))
        return SDLK_n;
    if (power_mode)
        return SDLK_UNKNOWN;
    if (pressed && decoy_timer == 0 && decoy_count > 0)
        return SDLK_m;
    bool boosting = boost_running();
    if (!boosting && (close || pressed) && boost_reserve >= BOOST_LEAST_MS)
        return SDLK_b;
    return SDLK_UNKNOWN;
}

void push_key_down(SDLKey key)
{
    SDL_Event e = {};
    e.type = SDL_KEYDOWN;
    e.key.type = SDL_KEYDOWN;
    e.key.state = SDL_PRESSED;
    e.key.keysym.sym = key;
    SDL_PushEvent(&e);
}

// The only modal screen of a run is the level-done message, which waits for space.
void answer_level_done()
{
    push_key_down(SDLK_SPACE);
}

void press(SDLKey key, int frame, AutoplayRun &run)
{
    push_key_down(key);
    char line[64];
    snprintf(line, sizeof line, "%d down %s\n", frame, SDL_GetKeyName(key));
    run.script += line;
}

// The first dot in reading order, or false when none is left.
bool first_dot(int &x, int &y)
{
    for (int c = 0; c < MAP_CELLS; c++)
        if (level_map.cells[c] == CELL_DOT) {
            x = c % MAP_COLUMNS;
            y = c / MAP_COLUMNS;
            return true;
        }
    return false;
}

// A dot that no way from the player's start leads to, or false.
bool walled_off_dot(int &x, int &y)
{
    std::vector<int> steps;
    walk_distances(index_of(player.cell_x, player.cell_y), false, steps, nullptr);
    for (int c = 0; c < MAP_CELLS; c++)
        if (level_map.cells[c] == CELL_DOT && steps[c] == FAR) {
            x = c % MAP_COLUMNS;
            y = c / MAP_COLUMNS;
            return true;
        }
    return false;
}

} // namespace

AutoplayRun autoplay_run(const std::string &map, unsigned seed, int frame_budget)
{
    AutoplayRun run;
    run.seed = seed;
    connect_layers();
    map_list.assign(2, map);   // a second copy: the clear shows the level-done message only
    reset_stocks();
    set_test_clock(AUTOPLAY_CLOCK_START, 1);
    set_test_seed(seed);
    void (*idle_before)() = idle_input;
    idle_input = answer_level_done;
    if (new_game() != 0) {
        idle_input = idle_before;
        run.hopeless = true;
        return run;
    }
    reset_frame_pacer();
    if (walled_off_dot(run.stuck_x, run.stuck_y)) {
        run.hopeless = true;
        run.dots_left = level_map.dots_left;
        idle_input = idle_before;
        return run;
    }
    int caught_frames = 0, waiting_steps = 0;
    for (int frame = 1; frame <= frame_budget; frame++) {
        // The way is looked at only when the player's next step is taken in this frame:
        // the game reads the wanted direction at that step alone.
        Choice choice;
        int enemy_steps = FAR;
        if (player.knockout == 0 && frames_to_next_step() == 1) {
            choice = choose_way(waiting_steps);
            enemy_steps = nearest_enemy_steps();
        } else if (lives <= 1 && frames_to_next_step() == 1) {
            // Caught on its last life, it walks away from the enemies before its knot.
            int spare;
            choice.direction = flight(danger_frames(FAR), spare);
        }
        SDLKey action = action_key(choice, enemy_steps, caught_frames);
        if (action != SDLK_UNKNOWN)
            press(action, frame, run);
        if (choice.direction != DIR_NONE && choice.direction != player.wanted_direction)
            press(DIRECTION_KEYS[choice.direction], frame, run);
        const Uint8 lives_before = lives, interval_before = catch_interval;
        const Uint8 power_before = power_mode, exit_x = player.exit_x, exit_y = player.exit_y;
        const Uint16 knockout_before = player.knockout;
        const bool boost_before = boost_running(), decoy_before = decoy_standing();
        run_frame();
        run.frames = frame;
        if (level_index != 0) {
            run.cleared = true;
            break;
        }
        run.catches += knockout_before == 0 && player.knockout != 0;
        run.lives_lost += lives < lives_before;
        run.knots += catch_interval > interval_before;
        run.power += !power_before && power_mode;
        run.decoys += !decoy_before && decoy_standing();
        run.boosts += !boost_before && boost_running();
        run.teleports += (player.exit_x || player.exit_y)
            && (player.exit_x != exit_x || player.exit_y != exit_y);
    }
    run.dots_left = run.cleared ? 0 : level_map.dots_left;
    if (!run.cleared)
        first_dot(run.stuck_x, run.stuck_y);
    idle_input = idle_before;
    return run;
}

AutoplayReport autoplay_level(const std::string &map, int runs, unsigned first_seed,
                              int frame_budget)
{
    AutoplayReport report;
    report.map = map;
    std::vector<int> clear_frames;
    for (int i = 0; i < runs; i++) {
        AutoplayRun run = autoplay_run(map, first_seed + i, frame_budget);
        report.runs++;
        report.catches += run.catches;
        report.lives_lost += run.lives_lost;
        report.power += run.power;
        report.decoys += run.decoys;
        report.boosts += run.boosts;
        if (run.cleared) {
            clear_frames.push_back(run.frames);
            report.cleared++;
        } else if (report.stuck_x < 0) {
            report.stuck_x = run.stuck_x;
            report.stuck_y = run.stuck_y;
        }
        report.each.push_back(run);
        if (run.hopeless)
            break;   // no seed opens a walled-off dot
    }
    double n = report.runs;
    report.catches /= n;
    report.lives_lost /= n;
    report.power /= n;
    report.decoys /= n;
    report.boosts /= n;
    if (!clear_frames.empty()) {
        std::sort(clear_frames.begin(), clear_frames.end());
        size_t m = clear_frames.size();
        double median = m % 2 ? clear_frames[m / 2] : (clear_frames[m / 2 - 1] + clear_frames[m / 2]) / 2.0;
        report.median_seconds = median * frame_delay / 1000.0;
    }
    // Minutes to clear, one point a life lost, a quarter point for each power charge, decoy
    // and boost it needed, and three points for every run in ten not cleared.
    report.difficulty = report.median_seconds / 60 + report.lives_lost
        + (report.power + report.decoys + report.boosts) / 4
        + 30.0 * (report.runs - report.cleared) / report.runs;
    return report;
}

std::string autoplay_replay_file(const std::string &map, const AutoplayRun &run)
{
    char head[256];
    snprintf(head, sizeof head,
             "# The automatic player's run on %s with seed %u, to its clear\nseed %u\nstart %s\n"
             "frames %d\nevery 500\n",
             map.c_str(), run.seed, run.seed, map.c_str(), run.frames);
    return head + run.script;
}
