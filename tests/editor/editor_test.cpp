// SPDX-License-Identifier: GPL-3.0-or-later
// editor_test.cpp: the map editor driven by pushed keys and mouse events on the dummy driver,
// and every shipped level opened and saved back.
#include "editor.h"
#include "checks.h"
#include "files.h"
#include "frame.h"
#include "gfx.h"
#include "test_support.h"
#include <gtest/gtest.h>

namespace {

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        open_test_screen();
        root = enter_scratch_tree();
    }
    void TearDown() override
    {
        reset_editor_program_state();   // the next test starts from no editor at all
        reset_edit_map_state();
        reset_edit_check_state();
        leave_scratch_tree(root);
        screen = SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, SCREEN_DEPTH, SDL_SWSURFACE);
    }
    std::string root;
};

void push_mouse(Uint8 type, int cell_x, int cell_y, Uint8 button = SDL_BUTTON_LEFT)
{
    SDL_Event e = {};
    e.type = type;
    Uint16 x = Uint16(cell_x * CELL_SIZE + 5), y = Uint16(cell_y * CELL_SIZE + 5);
    if (type == SDL_MOUSEMOTION) {
        e.motion = {type, 0, SDL_BUTTON(button), x, y, 0, 0};
    } else {
        e.button = {type, 0, button, type == SDL_MOUSEBUTTONDOWN ? Uint8(SDL_PRESSED) : Uint8(SDL_RELEASED), x, y};
    }
    SDL_PushEvent(&e);
}

void click(int x, int y)
{
    push_mouse(SDL_MOUSEBUTTONDOWN, x, y);
    push_mouse(SDL_MOUSEBUTTONUP, x, y);
}

std::vector<int> fault_kinds()
{
    std::vector<int> kinds;
    for (const MapFault &fault : check_map_text(edit_map_text()))
        kinds.push_back(fault.kind);
    return kinds;
}

void type_text(const std::string &text)
{
    for (char c : text)
        push_key(SDLKey(c));
}

TEST_F(EditorTest, DrawsALevelWithLiveFaultsUndoRedoAndSavesItIntoTheMapList)
{
    ASSERT_EQ(start_editor(nullptr), 0);
    EXPECT_EQ(fault_kinds(), (std::vector<int>{MAP_FAULT_ENEMY_STARTS, MAP_FAULT_NO_DOTS}));
    EXPECT_EQ(edit_faults.size(), 2u);

    push_key(SDLK_4);          // an enemy start far from the player start
    click(3, 3);
    push_key(SDLK_a);          // one teleport a: an unpaired letter
    click(5, 5);
    run_editor_events();
    ASSERT_EQ(edit_faults.size(), 1u);
    EXPECT_EQ(edit_faults[0].line, editor_text(ET_FAULT_FIRST + MAP_FAULT_TELEPORT_UNPAIRED, "5,5"));
    EXPECT_EQ(screen_pixel(5 * CELL_SIZE + 2, 5 * CELL_SIZE + 16), red_pixel()) << "the fault cell is marked";

    push_key(SDLK_1);          // a wall dragged along row 10, then the teleport's partner by keys
    push_mouse(SDL_MOUSEBUTTONDOWN, 1, 10);
    push_mouse(SDL_MOUSEMOTION, 6, 10);
    push_mouse(SDL_MOUSEBUTTONUP, 6, 10);
    push_key(SDLK_a);
    push_keys({SDLK_DOWN, SDLK_DOWN, SDLK_SPACE});
    push_key(SDLK_SPACE, KMOD_NONE, SDL_KEYUP);
    run_editor_events();
    EXPECT_TRUE(edit_faults.empty()) << edit_faults[0].line;
    EXPECT_EQ(edit_rows[10].substr(0, 8), "11111112");
    EXPECT_EQ(edit_rows[12][6], 'a');

    push_key(SDLK_z, KMOD_LCTRL);   // the second a goes: the fault is back
    run_editor_events();
    EXPECT_EQ(fault_kinds(), std::vector<int>{MAP_FAULT_TELEPORT_UNPAIRED});
    push_key(SDLK_z, KMOD_LCTRL);   // the wall goes too
    run_editor_events();
    EXPECT_EQ(edit_rows[10].substr(0, 8), "12222222");
    push_key(SDLK_y, KMOD_LCTRL);
    push_key(SDLK_y, KMOD_LCTRL);
    run_editor_events();
    EXPECT_TRUE(edit_faults.empty());

    push_key(SDLK_3, KMOD_NONE);    // the player start moves; right button picks up a kind
    click(20, 20);
    push_mouse(SDL_MOUSEBUTTONDOWN, 0, 0, SDL_BUTTON_RIGHT);
    run_editor_events();
    EXPECT_EQ(edit_kind, MAP_WALL);

    std::vector<std::string> before = map_list_entries(MAP_LIST_PATH);
    push_key(SDLK_s, KMOD_LCTRL);   // named "new_1", put one place before the end of the list
    type_text("new");
    SDL_Event underscore = {};
    underscore.type = SDL_KEYDOWN;
    underscore.key.keysym.sym = SDLK_MINUS;
    underscore.key.keysym.unicode = '_';
    SDL_PushEvent(&underscore);
    push_keys({SDLK_1, SDLK_RETURN, SDLK_UP, SDLK_RETURN});
    run_editor_events();
    std::vector<std::string> rows = walled_rows();
    rows[3][3] = MAP_ENEMY_START;
    rows[5][5] = rows[12][6] = 'a';
    rows[10].replace(1, 6, "111111");
    rows[20][20] = MAP_PLAYER_START;
    auto saved_text = [&rows]() {
        std::string text = "# new_1\n";
        for (const std::string &row : rows)
            text += row + "\n";
        return text;
    };
    EXPECT_EQ(read_file("maps/new_1.txt"), saved_text());
    before.insert(before.end() - 1, "new_1.txt");
    EXPECT_EQ(map_list_entries(MAP_LIST_PATH), before);
    EXPECT_EQ(read_file(MAP_LIST_PATH).substr(0, 1), "#") << "the list's comment is kept";
    EXPECT_FALSE(edit_changed);

    push_key(SDLK_2);               // a fault saved only when confirmed; a second save asks no name
    click(0, 5);
    push_key(SDLK_s, KMOD_LCTRL);
    push_key(SDLK_ESCAPE);
    run_editor_events();
    EXPECT_EQ(read_file("maps/new_1.txt"), saved_text());
    push_key(SDLK_s, KMOD_LCTRL);
    push_key(SDLK_RETURN);
    push_key(SDLK_ESCAPE);          // quitting asks only while changes are unsaved
    run_editor_events();
    EXPECT_FALSE(editor_running);
    rows[5][0] = MAP_FLOOR;
    EXPECT_EQ(read_file("maps/new_1.txt"), saved_text());
}

// The map list keeps every byte but the added line (CRLF, a lone CR, text after a null byte),
// and an entry the game would not play is refused with the list untouched.
TEST_F(EditorTest, AnAddedMapListEntryKeepsEveryOtherByte)
{
    const std::string list("# top\r\nlevel01.txt\r\nlevel02.txt\r# cr\rtail\0kept", 46);
    write_file(MAP_LIST_PATH, list);
    ASSERT_TRUE(insert_map_list_entry(MAP_LIST_PATH, "mine.txt", 1));
    EXPECT_EQ(read_file(MAP_LIST_PATH),
              std::string("# top\r\nlevel01.txt\r\nmine.txt\r\nlevel02.txt\r# cr\rtail\0kept", 56));
    ASSERT_TRUE(insert_map_list_entry(MAP_LIST_PATH, "end.txt", 4));
    EXPECT_EQ(read_file(MAP_LIST_PATH).substr(56), "\r\nend.txt\r\n");
    std::string before = read_file(MAP_LIST_PATH);
    for (const char *unplayable : {"#x.txt", "a..b.txt", "sub/x.txt"})
        EXPECT_FALSE(insert_map_list_entry(MAP_LIST_PATH, unplayable, 0)) << unplayable;
    EXPECT_EQ(read_file(MAP_LIST_PATH), before);
}

TEST_F(EditorTest, ShiftDragFillsARectangleInOneUndoAndThePointerCellIsTracked)
{
    ASSERT_EQ(start_editor(nullptr), 0);
    std::vector<std::string> before = edit_rows;
    push_key(SDLK_1);
    run_editor_events();
    SDL_SetModState(KMOD_LSHIFT);
    push_mouse(SDL_MOUSEBUTTONDOWN, 5, 4);
    push_mouse(SDL_MOUSEMOTION, 9, 7);
    push_mouse(SDL_MOUSEBUTTONUP, 2, 6);
    run_editor_events();
    SDL_SetModState(KMOD_NONE);
    int walls = 0;
    for (int y = 1; y < MAP_ROWS - 1; y++)
        for (int x = 1; x < MAP_COLUMNS - 1; x++)
            walls += edit_rows[y][x] == MAP_WALL;
    EXPECT_EQ(walls, 4 * 3);                 // columns 2 to 5, rows 4 to 6, no line to 9,7
    EXPECT_EQ(edit_rows[6].substr(2, 4), "1111");
    EXPECT_EQ(std::make_pair(pointer_x, pointer_y), std::make_pair(9, 7));
    push_key(SDLK_z, KMOD_LCTRL);
    run_editor_events();
    EXPECT_EQ(edit_rows, before);            // one stroke

    SDL_Event off = {};                      // the pointer below the maze: no pointer cell
    off.motion = {SDL_MOUSEMOTION, 0, 0, 100, Uint16(SCREEN_HEIGHT + 5), 0, 0};
    SDL_PushEvent(&off);
    run_editor_events();
    EXPECT_EQ(pointer_x, -1);

    ASSERT_TRUE(redo_edit());                // both histories hold rows: the rectangle, a wall
    paint_cell(1, 1);
    end_stroke();
    ASSERT_TRUE(undo_edit());
    ASSERT_TRUE(open_edit_map("first_dots"));   // another map opened keeps no history of this one
    EXPECT_FALSE(undo_edit());
    EXPECT_FALSE(redo_edit());
    EXPECT_FALSE(edit_changed);
    EXPECT_EQ(edit_name, "first_dots");
    EXPECT_FALSE(edit_map_checked());        // the faults shown belong to the map before
    run_editor_events();
    EXPECT_TRUE(edit_map_checked());
}

// A key pressed again after its release, with the key up and no release of it waiting,
// was not pressed by anyone (sdl12-compat repeats a key whose press and release it read in
// one go): it moves nothing, and F6 pressed before the automatic player ran needs a fresh
// press to run it again.
TEST_F(EditorTest, F6LetsTheAutomaticPlayerTryTheMapOffScreenOncePerPress)
{
    ASSERT_EQ(start_editor("first_dots"), 0);
    int x = cursor_x;
    push_key(SDLK_RIGHT);
    push_key(SDLK_RIGHT, KMOD_NONE, SDL_KEYUP);
    push_key(SDLK_RIGHT);
    run_editor_events();
    EXPECT_EQ(cursor_x, x + 1);
    push_key(SDLK_RIGHT);
    push_key(SDLK_RIGHT, KMOD_NONE, SDL_KEYUP);
    run_editor_events();
    EXPECT_EQ(cursor_x, x + 2);

    SDL_Surface *window = screen;
    std::string before = read_file("maps/first_dots.txt");
    push_key(SDLK_F6);
    run_editor_events();
    std::string cleared = editor_text_with(ET_AUTOPLAY_CLEARED, {"5", "5"});
    cleared.resize(cleared.find("%s"));
    EXPECT_EQ(status_note.substr(0, cleared.size()), cleared);
    EXPECT_LE(font_text_width(font, status_note.c_str()), SCREEN_WIDTH);   // fits the strip
    EXPECT_EQ(screen, window);
    EXPECT_EQ(read_file("maps/first_dots.txt"), before);   // played in a tree of its own

    for (int x = 4; x <= 6; x++)             // a dot at 5,5 with walls all round
        edit_rows[4][x] = edit_rows[6][x] = MAP_WALL;
    edit_rows[5][4] = edit_rows[5][6] = MAP_WALL;
    edit_rows[5][5] = MAP_DOT;
    run_editor_events();                     // the live check of the change
    push_key(SDLK_F6);
    run_editor_events();
    EXPECT_EQ(status_note, "");
    push_key(SDLK_F6);
    push_key(SDLK_F6, KMOD_NONE, SDL_KEYUP);
    run_editor_events();
    EXPECT_EQ(status_note, editor_text_with(ET_AUTOPLAY_STUCK, {"1", "5,5"}));
    EXPECT_EQ(cursor_x, 5);
    EXPECT_EQ(cursor_y, 5);
}

// A close of the editor's window asked while the automatic player ran closes the editor
// afterwards; the keys pressed meanwhile are dropped.
TEST_F(EditorTest, AWindowClosedWhileTheMapIsTriedClosesTheEditorAfterwards)
{
    ASSERT_EQ(start_editor("first_dots"), 0);
    int x = cursor_x;
    push_key(SDLK_F6);
    push_event_of_type(SDL_QUIT);
    push_key(SDLK_RIGHT);
    run_editor_events();
    EXPECT_FALSE(editor_running);
    EXPECT_EQ(cursor_x, x);
}

TEST_F(EditorTest, EveryShippedLevelSavesBackAsItWas)
{
    for (const std::string &entry : map_list_entries(MAP_LIST_PATH)) {
        std::string name = entry.substr(0, entry.size() - std::string(MAP_FILE_SUFFIX).size());
        std::string shipped = read_file(edit_map_path(name));
        std::string unix_text;   // every line ended by one line feed
        for (char c : shipped)
            if (c != '\r')
                unix_text += c;
        if (!unix_text.empty() && unix_text.back() != '\n')
            unix_text += '\n';
        ASSERT_TRUE(open_edit_map(name)) << name;
        ASSERT_TRUE(save_edit_map()) << name;
        EXPECT_EQ(read_file(edit_map_path(name)), unix_text) << name;
    }
}

// A line that starts with a zero byte is no row (the game skips it) and stays in the file as
// it was; a row ends at a zero byte, the cells after it walls, as the game reads them.
TEST_F(EditorTest, ZeroBytesOpenAsTheGameReadsThem)
{
    std::vector<std::string> rows = walled_rows();
    rows[5][5] = MAP_PLAYER_START;
    std::string zero_line = std::string(1, '\0') + rows[1], text = "# zeros\n" + zero_line + "\n";
    std::string cut_row = rows[2].substr(0, 3) + std::string(1, '\0') + rows[2].substr(4);
    for (int y = 0; y < MAP_ROWS; y++)
        text += (y == 2 ? cut_row : rows[y]) + "\n";
    write_file(edit_map_path("zeros"), text);
    ASSERT_TRUE(open_edit_map("zeros"));
    std::vector<std::string> expected = rows;
    expected[2].replace(3, std::string::npos, MAP_COLUMNS - 3, MAP_WALL);
    EXPECT_EQ(edit_rows, expected);
    EXPECT_EQ(map_rows(edit_map_text()), expected);
    EXPECT_EQ(edit_lines[1], zero_line);
}

} // namespace
