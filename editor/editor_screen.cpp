// SPDX-License-Identifier: GPL-3.0-or-later
// editor_screen.cpp: the editor's window: the maze in the skin's own pictures with the fault
// marks and the cursor, the status strip below it, questions, the map list choice and help.
#include "editor.h"
#include "files.h"
#include "frame.h"
#include "gfx.h"
#include "world.h"
#include <algorithm>
#include <cstdio>

int cursor_x = MAP_COLUMNS / 2, cursor_y = MAP_ROWS / 2;
int pointer_x = -1, pointer_y = -1;
std::string status_note;

static const int STRIP_MARGIN = 4;
static const int STRIP_TEXT_X = 48;                 // right of the chosen kind's picture
static const int FAULT_FRAME = 3;                   // width of a fault cell's red frame
static const int QUESTION_TOP = 300;
static const int LIST_SHOWN = 19;                   // map list lines shown around the choice

static Uint32 colour(Uint8 r, Uint8 g, Uint8 b)
{
    return SDL_MapRGB(screen->format, r, g, b);
}

static void fill(int x, int y, int w, int h, Uint32 pixel)
{
    SDL_Rect area = {Sint16(x), Sint16(y), Uint16(w), Uint16(h)};
    SDL_FillRect(screen, &area, pixel);
}

// A frame of `width` pixels just inside cell (x, y).
static void frame_cell(int x, int y, int width, Uint32 pixel)
{
    int left = x * CELL_SIZE, top = y * CELL_SIZE;
    fill(left, top, CELL_SIZE, width, pixel);
    fill(left, top + CELL_SIZE - width, CELL_SIZE, width, pixel);
    fill(left, top, width, CELL_SIZE, pixel);
    fill(left + CELL_SIZE - width, top, width, CELL_SIZE, pixel);
}

static bool is_teleport(char c)
{
    return map_character_cell((unsigned char)c) >= TELEPORT_FIRST;
}

// Reads map text into a map with the game's own reader.
static void read_map_text(LevelMap &map, std::string text)
{
    MapStarts starts;
    FILE *file = fmemopen(&text[0], text.size(), "r");
    read_map_cells(map, file, starts);
    fclose(file);
}

// What stands on a cell of map character c at pixel (left, top): the actor whose start it is,
// or the teleport's letter.
static void draw_on_cell(char c, int left, int top)
{
    SDL_Rect frame = {0, 0, FRAME_SIZE, FRAME_SIZE};
    SDL_Rect at = {Sint16(left), Sint16(top), CELL_SIZE, CELL_SIZE};
    if (c == MAP_PLAYER_START)
        SDL_UpperBlit(player_sprites[DIR_RIGHT], &frame, screen, &at);
    else if (c == MAP_ENEMY_START)
        SDL_UpperBlit(enemy_sprites[DIR_RIGHT], &frame, screen, &at);
    else if (is_teleport(c)) {
        char letter[2] = {c, 0};
        font_write(screen, font, left + (CELL_SIZE - font_text_width(font, letter)) / 2,
                   top + (CELL_SIZE - font_height(font)) / 2, letter);
    }
}

// The picture of one map character at pixel (left, top), its tile as the game draws it.
static void draw_kind(char c, int left, int top)
{
    SDL_Rect at = {Sint16(left), Sint16(top), CELL_SIZE, CELL_SIZE};
    int code = map_character_cell(c);
    SDL_Surface *tile = code >= 0 ? tile_of(Uint8(code)) : nullptr;
    if (tile)
        SDL_UpperBlit(tile, nullptr, screen, &at);
    draw_on_cell(c, left, top);
}

static std::string kind_name(char c)
{
    int index = map_character_index((unsigned char)c);
    if (index >= 0)
        return editor_text(ET_KIND_DOT + index);
    return editor_text(ET_KIND_TELEPORT, std::string(1, c));
}

// The text cut into lines no wider than width, at spaces (a longer word keeps a line of its own).
static std::vector<std::string> wrapped(const std::string &text, int width)
{
    std::vector<std::string> lines;
    std::string line, word;
    size_t at = 0;
    while (at <= text.size()) {
        size_t space = text.find(' ', at);
        if (space == std::string::npos)
            space = text.size();
        word = text.substr(at, space - at);
        at = space + 1;
        if (word.empty())
            continue;
        std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && font_text_width(font, longer.c_str()) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = longer;
        }
    }
    if (!line.empty() || lines.empty())
        lines.push_back(line);
    return lines;
}

static void draw_strip()
{
    const int left = SCREEN_WIDTH, width = STRIP_WIDTH - 2 * STRIP_MARGIN - 4;
    fill(left, 0, STRIP_WIDTH, SCREEN_HEIGHT, 0);
    fill(left, 0, 2, SCREEN_HEIGHT, red_pixel());
    draw_kind(edit_kind, left + STRIP_MARGIN + 4, STRIP_MARGIN);
    font_write(screen, font, left + STRIP_TEXT_X, STRIP_MARGIN + 6, kind_name(edit_kind).c_str());
    bool pointed = pointer_x >= 0 && pointer_y >= 0;   // the pointer's cell, else the cursor's
    char cell[16];
    snprintf(cell, sizeof cell, "%d,%d", pointed ? pointer_x : cursor_x, pointed ? pointer_y : cursor_y);
    std::string name = edit_name.empty() ? editor_text(ET_NEW_MAP) : edit_name;
    std::vector<std::string> lines = {name + (edit_changed ? editor_text(ET_CHANGED) : ""),
                                      editor_text(ET_CELL, cell),
                                      editor_text(ET_SKIN, skin_list[skin_index]),
                                      editor_text(ET_HELP_HINT), ""};
    if (!status_note.empty())
        lines.push_back(status_note);
    if (edit_faults.empty())
        lines.push_back(editor_text(ET_NO_FAULTS));
    else
        lines.push_back(editor_text(ET_FAULTS, std::to_string(edit_fault_count)));
    size_t shown = 0;
    for (; shown < edit_faults.size() && shown < (size_t)FAULT_LINES; shown++)
        lines.push_back(edit_faults[shown].line);
    if (shown < edit_faults.size())
        lines.back() = editor_text(ET_MORE_FAULTS, std::to_string(edit_faults.size() - shown + 1));
    int y = STRIP_FIRST_LINE;
    for (const std::string &line : lines)
        for (const std::string &part : wrapped(line, width)) {
            if (y + font_height(font) > SCREEN_HEIGHT)
                return;
            font_write(screen, font, left + STRIP_MARGIN + 4, y, part.c_str());
            y += STRIP_LINE_STEP;
        }
}

// The maze area and the strip, without a flip.
static void paint_editor()
{
    static LevelMap shown;
    std::string text;
    for (const std::string &row : edit_rows)
        text += row + "\n";
    read_map_text(shown, text);
    draw_maze(shown);
    for (int y = 0; y < MAP_ROWS; y++)
        for (int x = 0; x < MAP_COLUMNS; x++)
            draw_on_cell(edit_rows[y][x], x * CELL_SIZE, y * CELL_SIZE);
    for (const EditFault &fault : edit_faults)
        for (auto [x, y] : fault.cells)
            frame_cell(x, y, FAULT_FRAME, red_pixel());
    frame_cell(cursor_x, cursor_y, 2, colour(255, 255, 255));
    draw_strip();
}

void draw_editor()
{
    paint_editor();
    SDL_Flip(screen);
}

// The question wrapped to the maze's width and the answer below it, all in one frame.
void draw_question(const char *text, const char *answer)
{
    paint_editor();
    std::vector<std::string> lines = wrapped(text, SCREEN_WIDTH - 6 * CELL_SIZE);
    if (answer) {
        lines.push_back("");
        lines.push_back(answer);
    }
    int widest = 0;
    for (const std::string &line : lines)
        widest = std::max(widest, font_text_width(font, line.c_str()));
    draw_panel_frame((SCREEN_WIDTH - widest) / 2, QUESTION_TOP, widest,
                     (int)lines.size() * STRIP_LINE_STEP);
    for (size_t i = 0; i < lines.size(); i++)
        font_write(screen, font, (SCREEN_WIDTH - font_text_width(font, lines[i].c_str())) / 2,
                   QUESTION_TOP + (int)i * STRIP_LINE_STEP, lines[i].c_str());
    SDL_Flip(screen);
}

// The list's entries with the new map shown at `position`, in a panel over the maze.
void draw_map_list_choice(const std::vector<std::string> &entries, int position)
{
    paint_editor();
    std::vector<std::string> lines = entries;
    lines.insert(lines.begin() + position, editor_text(ET_LIST_HERE, edit_name + MAP_FILE_SUFFIX));
    int first = position - LIST_SHOWN / 2;
    if (first > (int)lines.size() - LIST_SHOWN)
        first = (int)lines.size() - LIST_SHOWN;
    if (first < 0)
        first = 0;
    int top = QUESTION_TOP - 200 + 3 * STRIP_LINE_STEP;
    draw_panel_frame(CELL_SIZE * 4, top - 10, SCREEN_WIDTH - CELL_SIZE * 8,
                     LIST_SHOWN * STRIP_LINE_STEP + 20);
    for (int i = 0; i < LIST_SHOWN && first + i < (int)lines.size(); i++) {
        char number[16];
        snprintf(number, sizeof number, "%d.", first + i + 1);
        int y = top + i * STRIP_LINE_STEP;
        if (first + i == position)
            fill(CELL_SIZE * 4, y - 1, SCREEN_WIDTH - CELL_SIZE * 8, STRIP_LINE_STEP,
                 colour(0, 0, 160));
        font_write(screen, font, CELL_SIZE * 5, y, number);
        font_write(screen, font, CELL_SIZE * 7, y, lines[first + i].c_str());
    }
    draw_framed_label(editor_texts[ET_ASK_LIST].c_str(), QUESTION_TOP - 240);
    SDL_Flip(screen);
}

void draw_help()
{
    fill(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT, 0);
    draw_panel_frame(CELL_SIZE * 2, CELL_SIZE * 2, SCREEN_WIDTH - CELL_SIZE * 4,
                     SCREEN_HEIGHT - CELL_SIZE * 4);
    int y = CELL_SIZE * 2 + 10;
    font_write_centred(screen, font, y, editor_texts[ET_HELP_TITLE].c_str());
    y += 2 * STRIP_LINE_STEP;
    for (int i = ET_HELP_FIRST; i <= ET_HELP_LAST; i++, y += STRIP_LINE_STEP + 4)
        font_write(screen, font, CELL_SIZE * 3, y, editor_texts[i].c_str());
    for (int i : {ET_HELP_RECTANGLE, ET_HELP_AUTOPLAY}) {
        font_write(screen, font, CELL_SIZE * 3, y, editor_texts[i].c_str());
        y += STRIP_LINE_STEP + 4;
    }
    font_write_centred(screen, font, SCREEN_HEIGHT - CELL_SIZE * 3, editor_texts[ET_HELP_CLOSE].c_str());
    SDL_Flip(screen);
}
