// SPDX-License-Identifier: GPL-3.0-or-later
// edit_map.cpp: the map being edited: opening and saving it with its comment lines, painting
// cells, the undo history, and adding a map to the map list.
#include "editor.h"
#include "checks.h"
#include "files.h"
#include "world.h"

std::vector<std::string> edit_rows;
std::vector<std::string> edit_lines;
std::vector<int> edit_row_line;
std::string edit_name;
bool edit_changed = false;
char edit_kind = MAP_WALL;

// Map state kept here: the rows before each undoable change, and after each undone one.
static std::vector<std::vector<std::string>> undo_history, redo_history;
static bool stroke_open = false;       // a change is under way
static bool stroke_saved = false;      // its rows before the change are on the undo history

void reset_edit_map_text()
{
    edit_rows.assign(MAP_ROWS, std::string(MAP_COLUMNS, MAP_WALL));
    edit_lines.clear();
    edit_row_line.assign(MAP_ROWS, -1);
}

void reset_edit_map_state()
{
    reset_edit_map_text();
    edit_name.clear();
    edit_changed = false;
    undo_history.clear();
    redo_history.clear();
    stroke_open = stroke_saved = false;
}

void new_edit_map()
{
    reset_edit_map_state();
    for (int y = 1; y < MAP_ROWS - 1; y++)
        for (int x = 1; x < MAP_COLUMNS - 1; x++)
            edit_rows[y][x] = MAP_FLOOR;
    edit_rows[MAP_ROWS / 2][MAP_COLUMNS / 2] = MAP_PLAYER_START;
}

std::string edit_map_path(const std::string &name)
{
    return MAPS_FOLDER + name + MAP_FILE_SUFFIX;
}

// Takes the rows and the kept lines from a map text: its first 24 content lines are the rows
// (short rows, rows cut at a zero byte and missing rows are filled with walls, as the game
// reads them); its other lines are kept as they are, except content lines after the 24th,
// which the game never reads.
static void take_map_text(const std::string &text)
{
    reset_edit_map_text();
    int row = 0;
    for (const std::string &line : split_lines(text)) {
        if (!is_content_line(line)) {
            edit_lines.push_back(line);
            continue;
        }
        if (row == MAP_ROWS)
            continue;
        edit_row_line[row] = (int)edit_lines.size();
        edit_lines.push_back(line);
        std::string &cells = edit_rows[row++];
        std::string read = line_text(line);   // what the game reads of the row
        for (int x = 0; x < MAP_COLUMNS && x < (int)read.size(); x++)
            cells[x] = read[x];
    }
}

bool open_edit_map(const std::string &name)
{
    std::string text;
    if (!read_whole_file(edit_map_path(name), text))
        return false;
    std::string opened = name;   // name may be edit_name itself
    reset_edit_map_state();
    edit_name = opened;
    take_map_text(text);
    return true;
}

// The kept lines with the rows in their places, missing rows at the end, and a comment line
// naming the map at the top when the file has none.
std::string edit_map_text()
{
    std::vector<std::string> lines = edit_lines;
    bool commented = false;
    for (const std::string &line : lines)
        commented = commented || (!line.empty() && line[0] == '#');
    for (int y = 0; y < MAP_ROWS; y++) {
        if (edit_row_line[y] >= 0)
            lines[edit_row_line[y]] = edit_rows[y];
        else
            lines.push_back(edit_rows[y]);
    }
    std::string text;
    if (!commented)
        text = "# " + (edit_name.empty() ? std::string("?") : edit_name) + "\n";
    for (const std::string &line : lines)
        text += line + "\n";
    return text;
}

// Writes the text to a temporary file and renames it over maps/<edit_name>.txt. After a
// save the map's lines are the saved ones (with the comment naming it), and the undo
// history stays.
bool save_edit_map()
{
    std::string path = edit_map_path(edit_name);
    std::string text = edit_map_text();
    std::string temp_path;
    FILE *file = open_replacement(path.c_str(), temp_path);
    if (!file)
        return false;
    fwrite(text.data(), 1, text.size(), file);
    if (!commit_replacement(file, temp_path, path.c_str()))
        return false;
    take_map_text(text);
    edit_changed = false;
    return true;
}

char map_char_at(int x, int y)
{
    if (x < 0 || y < 0 || x >= MAP_COLUMNS || y >= MAP_ROWS)
        return MAP_WALL;
    return edit_rows[y][x];
}

void begin_stroke()
{
    end_stroke();
    stroke_open = true;
    stroke_saved = false;
}

void end_stroke()
{
    stroke_open = false;
}

// Puts edit_kind into (x, y); the first real change of a stroke saves the rows for undo. A
// new player start takes the place of the old one, which becomes floor.
void paint_cell(int x, int y)
{
    if (x < 0 || y < 0 || x >= MAP_COLUMNS || y >= MAP_ROWS || edit_rows[y][x] == edit_kind)
        return;
    if (!stroke_open)
        begin_stroke();
    if (!stroke_saved) {
        undo_history.push_back(edit_rows);
        redo_history.clear();
        stroke_saved = true;
    }
    if (edit_kind == MAP_PLAYER_START)
        for (std::string &row : edit_rows)
            for (char &c : row)
                if (c == MAP_PLAYER_START)
                    c = MAP_FLOOR;
    edit_rows[y][x] = edit_kind;
    edit_changed = true;
}

// Bresenham's line from (x0, y0) to (x1, y1).
void paint_line(int x0, int y0, int x1, int y1)
{
    int dx = abs(x1 - x0), dy = -abs(y1 - y0);
    int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        paint_cell(x0, y0);
        if (x0 == x1 && y0 == y1)
            return;
        int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += sx;
        }
        if (twice <= dx) {
            error += dx;
            y0 += sy;
        }
    }
}

// Moves the rows between the two histories.
static bool step_history(std::vector<std::vector<std::string>> &from,
                         std::vector<std::vector<std::string>> &to)
{
    end_stroke();
    if (from.empty())
        return false;
    to.push_back(edit_rows);
    edit_rows = from.back();
    from.pop_back();
    edit_changed = true;
    return true;
}

bool undo_edit()
{
    return step_history(undo_history, redo_history);
}

bool redo_edit()
{
    return step_history(redo_history, undo_history);
}

std::vector<std::string> map_list_entries(const char *path)
{
    std::string text;
    if (!read_whole_file(path, text))
        return {};
    return map_rows(text);
}

bool playable_list_entry(const std::string &entry)
{
    return !entry.empty() && entry.size() < (size_t)TEXT_BUFFER_SIZE && is_content_line(entry)
        && entry.find_first_of(std::string("\r\n\0", 3)) == std::string::npos
        && is_plain_name(entry.c_str());
}

// The list's own line end: its first one, LF for a list without any.
static std::string list_line_end(const std::string &text)
{
    size_t end = text.find_first_of("\r\n");
    if (end == std::string::npos || text[end] == '\n')
        return "\n";
    return text.compare(end, 2, "\r\n") == 0 ? "\r\n" : "\r";
}

// The entry goes in as a line of its own, in the list's own line ends; every other byte of
// the list stays as it was (line ends, text after a null byte, comments).
bool insert_map_list_entry(const char *path, const std::string &entry, int position)
{
    if (!playable_list_entry(entry)) {
        printf("ERROR not a plain name in %s: %s\n", path, entry.c_str());
        return false;
    }
    std::string text;
    read_whole_file(path, text);
    std::string line_end = list_line_end(text);
    size_t at = std::string::npos, after_last = text.size();
    int seen = 0;
    for (const LineSpan &span : line_spans(text)) {
        if (!is_content_line(text.substr(span.start, span.end - span.start)))
            continue;
        if (seen++ == position) {
            at = span.start;
            break;
        }
        after_last = span.next;
    }
    if (at == std::string::npos)
        at = seen > 0 ? after_last : text.size();
    bool line_open = at == text.size() && !text.empty() && text.back() != '\n' && text.back() != '\r';
    text.insert(at, (line_open ? line_end : "") + entry + line_end);
    std::string temp_path;
    FILE *file = open_replacement(path, temp_path);
    if (!file)
        return false;
    fwrite(text.data(), 1, text.size(), file);
    return commit_replacement(file, temp_path, path);
}
