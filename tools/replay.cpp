// SPDX-License-Identifier: GPL-3.0-or-later
// replay.cpp: plays the real frame loop headless on the test clock, from a run file (an input
// script and/or a seeded player), printing a hash of the whole game state every N frames;
// compares it with or writes the expected hashes. Also the soak: long random play across
// every level with focus losses, checking that resident memory stays put.
//
//   replay CONTENT_DIR RUN_FILE [--expect HASHES | --write HASHES]
//   replay CONTENT_DIR --soak FRAMES FOCUS_LOSSES
//
// A run file holds one directive or input per line ("#" starts a comment):
//   seed N          the game's random seed (default 7)
//   start NAME      the run's map list starts at this map of the content's list
//   frames N        frames to play
//   every N         a hash line every N frames (default 1000)
//   player N        a player with its own random seed N plays along
//   focus N         the focus is lost every N frames
//   F down|up KEY   at frame F, a key (SDL's key name: right, space, v...) goes down or up
//   F focus         at frame F, the focus is lost
// While the game waits in a modal screen (a message, the end-of-run box, the name entry, the
// menu, the pause), it is answered in turn with the focus back, space, Return and p.
#include "files.h"
#include "frame.h"
#include "gfx.h"
#include "sound.h"
#include "world.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <queue>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

const unsigned DEFAULT_SEED = 7;
const Uint32 TEST_CLOCK_START = 1000;
const int SOAK_WARM_UP_FRAMES = 1000;
const long SOAK_GROWTH_LIMIT_KB = 1024;

struct Input {
    Uint8 type;       // SDL_KEYDOWN, SDL_KEYUP or SDL_ACTIVEEVENT (a focus loss)
    SDLKey key;
};

struct Run {
    unsigned seed = DEFAULT_SEED;
    std::string start;
    int frames = 0;
    int every = 1000;
    bool player = false;
    Uint64 player_seed = 0;
    int focus_every = 0;
    std::multimap<int, Input> script;
};

// What the play went through, counted from the state around each frame.
struct Tally {
    int power = 0, decoys = 0, boosts = 0, teleports = 0, knots = 0, lives_lost = 0,
        levels = 0, runs = 0, focus_losses = 0;
};

std::vector<std::string> content_maps;   // the content's map list as read
Tally tally;
bool run_over = false;                   // the current run has ended; counted once

void fail(const std::string &what)
{
    fprintf(stderr, "replay: %s\n", what.c_str());
    exit(2);
}

SDLKey key_named(const std::string &name)
{
    for (int k = 0; k < SDLK_LAST; k++)
        if (name == SDL_GetKeyName(SDLKey(k)))
            return SDLKey(k);
    fail("unknown key " + name);
    return SDLK_UNKNOWN;
}

void push_input(const Input &input)
{
    SDL_Event e = {};
    e.type = input.type;
    if (input.type == SDL_ACTIVEEVENT) {
        e.active.gain = input.key == SDLK_UNKNOWN ? 0 : 1;
        e.active.state = SDL_APPINPUTFOCUS;
    } else {
        e.key.type = input.type;
        e.key.state = input.type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        e.key.keysym.sym = input.key;
    }
    SDL_PushEvent(&e);
}

const Input FOCUS_LOSS = {SDL_ACTIVEEVENT, SDLK_UNKNOWN};
const Input FOCUS_GAIN = {SDL_ACTIVEEVENT, SDLK_RETURN};   // any key but unknown: gain

Input key_down(SDLKey key)
{
    return {SDL_KEYDOWN, key};
}

// The answers to the modal screens, each followed by a turn with nothing, so that a screen
// that leaves once its queue is empty (the menu, the focus wait) leaves nothing behind.
void answer_modal_screen()
{
    static const Input ANSWERS[] = {FOCUS_GAIN, key_down(SDLK_SPACE), key_down(SDLK_RETURN),
                                    key_down(SDLK_p)};
    static unsigned turn = 0;
    if (lives == 0 && !run_over) {
        run_over = true;
        tally.runs++;
        if (level_map.dots_left == 0)
            tally.levels++;
        else
            tally.lives_lost++;
    }
    if (turn++ % 2 == 0)
        push_input(ANSWERS[(turn / 2) % 4]);
}

// The player's own generator (xorshift), apart from the game's.
struct Dice {
    Uint64 state;
    Uint32 next()
    {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return Uint32(state >> 32);
    }
    bool one_in(Uint32 n) { return next() % n == 0; }
};

bool worth_taking(Uint8 cell)
{
    return cell == CELL_DOT || cell == CELL_LIFE || cell == CELL_DECOY || cell == CELL_POWER;
}

// The first step of a shortest way from the player to the nearest cell worth taking.
Uint8 way_to_nearest_pickup()
{
    Uint8 first[MAP_CELLS] = {};
    bool seen[MAP_CELLS] = {};
    std::queue<int> cells;
    int from = player.cell_x + player.cell_y * MAP_COLUMNS;
    cells.push(from);
    seen[from] = true;
    while (!cells.empty()) {
        int at = cells.front();
        cells.pop();
        if (at != from && worth_taking(level_map.cells[at]))
            return first[at];
        for (Uint8 d = DIR_RIGHT; d <= DIR_UP; d++) {
            int nx, ny;
            if (!way_free(at % MAP_COLUMNS, at / MAP_COLUMNS, d)
                || !neighbour_cell(at % MAP_COLUMNS, at / MAP_COLUMNS, d, nx, ny))
                continue;
            int next = nx + ny * MAP_COLUMNS;
            if (seen[next])
                continue;
            seen[next] = true;
            first[next] = at == from ? d : first[at];
            cells.push(next);
        }
    }
    return DIR_NONE;
}

bool enemy_near()
{
    for (const Actor &enemy : enemies)
        if (enemy.knockout == 0 && abs(enemy.cell_x - player.cell_x) + abs(enemy.cell_y - player.cell_y) <= 3)
            return true;
    return false;
}

const SDLKey DIRECTION_KEYS[] = {SDLK_UNKNOWN, SDLK_RIGHT, SDLK_DOWN, SDLK_LEFT, SDLK_UP};

// The seeded player's move for this frame, at most one key: mostly heading for the nearest
// pick-up, sometimes a random way, and now and then one of the other play keys.
SDLKey player_key(Dice &dice)
{
    if (player.knockout != 0)
        return dice.one_in(40) ? SDLK_v : dice.one_in(150) ? SDLK_SPACE : SDLK_UNKNOWN;
    if (enemy_near() && !power_mode && power_charges > 0 && dice.one_in(10))
        return SDLK_n;
    static const struct {
        Uint32 one_in;
        SDLKey key;
    } RARE_KEYS[] = {{3000, SDLK_ESCAPE}, {2500, SDLK_SPACE}, {3000, SDLK_p},
                     {700, SDLK_n},       {500, SDLK_m},      {300, SDLK_b}};
    for (const auto &rare : RARE_KEYS)
        if (dice.one_in(rare.one_in))
            return rare.key;
    if (!dice.one_in(6))
        return SDLK_UNKNOWN;
    Uint8 direction = dice.one_in(4) ? Uint8(DIR_RIGHT + dice.next() % 4) : way_to_nearest_pickup();
    return DIRECTION_KEYS[direction];
}

bool boost_running()
{
    for (const Actor &enemy : enemies)
        if (enemy.speed == BOOST_SPEED)
            return true;
    return false;
}

// One frame with its inputs; counts what the frame went through.
void play_frame(const Run &run, int frame, Dice &dice)
{
    auto scripted = run.script.equal_range(frame);
    for (auto it = scripted.first; it != scripted.second; ++it) {
        push_input(it->second);
        tally.focus_losses += it->second.type == SDL_ACTIVEEVENT;
    }
    if (run.focus_every > 0 && frame % run.focus_every == 0) {
        push_input(FOCUS_LOSS);
        tally.focus_losses++;
    } else if (run.player) {
        SDLKey key = player_key(dice);
        if (key != SDLK_UNKNOWN)
            push_input(key_down(key));
    }
    const Uint8 lives_before = lives, level_before = level_index, interval_before = catch_interval;
    const Uint8 power_before = power_mode, exit_x = player.exit_x, exit_y = player.exit_y;
    const Uint16 decoy_before = decoy_timer;
    const bool boost_before = boost_running();
    run_frame();
    if (lives != 0)
        run_over = false;
    tally.power += !power_before && power_mode;
    tally.decoys += decoy_before <= 2 && decoy_timer > 2;
    tally.boosts += !boost_before && boost_running();
    tally.teleports += (player.exit_x || player.exit_y) && (player.exit_x != exit_x || player.exit_y != exit_y);
    tally.knots += catch_interval > interval_before;
    tally.lives_lost += lives != 0 && lives < lives_before;
    tally.levels += level_index > level_before;
}

// The content tree opened the way start-up does, without the quit sequence (a replay never
// writes the stored files).
void open_content(const char *dir)
{
    if (chdir(dir) != 0)
        fail(std::string("no content tree at ") + dir);
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (SDL_Init(SDL_INIT_VIDEO) < 0 || set_video_mode() != 0)
        fail(std::string("no video: ") + SDL_GetError());
    connect_layers();
    read_high_scores(HIGH_SCORES_PATH);
    read_list(SKIN_LIST_PATH, skin_list);
    read_list(LANGUAGE_LIST_PATH, language_list);
    read_config(CONFIG_PATH);
    config_read = false;   // so that the saves after a name entry leave the stored files alone
    load_skin();
    // Sound as start-up opens it, on whatever SDL_AUDIODRIVER names: the hashes must not care.
    open_sound();
    load_skin_sounds();
    reset_program_state();   // as start-up: before the menu map and the map list are read
    FILE *file = open_text_file(MENU_MAP_PATH);
    if (!file)
        exit(2);
    read_map(menu_map, file);
    fclose(file);
    load_texts();
    read_map_list(MAP_LIST_PATH);
    content_maps = map_list;
    idle_input = answer_modal_screen;
}

// A new game on the content's maps from run.start on, with the test clock and seed.
void start_run(const Run &run)
{
    map_list = content_maps;
    if (!run.start.empty()) {
        size_t i = 0;
        while (i < map_list.size() && map_list[i] != run.start)
            i++;
        if (i == map_list.size())
            fail("no map " + run.start + " in the map list");
        map_list.erase(map_list.begin(), map_list.begin() + i);
    }
    set_test_clock(TEST_CLOCK_START, 1);
    set_test_seed(run.seed);
    if (new_game() != 0)
        fail("the first map does not load");
    reset_frame_pacer();
}

Run read_run(const char *path)
{
    std::ifstream in(path);
    if (!in)
        fail(std::string("cannot read ") + path);
    Run run;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line.substr(0, line.find('#')));
        std::string first, second, third;
        if (!(words >> first))
            continue;
        words >> second >> third;
        if (first == "seed") run.seed = std::stoul(second);
        else if (first == "start") run.start = second;
        else if (first == "frames") run.frames = std::stoi(second);
        else if (first == "every") run.every = std::stoi(second);
        else if (first == "player") { run.player = true; run.player_seed = std::stoull(second) | 1; }
        else if (first == "focus") run.focus_every = std::stoi(second);
        else if (second == "focus") run.script.insert({std::stoi(first), FOCUS_LOSS});
        else if (second == "down" || second == "up")
            run.script.insert({std::stoi(first), {Uint8(second == "down" ? SDL_KEYDOWN : SDL_KEYUP), key_named(third)}});
        else
            fail("cannot read the line: " + line);
    }
    if (run.frames <= 0 || run.every <= 0)
        fail("a run needs frames and every above 0");
    return run;
}

std::string hash_line(const char *what, int frame)
{
    char line[64];
    snprintf(line, sizeof line, "%s %d %016llx\n", what, frame, (unsigned long long)game_state_hash());
    return line;
}

std::string tally_line()
{
    char line[200];
    snprintf(line, sizeof line,
             "power %d decoys %d boosts %d teleports %d knots %d lives_lost %d levels %d runs %d focus %d\n",
             tally.power, tally.decoys, tally.boosts, tally.teleports, tally.knots,
             tally.lives_lost, tally.levels, tally.runs, tally.focus_losses);
    return line;
}

std::string replay(const Run &run)
{
    start_run(run);
    Dice dice{run.player_seed};
    std::string out;
    for (int frame = 1; frame <= run.frames; frame++) {
        play_frame(run, frame, dice);
        if (frame % run.every == 0)
            out += hash_line("frame", frame);
    }
    return out + hash_line("end", run.frames) + tally_line();
}

long resident_kb()
{
    long pages = 0, resident = 0;
    FILE *statm = fopen("/proc/self/statm", "r");
    if (!statm || fscanf(statm, "%ld %ld", &pages, &resident) != 2)
        fail("cannot read /proc/self/statm");
    fclose(statm);
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Random play across every map of the list in turn, a focus loss (and so a skin and font
// reload) every frames / losses frames. Fails when resident memory grew by the limit or more
// after the warm-up.
int soak(int frames, int losses)
{
    Run run;
    run.player = true;
    run.player_seed = 0x5eed;
    run.focus_every = frames / losses;
    const int segment = frames / (int)content_maps.size();
    Dice dice{run.player_seed};
    long warm_kb = 0;
    int frame = 0;
    for (const std::string &name : content_maps) {
        run.start = name;
        start_run(run);
        for (int i = 0; i < segment; i++) {
            play_frame(run, ++frame, dice);
            if (frame == SOAK_WARM_UP_FRAMES)
                warm_kb = resident_kb();
        }
    }
    long end_kb = resident_kb();
    printf("%d frames, resident %ld kB after %d frames, %ld kB at the end\n%s", frame, warm_kb,
           SOAK_WARM_UP_FRAMES, end_kb, tally_line().c_str());
    if (end_kb - warm_kb >= SOAK_GROWTH_LIMIT_KB) {
        printf("resident memory grew by %ld kB\n", end_kb - warm_kb);
        return 1;
    }
    return 0;
}

int check(const std::string &out, const char *expected_path)
{
    std::ifstream in(expected_path);
    std::stringstream expected;
    expected << in.rdbuf();
    if (out == expected.str())
        return 0;
    std::istringstream got_lines(out), want_lines(expected.str());
    std::string got, want;
    while (std::getline(want_lines, want)) {
        std::getline(got_lines, got);
        if (got != want) {
            printf("expected: %s\n     got: %s\n", want.c_str(), got.c_str());
            break;
        }
    }
    printf("the state differs from %s (make replay-update rewrites it)\n", expected_path);
    return 1;
}

// The path as seen from the directory the replay was started in.
std::string absolute(const char *path)
{
    char cwd[4096];
    if (path[0] == '/' || !getcwd(cwd, sizeof cwd))
        return path;
    return std::string(cwd) + "/" + path;
}

} // namespace

// Resident memory is measured in the sanitized build too: a small quarantine keeps freed
// blocks from counting as growth.
extern "C" const char *__asan_default_options()
{
    return "quarantine_size_mb=1:detect_leaks=0";
}

int main(int argc, char **argv)
{
    if (argc >= 5 && strcmp(argv[2], "--soak") == 0) {
        open_content(argv[1]);
        return soak(atoi(argv[3]), atoi(argv[4]));
    }
    if (argc != 3 && argc != 5) {
        fprintf(stderr, "usage: replay CONTENT_DIR RUN_FILE [--expect|--write HASHES]\n"
                        "       replay CONTENT_DIR --soak FRAMES FOCUS_LOSSES\n");
        return 2;
    }
    std::string run_path = absolute(argv[2]), out_path = argc == 5 ? absolute(argv[4]) : "";
    open_content(argv[1]);   // key names are known once video is up
    Run run = read_run(run_path.c_str());
    std::string out = replay(run);
    fputs(out.c_str(), stdout);
    if (argc == 5 && strcmp(argv[3], "--write") == 0) {
        std::ofstream(out_path) << out;
        return 0;
    }
    return argc == 5 ? check(out, out_path.c_str()) : 0;
}
