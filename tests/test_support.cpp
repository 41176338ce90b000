// SPDX-License-Identifier: GPL-3.0-or-later
// test_support.cpp: shared helpers for the tests (see test_support.h).
#include "test_support.h"
#include "files.h"
#include "frame.h"
#include "gfx.h"
#include "world.h"
#include <gtest/gtest.h>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <pthread.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

const char *const SOURCE_DIR = GOBRANT_SOURCE_DIR;

void open_test_screen()
{
    if (screen)
        return;
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 0);   // no device of the machine's, unless a test names one
    if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO) < 0)
        throw std::runtime_error(SDL_GetError());
    screen = SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, SCREEN_DEPTH, SDL_SWSURFACE);
    if (!screen)
        throw std::runtime_error(SDL_GetError());
    connect_layers();
}

// Every scratch folder of a test program, its death-test children's included, lies in one
// folder made at its first use and removed when the process that made it ends.
static std::string scratch_root_path;
static pid_t scratch_root_owner = 0;

static void remove_scratch_root()
{
    if (getpid() != scratch_root_owner)
        return;   // a death-test child: the parent removes the folder
    if (chdir("/") == 0)
        std::filesystem::remove_all(scratch_root_path);
}

std::string scratch_root()
{
    if (scratch_root_path.empty()) {
        char pattern[] = "/tmp/gobrant-test-XXXXXX";
        if (!mkdtemp(pattern))
            throw std::runtime_error("mkdtemp failed");
        scratch_root_path = pattern;
        scratch_root_owner = getpid();
        atexit(remove_scratch_root);
    }
    return scratch_root_path;
}

std::string enter_scratch_tree(bool copy_content)
{
    std::string pattern = scratch_root() + "/tree-XXXXXX";
    if (!mkdtemp(&pattern[0]))
        throw std::runtime_error("mkdtemp failed");
    std::string path = pattern;
    if (copy_content) {
        std::string command = "cp -r '" + std::string(SOURCE_DIR) + "/content/.' '" + path + "'";
        if (system(command.c_str()) != 0)
            throw std::runtime_error("copying the content tree failed");
    }
    if (chdir(path.c_str()) != 0)
        throw std::runtime_error("chdir failed");
    return path;
}

std::string read_file(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void write_file(const std::string &path, const std::string &text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

void write_map(const std::string &name, const std::vector<std::string> &rows)
{
    mkdir("maps", 0755);
    std::string text = "# " + name + "\n";
    for (int y = 0; y < MAP_ROWS; y++) {
        std::string row = y < (int)rows.size() ? rows[y] : "";
        row.resize(MAP_COLUMNS, MAP_WALL);
        text += row + "\n";
    }
    write_file("maps/" + name, text);
}

std::vector<std::string> walled_rows()
{
    std::vector<std::string> rows(MAP_ROWS, std::string(MAP_COLUMNS, MAP_FLOOR));
    rows[0] = rows[MAP_ROWS - 1] = std::string(MAP_COLUMNS, MAP_WALL);
    for (std::string &row : rows)
        row[0] = row[MAP_COLUMNS - 1] = MAP_WALL;
    return rows;
}

void set_level(const std::vector<std::string> &rows)
{
    memset(level_map.cells, CELL_WALL, sizeof level_map.cells);
    level_map.teleports.clear();
    for (size_t y = 0; y < rows.size(); y++)
        for (size_t x = 0; x < rows[y].size(); x++) {
            char c = rows[y][x];
            level_map.cells[x + y * MAP_COLUMNS] = c == '#' ? CELL_WALL : c == '.' ? CELL_FLOOR : (Uint8)c;
        }
}

FILE *stream_with(const std::string &text)
{
    FILE *file = tmpfile();
    fwrite(text.data(), 1, text.size(), file);
    rewind(file);
    return file;
}

void stdout_to_stderr()
{
    fflush(stdout);
    dup2(STDERR_FILENO, STDOUT_FILENO);
}

void leave_scratch_tree(const std::string &root)
{
    if (chdir(scratch_root().c_str()) == 0)
        std::filesystem::remove_all(root);
}

// Whether the game's trace shows a waiting screen's empty poll; false once the game has ended.
static bool wait_for_waiting_screen(pid_t pid, const std::string &trace_path)
{
    for (;;) {
        if (read_file(trace_path).find("idle\n") != std::string::npos)
            return true;
        siginfo_t ended = {};
        if (waitid(P_PID, pid, &ended, WEXITED | WNOHANG | WNOWAIT) != 0 || ended.si_pid == pid)
            return false;
        usleep(10000);   // a poll of the trace, not a wait for time to pass
    }
}

int run_game_binary(const std::string &dir, std::string &output, bool term_when_waiting)
{
    std::string out_path = dir + "/.stdout", trace_path = dir + "/.trace";
    pid_t pid = fork();
    if (pid == 0) {
        if (chdir(dir.c_str()) != 0)
            _exit(127);
        FILE *out = freopen(out_path.c_str(), "w", stdout);
        if (!out)
            _exit(127);
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 0);   // no device of the machine's, unless a test names one
        setenv("GOBRANT_TRACE_FILE", trace_path.c_str(), 1);
        execl(GOBRANT_BINARY, GOBRANT_BINARY, (char *)nullptr);
        _exit(127);
    }
    if (term_when_waiting && wait_for_waiting_screen(pid, trace_path))
        kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    output = read_file(out_path);
    unlink(out_path.c_str());
    unlink(trace_path.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void drain_events()
{
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
    }
}

static SDL_Event key_event(SDLKey sym, SDLMod mod, Uint8 type)
{
    SDL_Event e = {};
    e.type = type;
    e.key.type = type;
    e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = sym;
    e.key.keysym.mod = mod;
    return e;
}

void push_key(SDLKey sym, SDLMod mod, Uint8 type)
{
    SDL_Event e = key_event(sym, mod, type);
    SDL_PushEvent(&e);
}

void push_keys(std::initializer_list<SDLKey> keys)
{
    for (SDLKey key : keys)
        push_key(key);
}

static std::vector<SDLKey> keys_for_waits;   // in the order they are to come
static size_t next_key_for_waits = 0;
static int empty_polls = 0;   // since the last key pushed (each key is read before the next)

// The idle-input hook: a screen found its queue empty. One empty poll may still be followed
// by a redraw, or end the screen (a menu draws and leaves only after one, the focus wait
// returns after one); after SETTLED_POLLS in a row it waits for the player and gets the next key.
static void push_key_to_waiting_screen()
{
    const int SETTLED_POLLS = 3;
    if (++empty_polls >= SETTLED_POLLS && next_key_for_waits < keys_for_waits.size()) {
        empty_polls = 0;
        push_key(keys_for_waits[next_key_for_waits++]);
        return;
    }
    if (next_key_for_waits == keys_for_waits.size())
        idle_input = nullptr;
    rest(IDLE_REST);
}

void push_keys_when_waiting(std::initializer_list<SDLKey> keys)
{
    keys_for_waits.assign(keys);
    next_key_for_waits = 0;
    empty_polls = 0;
    idle_input = push_key_to_waiting_screen;
}

void push_focus(Uint8 gain, Uint8 state)
{
    SDL_Event e = {};
    e.type = SDL_ACTIVEEVENT;
    e.active.gain = gain;
    e.active.state = state;
    SDL_PushEvent(&e);
}

void push_event_of_type(Uint8 type)
{
    SDL_Event e = {};
    e.type = type;
    SDL_PushEvent(&e);
}

SDL_Surface *screen_format_surface(int w, int h, Uint32 pixel)
{
    const SDL_PixelFormat *f = screen->format;
    SDL_Surface *s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, f->BitsPerPixel, f->Rmask,
                                          f->Gmask, f->Bmask, f->Amask);
    SDL_FillRect(s, nullptr, pixel);
    return s;
}

void fill_area(SDL_Surface *s, int x, int y, int w, int h, Uint32 pixel)
{
    SDL_Rect r = {Sint16(x), Sint16(y), Uint16(w), Uint16(h)};
    SDL_FillRect(s, &r, pixel);
}

Uint32 locked_pixel(SDL_Surface *s, int x, int y)
{
    SDL_LockSurface(s);
    Uint32 p = get_pixel(s, x, y);
    SDL_UnlockSurface(s);
    return p;
}

std::vector<Uint32> all_pixels(SDL_Surface *s)
{
    std::vector<Uint32> pixels;
    SDL_LockSurface(s);
    for (int y = 0; y < s->h; y++)
        for (int x = 0; x < s->w; x++)
            pixels.push_back(get_pixel(s, x, y));
    SDL_UnlockSurface(s);
    return pixels;
}

Uint32 screen_pixel(int x, int y)
{
    return locked_pixel(screen, x, y);
}

SDL_Surface *rgb_surface(int w, int h)
{
    return SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 24, 0xFF0000, 0xFF00, 0xFF, 0);
}

void save_bmp(SDL_Surface *s, const std::string &path)
{
    EXPECT_EQ(0, SDL_SaveBMP(s, path.c_str())) << path;
    SDL_FreeSurface(s);
}

void save_flat_bmp(const std::string &path, int w, int h, Uint8 r, Uint8 g, Uint8 b)
{
    SDL_Surface *s = rgb_surface(w, h);
    SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, r, g, b));
    save_bmp(s, path);
}

void fill_screen(Uint32 pixel)
{
    SDL_FillRect(screen, nullptr, pixel);
}

void child_watchdog()
{
    std::thread([] {
        std::this_thread::sleep_for(std::chrono::seconds(10));
        fprintf(stderr, "still running after ten seconds\n");
        _exit(4);
    }).detach();
}

static bool (*exit_check)() = nullptr;
static const char *exit_check_name = "";

static void run_exit_check()
{
    if (exit_check && !exit_check()) {
        fprintf(stderr, "exit check failed: %s\n", exit_check_name);
        _exit(3);
    }
}

void check_at_exit(bool (*check)(), const char *what)
{
    child_watchdog();
    exit_check = check;
    exit_check_name = what;
    atexit(run_exit_check);
}

void reset_to_no_game()
{
    reset_program_state();
    reset_run_state();
    lives = 0;
    reset_level_state();
}

void reset_game_state()
{
    reset_to_no_game();
    for (auto &entry : high_scores)
        entry = {"best", UNBEATABLE};
}

void read_stored_files()
{
    skin_list.assign(2, "skin");
    language_list.assign(2, "language");
    read_high_scores(HIGH_SCORES_PATH);
    read_config(CONFIG_PATH);
}

void enter_shipped_skin()
{
    open_test_screen();
    enter_scratch_tree();
    skin_list.clear();
    read_list(SKIN_LIST_PATH, skin_list);
    skin_index = 0;
    load_skin();
}

void enter_play_tree()
{
    enter_shipped_skin();
    language_list.clear();
    read_list(LANGUAGE_LIST_PATH, language_list);
    language_index = 1;
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

void start_game_on(const std::vector<std::pair<std::string, std::vector<std::string>>> &maps)
{
    for (const auto &m : maps) {
        write_map(m.first, m.second);
        map_list.push_back(m.first);
    }
    ASSERT_EQ(new_game(), 0);
    reset_frame_pacer();
}

// Every test runs under a watchdog: a test still running after TEST_TIME_LIMIT seconds (a
// screen waiting for a key that never comes, a frame that never ends) ends the test program
// with the test's name, so a hang becomes a failure that names it. A forked child (a death
// test, a quitting game) gets the same limit, and ends with the test program: a hung child
// is never left running. Death-test children that start afresh arm their own.
namespace {

const unsigned TEST_TIME_LIMIT = 60;   // seconds; ctest's limit per test lies above it
char running_test[512];

void watch_forked_child()
{
    alarm(TEST_TIME_LIMIT);
    prctl(PR_SET_PDEATHSIG, SIGKILL);
}

void stop_hung_test(int)
{
    const char message[] = "watchdog: still running after the time limit: ";
    ssize_t ignored = write(STDERR_FILENO, message, sizeof message - 1);
    ignored = write(STDERR_FILENO, running_test, strlen(running_test));
    ignored = write(STDERR_FILENO, "\n", 1);
    (void)ignored;
    _exit(124);
}

class TestWatchdog : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo &test) override
    {
        snprintf(running_test, sizeof running_test, "%s.%s", test.test_suite_name(), test.name());
        signal(SIGALRM, stop_hung_test);
        alarm(TEST_TIME_LIMIT);
        // Each test starts from the state a fresh game starts with, whichever tests ran
        // before it in this process.
        reset_files_program_state();
        reset_frame_program_state();
        reset_to_no_game();
    }
    void OnTestEnd(const testing::TestInfo &) override { alarm(0); }
};

const bool watchdog_installed =
    (testing::UnitTest::GetInstance()->listeners().Append(new TestWatchdog),
     pthread_atfork(nullptr, nullptr, watch_forked_child) == 0);

} // namespace
