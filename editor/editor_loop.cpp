// SPDX-License-Identifier: GPL-3.0-or-later
// editor_loop.cpp: the editor's start, its keys and mouse, the questions it asks, saving
// with the map list, and the play-test in a copy of the content tree.
#include "editor.h"
#include "autoplay.h"
#include "files.h"
#include "frame.h"
#include "gfx.h"
#include "world.h"
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

const char *const EDITOR_CAPTION = "Gobrant editor";
bool editor_running = true;

static const char *const GAME_PROGRAM = "gobrant";          // beside the editor's own program
static const char *const PLAY_TEST_NAME = "playtest";       // the map's name in the play-test
static const size_t NAME_LIMIT = 40;
static const int KEY_REPEAT_DELAY = 300, KEY_REPEAT_INTERVAL = 40;   // milliseconds

// Program state kept here (editor.h): the gestures under way, set and cleared by presses and
// releases, what was last read of each key, and a close asked while the map was tried.
static bool space_held = false;        // space paints the cells the cursor moves to
static bool mouse_painting = false;    // the left button is down over the maze
static int last_x, last_y;             // the cell the pointer painted last
static bool filling = false;           // a Shift+drag: a rectangle from (fill_x, fill_y)
static int fill_x, fill_y;
// What the editor last read of each key: nothing yet, its press, or its release.
enum KeySeen : Uint8 { KEY_UNSEEN, KEY_PRESSED, KEY_RELEASED };
static KeySeen key_seen[SDLK_LAST];
static bool close_asked_away = false;  // the window's close was asked while the map was tried

void reset_editor_program_state()
{
    for (std::string &text : editor_texts)
        text.clear();
    editor_running = true;
    cursor_x = MAP_COLUMNS / 2;
    cursor_y = MAP_ROWS / 2;
    pointer_x = pointer_y = -1;
    edit_kind = MAP_WALL;
    status_note.clear();
    space_held = mouse_painting = filling = false;
    last_x = last_y = fill_x = fill_y = 0;
    std::fill(std::begin(key_seen), std::end(key_seen), KEY_UNSEEN);
    close_asked_away = false;
}

// "maps/name.txt", "name.txt" and "name" all name the map "name".
static std::string map_name_of(const std::string &argument)
{
    std::string name = argument.substr(argument.find_last_of('/') + 1);
    size_t suffix = std::string(MAP_FILE_SUFFIX).size();
    if (name.size() > suffix && name.compare(name.size() - suffix, suffix, MAP_FILE_SUFFIX) == 0)
        name.resize(name.size() - suffix);
    return name;
}

// The editor's window: the maze area of the game's screen with the strip right of it.
static int open_editor_window()
{
    if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO) < 0) {
        printf("ERROR SDL %s\n", SDL_GetError());
        return 1;
    }
    screen = SDL_SetVideoMode(SCREEN_WIDTH + STRIP_WIDTH, SCREEN_HEIGHT, SCREEN_DEPTH,
                              SDL_SWSURFACE);
    if (!screen) {
        printf("ERROR video %s\n", SDL_GetError());
        return 1;
    }
    SDL_WM_SetCaption(EDITOR_CAPTION, nullptr);
    SDL_EnableUNICODE(1);
    SDL_EnableKeyRepeat(KEY_REPEAT_DELAY, KEY_REPEAT_INTERVAL);
    return 0;
}

// Opens the window, reads the lists, the configuration, the skin and the editor's texts,
// then opens maps/<map>.txt (a new map of that name when there is none) or a new map.
int start_editor(const char *map_argument)
{
    if (open_editor_window() != 0)
        return 1;
    skin_list.clear();
    language_list.clear();
    read_list(SKIN_LIST_PATH, skin_list);
    read_list(LANGUAGE_LIST_PATH, language_list);
    if (skin_list.empty() || language_list.empty())
        return 1;
    read_config(CONFIG_PATH);
    load_skin();
    reset_editor_program_state();
    load_editor_texts();
    new_edit_map();
    if (map_argument && map_argument[0]) {
        std::string name = map_name_of(map_argument);
        if (!open_edit_map(name))
            edit_name = name;
    }
    check_edit_map();
    draw_editor();
    return 0;
}

// Whether the release of `key` waits in the queue still.
static bool release_queued(SDLKey key)
{
    SDL_Event queued[64];
    int count = SDL_PeepEvents(queued, 64, SDL_PEEKEVENT, SDL_KEYUPMASK);
    for (int i = 0; i < count; i++)
        if (queued[i].key.keysym.sym == key)
            return true;
    return false;
}

// Notes a key's press or release; false for a press that no key made. SDL 1.2 on SDL 2
// (sdl12-compat) with Unicode translation on keeps repeating a key whose press and release
// it read in one go, long after the release: such a press comes after the key's release
// was read, while the key is up and no release of it waits in the queue. `repeat` tells
// whether the key was pressed before and not released since.
static bool note_key(const SDL_Event &e, bool *repeat = nullptr)
{
    SDLKey key = e.key.keysym.sym;
    if ((e.type != SDL_KEYDOWN && e.type != SDL_KEYUP) || key <= SDLK_UNKNOWN || key >= SDLK_LAST)
        return true;
    if (repeat)
        *repeat = key_seen[key] == KEY_PRESSED;
    if (e.type == SDL_KEYUP) {
        key_seen[key] = KEY_RELEASED;
        return true;
    }
    if (key_seen[key] == KEY_RELEASED && !SDL_GetKeyState(nullptr)[key] && !release_queued(key))
        return false;
    key_seen[key] = KEY_PRESSED;
    return true;
}

// Drops every waiting event after the editor's window was left for a while (the game or the
// automatic player ran), noting the keys' presses and releases among them; a key pressed
// before and up now counts as released, its release having gone to another window. A close
// of the window asked meanwhile is noted; with `back_in_editor` it is queued again, so that
// the editor closes (asking first about unsaved changes) once the map has been tried.
static void drop_waiting_events(bool back_in_editor)
{
    while (SDL_PollEvent(&event)) {
        note_key(event);
        close_asked_away = close_asked_away || event.type == SDL_QUIT;
    }
    Uint8 *held = SDL_GetKeyState(nullptr);
    for (int key = 0; key < SDLK_LAST; key++)
        if (key_seen[key] == KEY_PRESSED && !held[key])
            key_seen[key] = KEY_RELEASED;
    if (back_in_editor && close_asked_away) {
        close_asked_away = false;
        SDL_Event close = {};
        close.type = SDL_QUIT;
        SDL_PushEvent(&close);
    }
}

// While the automatic player runs, the player's events are set aside before they reach the
// queue: none steers it or opens a screen inside it; a close of the window is noted.
static int SDLCALL set_aside_event(const SDL_Event *e)
{
    if (e->type == SDL_QUIT)
        close_asked_away = true;
    return 0;
}

// Waits for the next key press (or a closed window, which counts as Escape).
static SDL_keysym next_key()
{
    for (;;) {
        if (!poll_event_or_rest() || !note_key(event))
            continue;
        if (event.type == SDL_KEYDOWN)
            return event.key.keysym;
        if (event.type == SDL_QUIT) {
            SDL_keysym escape = {};
            escape.sym = SDLK_ESCAPE;
            return escape;
        }
    }
}

static bool is_yes(SDLKey key)
{
    return key == SDLK_RETURN || key == SDLK_KP_ENTER;
}

bool ask_yes_no(const char *question)
{
    draw_question(question, nullptr);
    for (;;) {
        SDLKey key = next_key().sym;
        if (is_yes(key) || key == SDLK_ESCAPE)
            return is_yes(key);
    }
}

// The character a key types into a map name: letters, digits, '-' and '_'; 0 for others.
static char name_char(const SDL_keysym &key)
{
    int c = key.unicode;
    if (c == 0 && key.sym < 128) {
        c = key.sym;
        if ((key.mod & KMOD_SHIFT) && c >= 'a' && c <= 'z')
            c += 'A' - 'a';
    }
    bool fits = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
        || c == '-' || c == '_';
    return fits ? char(c) : 0;
}

// Lets the player type a map name; false when Escape leaves it.
static bool ask_name(std::string &name)
{
    name.clear();
    for (;;) {
        draw_question(editor_texts[ET_ASK_NAME].c_str(), name.c_str());
        SDL_keysym key = next_key();
        if (is_yes(key.sym) && !name.empty())
            return true;
        if (key.sym == SDLK_ESCAPE)
            return false;
        if (key.sym == SDLK_BACKSPACE && !name.empty())
            name.pop_back();
        else if (name_char(key) && name.size() < NAME_LIMIT)
            name += name_char(key);
    }
}

// Where the new entry goes among the list's entries (0 first); -1 when Escape declines.
static int choose_list_position(const std::vector<std::string> &entries)
{
    int position = (int)entries.size();
    for (;;) {
        draw_map_list_choice(entries, position);
        SDLKey key = next_key().sym;
        if (is_yes(key))
            return position;
        if (key == SDLK_ESCAPE)
            return -1;
        if (key == SDLK_UP && position > 0)
            position--;
        else if (key == SDLK_DOWN && position < (int)entries.size())
            position++;
        else if (key == SDLK_HOME)
            position = 0;
        else if (key == SDLK_END)
            position = (int)entries.size();
    }
}

// Offers to put the saved map into the map list when it is not there yet and the game would
// play it under its name.
static void offer_map_list()
{
    std::string entry = edit_name + MAP_FILE_SUFFIX;
    std::vector<std::string> entries = map_list_entries(MAP_LIST_PATH);
    for (const std::string &listed : entries)
        if (listed == entry)
            return;
    if (!playable_list_entry(entry)) {
        status_note += "  " + editor_text(ET_SAVE_FAILED, MAP_LIST_PATH);
        return;
    }
    int position = choose_list_position(entries);
    if (position < 0)
        return;
    if (insert_map_list_entry(MAP_LIST_PATH, entry, position))
        status_note += "  " + editor_text(ET_LIST_ADDED, std::to_string(position + 1));
    else
        status_note += "  " + editor_text(ET_SAVE_FAILED, MAP_LIST_PATH);
}

// Asks for a name when the map has none (and whether to replace a map of that name), asks
// to confirm a map with faults, saves, and offers the map list.
void save_with_questions()
{
    end_stroke();
    std::string name = edit_name;
    if (name.empty()) {
        if (!ask_name(name))
            return;
        if (access(edit_map_path(name).c_str(), F_OK) == 0
            && !ask_yes_no(editor_text(ET_ASK_REPLACE, name).c_str()))
            return;
    }
    check_edit_map();
    if (!edit_faults.empty() && !ask_yes_no(editor_texts[ET_ASK_FAULTY].c_str()))
        return;
    std::string old_name = edit_name;
    edit_name = name;
    if (!save_edit_map()) {
        edit_name = old_name;
        status_note = editor_text(ET_SAVE_FAILED, edit_map_path(name));
        return;
    }
    status_note = editor_text(ET_SAVED, edit_map_path(name));
    check_edit_map();
    offer_map_list();
}

// The game program in the editor's own directory.
static std::string game_program()
{
    char self[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0)
        return GAME_PROGRAM;
    std::string path(self, length);
    return path.substr(0, path.find_last_of('/') + 1) + GAME_PROGRAM;
}

// A temporary copy of the content tree whose map list names only this map, with the
// editor's skin chosen; the game runs there and the copy goes when it ends.
void play_test()
{
    namespace fs = std::filesystem;
    end_stroke();
    std::string game = game_program();
    char pattern[] = "/tmp/gobrant-playtest.XXXXXX";
    if (access(game.c_str(), X_OK) != 0 || !mkdtemp(pattern)) {
        status_note = editor_text(ET_NO_GAME);
        return;
    }
    fs::path tree = pattern;
    std::error_code copy_error, skins_error, folder_error;
    fs::copy("data", tree / "data", fs::copy_options::recursive, copy_error);
    fs::copy("skins", tree / "skins", fs::copy_options::recursive, skins_error);
    fs::create_directory(tree / MAPS_FOLDER, folder_error);
    std::string name = (edit_name.empty() ? PLAY_TEST_NAME : edit_name) + MAP_FILE_SUFFIX;
    std::string text = edit_map_text();
    FILE *file = fopen((tree / MAPS_FOLDER / name).c_str(), "w");
    FILE *list = fopen((tree / MAP_LIST_PATH).c_str(), "w");
    if (file)
        fwrite(text.data(), 1, text.size(), file);
    if (list)
        fprintf(list, "%s\n", name.c_str());
    bool closed = (!file || fclose(file) == 0) && (!list || fclose(list) == 0);
    bool ready = file && list && closed && !copy_error && !skins_error && !folder_error;
    if (ready) {
        write_config((tree / CONFIG_PATH).c_str());
        pid_t child = fork();
        if (child == 0) {
            if (chdir(tree.c_str()) == 0)
                execl(game.c_str(), game.c_str(), PLAY_TEST_OPTION, (char *)nullptr);
            _exit(127);
        }
        int status = 0;
        ready = child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status)
            && WEXITSTATUS(status) == 0;
    }
    std::error_code remove_error;
    fs::remove_all(tree, remove_error);
    status_note = ready ? "" : editor_text(ET_NO_GAME);
    drop_waiting_events(true);
    space_held = mouse_painting = filling = false;
}

// The map written into a scratch tree of its own, played there with the game's frames
// drawn on an off-screen picture, and the tree removed again.
void try_autoplay()
{
    namespace fs = std::filesystem;
    end_stroke();
    status_note = editor_texts[ET_AUTOPLAY_RUNNING];
    draw_editor();
    std::error_code error;
    fs::path home = fs::current_path(error);
    char pattern[] = "/tmp/gobrant-autoplay.XXXXXX";
    if (error || !mkdtemp(pattern)) {
        status_note.clear();
        return;
    }
    fs::path tree = pattern;
    std::string name = std::string(PLAY_TEST_NAME) + MAP_FILE_SUFFIX, text = edit_map_text();
    fs::create_directory(tree / "maps", error);
    FILE *file = fopen((tree / "maps" / name).c_str(), "w");
    bool written = file && fwrite(text.data(), 1, text.size(), file) == text.size();
    written = file && fclose(file) == 0 && written;
    SDL_Surface *window = screen;
    const SDL_PixelFormat *f = window->format;
    SDL_Surface *canvas = SDL_CreateRGBSurface(SDL_SWSURFACE, SCREEN_WIDTH, SCREEN_HEIGHT,
                                               f->BitsPerPixel, f->Rmask, f->Gmask, f->Bmask, 0);
    AutoplayReport report;
    if (written && canvas && chdir(tree.c_str()) == 0) {
        drop_waiting_events(false);
        SDL_EventFilter filter_before = SDL_GetEventFilter();
        SDL_SetEventFilter(set_aside_event);
        screen = canvas;
        report = autoplay_level(name, EDITOR_AUTOPLAY_RUNS);
        screen = window;
        SDL_SetEventFilter(filter_before);
        clear_test_clock();
        if (chdir(home.c_str()) != 0)
            editor_running = false;   // the content tree is gone: nothing can be saved
    }
    if (canvas)
        SDL_FreeSurface(canvas);
    fs::remove_all(tree, error);
    drop_waiting_events(true);
    space_held = mouse_painting = filling = false;
    char median[16], catches[16], difficulty[16], cell[16];
    snprintf(median, sizeof median, "%.0f", report.median_seconds);
    snprintf(catches, sizeof catches, "%.1f", report.catches);
    snprintf(difficulty, sizeof difficulty, "%.1f", report.difficulty);
    if (report.cleared > 0) {
        status_note = editor_text_with(ET_AUTOPLAY_CLEARED, {std::to_string(report.cleared),
            std::to_string(report.runs), median, catches, difficulty});
    } else {
        snprintf(cell, sizeof cell, "%d,%d", report.stuck_x, report.stuck_y);
        status_note = editor_text_with(ET_AUTOPLAY_STUCK, {std::to_string(report.runs), cell});
        if (report.stuck_x >= 0) {
            cursor_x = report.stuck_x;
            cursor_y = report.stuck_y;
        }
    }
}

static void quit_editor()
{
    if (!edit_changed || ask_yes_no(editor_texts[ET_ASK_QUIT].c_str()))
        editor_running = false;
}

static void show_help()
{
    draw_help();
    next_key();
}

static void move_cursor(int dx, int dy)
{
    cursor_x = std::min(std::max(cursor_x + dx, 0), MAP_COLUMNS - 1);
    cursor_y = std::min(std::max(cursor_y + dy, 0), MAP_ROWS - 1);
    if (space_held)
        paint_cell(cursor_x, cursor_y);
}

static void handle_command_key(const SDL_keysym &key)
{
    if (key.sym == SDLK_z)
        undo_edit();
    else if (key.sym == SDLK_y)
        redo_edit();
    else if (key.sym == SDLK_s)
        save_with_questions();
}

// `repeat`: the key was pressed before and not released since (held down, or its release
// went to another window), which does not start a play-test or the automatic player again.
static void handle_key(const SDL_keysym &key, bool repeat)
{
    if (key.mod & KMOD_CTRL) {
        handle_command_key(key);
        return;
    }
    switch (key.sym) {
    case SDLK_ESCAPE: quit_editor(); return;
    case SDLK_F1: show_help(); return;
    case SDLK_F2:
        skin_index = Uint8((skin_index + 1) % skin_list.size());
        load_skin();
        return;
    case SDLK_F5:
        if (!repeat)
            play_test();
        return;
    case SDLK_F6:
        if (!repeat)
            try_autoplay();
        return;
    case SDLK_RIGHT: move_cursor(1, 0); return;
    case SDLK_LEFT: move_cursor(-1, 0); return;
    case SDLK_DOWN: move_cursor(0, 1); return;
    case SDLK_UP: move_cursor(0, -1); return;
    case SDLK_SPACE:
        begin_stroke();
        space_held = true;
        paint_cell(cursor_x, cursor_y);
        return;
    default: break;
    }
    if (key.sym < 128 && map_character_index((unsigned char)key.sym) >= 0)
        edit_kind = char(key.sym);
    else if (key.sym >= SDLK_a && key.sym <= SDLK_z)
        edit_kind = char((key.mod & KMOD_SHIFT) ? key.sym - 'a' + 'A' : key.sym);
}

// The maze cell under pixel (x, y); false below the maze.
static bool cell_under(int x, int y, int &cell_x, int &cell_y)
{
    if (x < 0 || y < 0 || x >= SCREEN_WIDTH || y >= SCREEN_HEIGHT)
        return false;
    cell_x = x / CELL_SIZE;
    cell_y = y / CELL_SIZE;
    return true;
}

// Every cell of the rectangle with corners (x0, y0) and (x1, y1), inside the open stroke.
static void paint_rectangle(int x0, int y0, int x1, int y1)
{
    for (int y = std::min(y0, y1); y <= std::max(y0, y1); y++)
        for (int x = std::min(x0, x1); x <= std::max(x0, x1); x++)
            paint_cell(x, y);
}

// The left button paints a line as the pointer moves; with Shift held it fills the rectangle
// from the cell pressed to the cell released. The status line follows the pointer's cell.
static void handle_mouse(const SDL_Event &e)
{
    int x, y;
    if (e.type == SDL_MOUSEMOTION) {
        if (!cell_under(e.motion.x, e.motion.y, pointer_x, pointer_y))
            pointer_x = pointer_y = -1;
    } else if (e.type == SDL_ACTIVEEVENT && (e.active.state & SDL_APPMOUSEFOCUS) && !e.active.gain) {
        pointer_x = pointer_y = -1;
    }
    if (e.type == SDL_MOUSEBUTTONUP && e.button.button == SDL_BUTTON_LEFT) {
        if (filling && cell_under(e.button.x, e.button.y, x, y)) {
            paint_rectangle(fill_x, fill_y, x, y);
            cursor_x = x;
            cursor_y = y;
        }
        mouse_painting = filling = false;
        end_stroke();
    } else if (e.type == SDL_MOUSEBUTTONDOWN && cell_under(e.button.x, e.button.y, x, y)) {
        if (e.button.button == SDL_BUTTON_RIGHT) {
            edit_kind = map_char_at(x, y);
        } else if (e.button.button == SDL_BUTTON_LEFT) {
            begin_stroke();
            filling = (SDL_GetModState() & KMOD_SHIFT) != 0;
            if (!filling) {
                paint_cell(x, y);
                mouse_painting = true;
            }
            fill_x = last_x = cursor_x = x;
            fill_y = last_y = cursor_y = y;
        }
    } else if (e.type == SDL_MOUSEMOTION && cell_under(e.motion.x, e.motion.y, x, y)
               && (mouse_painting || filling)) {
        if (mouse_painting)
            paint_line(last_x, last_y, x, y);
        last_x = cursor_x = x;
        last_y = cursor_y = y;
    }
}

void handle_editor_event(const SDL_Event &e)
{
    bool repeat = false;
    if (!note_key(e, &repeat))
        return;
    if (e.type == SDL_QUIT || is_alt_f4(e))
        quit_editor();
    else if (e.type == SDL_KEYDOWN)
        handle_key(e.key.keysym, repeat);
    else if (e.type == SDL_KEYUP && e.key.keysym.sym == SDLK_SPACE) {
        space_held = false;
        end_stroke();
    } else
        handle_mouse(e);
}

void run_editor_events()
{
    SDL_Event next;
    while (editor_running && SDL_PollEvent(&next)) {
        trace_event(next);
        handle_editor_event(next);
    }
    if (!edit_map_checked()) {
        status_note.clear();
        check_edit_map();
    }
    if (editor_running)
        draw_editor();
}

void run_editor()
{
    SDL_Event next;
    while (editor_running) {
        trace_wait();
        if (SDL_WaitEvent(&next)) {
            trace_event(next);
            handle_editor_event(next);
            run_editor_events();
        }
    }
}
