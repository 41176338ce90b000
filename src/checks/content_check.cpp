// SPDX-License-Identifier: GPL-3.0-or-later
// content_check.cpp: checks a whole content tree as the game reads it, with the game's own
// readers and layout; used by the check_content tool and the tests.
#include "checks.h"
#include "files.h"
#include "frame.h"
#include "gfx.h"
#include "menus.h"
#include "world.h"
#include <algorithm>
#include <map>
#include <memory>

namespace {

const int WIDEST_SCORE = 999999;        // the score the panel and the end-of-run box make room for

struct Check {
    std::string root;                  // the content directory and a slash
    std::vector<ContentFault> faults;

    void add(const std::string &file, int line, const std::string &what)
    {
        faults.push_back(ContentFault{root + file, line, what});
    }

    void note(const std::string &file, int line, const std::string &what)
    {
        faults.push_back(ContentFault{root + file, line, what, true});
    }
};

std::string format(const char *pattern, int a = 0, int b = 0, int c = 0)
{
    char line[200];
    snprintf(line, sizeof line, pattern, a, b, c);
    return line;
}

// The line numbers (from 1) of a text's content lines, in the order the line reader gives
// them.
std::vector<int> content_line_numbers(const std::string &text)
{
    std::vector<int> numbers;
    std::vector<std::string> lines = split_lines(text);
    for (size_t i = 0; i < lines.size(); i++)
        if (is_content_line(lines[i]))
            numbers.push_back(int(i) + 1);
    return numbers;
}

// The content lines of a file with their line numbers; false when it cannot be read.
struct Lines {
    std::vector<std::string> lines;
    std::vector<int> numbers;
    int line_of(size_t index) const
    {
        if (index < numbers.size())
            return numbers[index];
        return numbers.empty() ? 1 : numbers.back();
    }
};

bool read_lines(const std::string &path, size_t line_size, Lines &out)
{
    std::string text;
    if (!read_whole_file(path, text))
        return false;
    out.lines = text_lines(text, line_size);
    out.numbers = content_line_numbers(text);
    return true;
}

// Why a file cannot be read: the refusal of a file that is not a text file to read, else
// the plain "cannot be read".
std::string unreadable(const Check &check, const std::string &file)
{
    std::string why = file_refusal(check.root + file, MAX_TEXT_FILE_SIZE);
    return why.empty() ? "cannot be read" : why;
}

// Keeps the list's plain names, as the game's list reader does; each other entry is a fault.
void keep_plain_names(Check &check, const char *file, Lines &list)
{
    Lines plain;
    for (size_t i = 0; i < list.lines.size(); i++) {
        if (is_plain_name(list.lines[i].c_str())) {
            plain.lines.push_back(list.lines[i]);
            plain.numbers.push_back(list.line_of(i));
        } else {
            check.add(file, list.line_of(i), "not a plain name: " + list.lines[i]);
        }
    }
    list = plain;
}

// A list file the game cannot run without: present and naming something.
std::vector<std::string> check_list(Check &check, const char *file, const char *what)
{
    Lines list;
    if (!read_lines(check.root + file, TEXT_BUFFER_SIZE, list)) {
        check.add(file, 1, unreadable(check, file));
        return list.lines;
    }
    keep_plain_names(check, file, list);
    if (list.lines.empty())
        check.add(file, 1, std::string("names no ") + what);
    return list.lines;
}

// ----- maps -----

int map_fault_line(const MapFault &fault, const Lines &rows)
{
    if (fault.cells.empty())
        return rows.line_of(fault.kind == MAP_FAULT_FORMAT ? rows.numbers.size() : 0);
    return rows.line_of(fault.cells.front().second);
}

void add_map_faults(Check &check, const std::string &file, const std::string &text,
                    const std::vector<MapFault> &faults)
{
    Lines rows;
    rows.numbers = content_line_numbers(text);
    for (const MapFault &fault : faults)
        check.add(file, map_fault_line(fault, rows), fault.what);
}

void note_cell_kinds(const std::string &text, std::map<char, bool> &used)
{
    for (const std::string &row : map_rows(text))
        for (char c : row)
            used[c >= 'A' && c <= 'Z' ? 'A' : c >= 'a' && c <= 'z' ? 'a' : c] = true;
}

// The kinds of cell the levels should use somewhere: every map character but the player start
// (each level has one), then 'A' and 'a' for any upper- and lower-case teleport letter.
std::string wanted_cell_kinds()
{
    std::string kinds;
    for (const MapCharacter &kind : MAP_CHARACTERS)
        if (kind.character != MAP_PLAYER_START)
            kinds += kind.character;
    return kinds + "Aa";
}

void check_maps(Check &check)
{
    std::string text;
    if (!read_whole_file(check.root + MENU_MAP_PATH, text))
        check.add(MENU_MAP_PATH, 1, unreadable(check, MENU_MAP_PATH));
    else
        add_map_faults(check, MENU_MAP_PATH, text, check_map_text_format(text));

    Lines list;
    if (!read_lines(check.root + MAP_LIST_PATH, MAP_LINE_SIZE, list)) {
        check.add(MAP_LIST_PATH, 1, unreadable(check, MAP_LIST_PATH));
        return;
    }
    keep_plain_names(check, MAP_LIST_PATH, list);
    if (list.lines.empty())
        check.add(MAP_LIST_PATH, 1, "names no maps");
    std::map<char, bool> used;
    for (size_t i = 0; i < list.lines.size(); i++) {
        std::string file = MAPS_FOLDER + list.lines[i];
        if (!read_whole_file(check.root + file, text)) {
            check.add(MAP_LIST_PATH, list.line_of(i), "names " + file + ", which " + unreadable(check, file));
            continue;
        }
        add_map_faults(check, file, text, check_map_text(text));
        note_cell_kinds(text, used);
    }
    for (char kind : wanted_cell_kinds())
        if (!list.lines.empty() && !used[kind])
            check.note(MAP_LIST_PATH, 1, std::string("no level uses the cell kind ") + kind);
}

// ----- bitmaps -----

struct SurfaceFree {
    void operator()(SDL_Surface *s) const { SDL_FreeSurface(s); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceFree>;

// A surface in the screen's 16-bit colours, as the game's loader converts every bitmap.
Surface screen_colours(SDL_Surface *loaded)
{
    Surface like(SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, SCREEN_DEPTH, 0xF800, 0x07E0, 0x001F, 0));
    return Surface(SDL_ConvertSurface(loaded, like->format, SDL_SWSURFACE));
}

// The first column and the column past the last that hold a pixel other than the green key.
std::pair<int, int> drawn_columns(SDL_Surface *loaded)
{
    Surface s = screen_colours(loaded);
    Uint32 key = SDL_MapRGB(s->format, 0, 255, 0);
    int first = s->w, past = 0;
    SDL_LockSurface(s.get());
    for (int y = 0; y < s->h; y++)
        for (int x = 0; x < s->w; x++)
            if (get_pixel(s.get(), x, y) != key) {
                first = std::min(first, x);
                past = std::max(past, x + 1);
            }
    SDL_UnlockSurface(s.get());
    return {first, past};
}

std::string size_text(int w, int h)
{
    return format("%dx%d", w, h);
}

// The file's size against the size the game draws it at.
std::string size_fault(const SkinFile &file, const SDL_Surface *s)
{
    bool width_ok = !file.width || s->w == file.width || (file.other_width && s->w == file.other_width);
    bool height_ok = !file.height || s->h == file.height;
    if (width_ok && height_ok)
        return "";
    std::string wanted = size_text(file.width, file.height);
    if (file.other_width)
        wanted += " or " + size_text(file.other_width, file.height);
    return "is " + size_text(s->w, s->h) + "; the game draws it " + wanted;
}

// How far the arrows of the options menu reach into the box from its two sides: the left
// one is drawn at the box's left edge, the right one its left neighbour's width in from the
// right edge; only their pixels other than the green key count.
struct ArrowReach {
    int left = 0, right = 0;
};

// Every bitmap of a skin; returns the reach of its arrows.
ArrowReach check_skin(Check &check, const std::string &skin)
{
    char directory[TEXT_BUFFER_SIZE];
    snprintf(directory, sizeof directory, SKIN_PATH_FORMAT, skin.c_str());
    ArrowReach reach;
    int left_arrow_width = 0;
    for (int i = 0; i < SKIN_FILE_COUNT; i++) {
        const SkinFile &file = SKIN_FILES[i];
        std::string path = std::string(directory) + file.name;
        std::string refusal = file_refusal(check.root + path, MAX_BITMAP_FILE_SIZE);
        if (!refusal.empty() && refusal != "cannot be read") {
            check.add(path, 1, refusal);
            continue;
        }
        Surface s(SDL_LoadBMP((check.root + path).c_str()));
        if (!s) {
            check.add(path, 1, "is missing or not a readable BMP file");
            continue;
        }
        std::string fault = size_fault(file, s.get());
        if (!fault.empty())
            check.add(path, 1, fault);
        if (i == SKIN_ARROW_LEFT) {
            left_arrow_width = s->w;
            reach.left = drawn_columns(s.get()).second;
        }
        if (i == SKIN_ARROW_RIGHT)
            reach.right = left_arrow_width - drawn_columns(s.get()).first;
    }
    return reach;
}

// ----- the font -----

struct FontFree {
    void operator()(BitmapFont *f) const { font_free(f); }
};
using Font = std::unique_ptr<BitmapFont, FontFree>;

// The font sheet as the game measures it: in the screen's 16-bit colours, where colours near
// the marker magenta count as magenta too.
Font load_checked_font(Check &check)
{
    std::string file = std::string(FONT_DIRECTORY) + FONT_FILE;
    std::string refusal = file_refusal(check.root + file, MAX_BITMAP_FILE_SIZE);
    if (!refusal.empty() && refusal != "cannot be read") {
        check.add(file, 1, refusal);
        return nullptr;
    }
    Surface loaded(SDL_LoadBMP((check.root + file).c_str()));
    if (!loaded) {
        check.add(file, 1, "is missing or not a readable BMP file");
        return nullptr;
    }
    Font checked(font_init(screen_colours(loaded.get()).release()));
    if (!checked || font_height(checked.get()) < 1) {
        check.add(file, 1, "is too small to hold a font");
        return nullptr;
    }
    if (checked->markers < FONT_GLYPHS + 1)
        check.add(file, 1, format("has %d glyph markers in its top row; the font needs %d, one "
                                  "before each of its %d glyphs and one after the last",
                                  checked->markers, FONT_GLYPHS + 1, FONT_GLYPHS));
    return checked;
}

bool has_glyph(const BitmapFont *f, unsigned char c)
{
    Uint8 glyph = glyph_of_code[c];
    return c == ' ' || (glyph != NO_GLYPH && glyph + 1 < f->markers);
}

// ----- texts -----

// The game's globals that the layout functions read, swapped for the checked ones while
// the checker measures, and put back after.
struct MeasuredGlobals {
    BitmapFont *saved_font;
    std::string saved_texts[TEXT_COUNT];
    std::vector<std::string> saved_skins, saved_languages;
    MeasuredGlobals(BitmapFont *f, const std::vector<std::string> &skins,
                    const std::vector<std::string> &languages)
        : saved_font(font), saved_skins(skin_list), saved_languages(language_list)
    {
        for (int i = 0; i < TEXT_COUNT; i++)
            saved_texts[i] = texts[i];
        font = f;
        skin_list = skins;
        language_list = languages;
    }
    ~MeasuredGlobals()
    {
        font = saved_font;
        skin_list = saved_skins;
        language_list = saved_languages;
        for (int i = 0; i < TEXT_COUNT; i++)
            texts[i] = saved_texts[i];
    }
};

int width_of(const std::string &text)
{
    return font_text_width(font, text.c_str());
}

int entry_width(int entry)
{
    return width_of(texts[entry]);
}

// A panel frame round a box w wide, centred across the screen, stays on the screen.
bool panel_fits(int w)
{
    Area outer = panel_frame_area((SCREEN_WIDTH - w) / 2, 0, w, 0);
    return outer.x >= 0 && outer.x + outer.w <= SCREEN_WIDTH;
}

// Where the faults of one text file go, and what its texts are drawn beside.
struct TextFile {
    Check &check;
    std::string file;
    Lines lines;
    ArrowReach arrows;

    void add(int entry, const std::string &what) { check.add(file, lines.line_of(entry), what); }
};

void panel_fault(TextFile &t, int entry, int width, const std::string &screen)
{
    if (!panel_fits(width))
        t.add(entry, format("is %d px wide; the frame of ", width) + screen
                         + " would leave the screen");
}

// A row of the options menu, centred as drawn, with its visible letters inside the box and
// clear of the arrows on the rows that have them.
void options_row_fault(TextFile &t, int entry, const std::string &row, int box_width, bool arrows)
{
    size_t first = row.find_first_not_of(' '), last = row.find_last_not_of(' ');
    if (first == std::string::npos)
        return;
    int pen = SCREEN_WIDTH / 2 - width_of(row) / 2;
    int start = pen + width_of(row.substr(0, first));
    int end = pen + width_of(row.substr(0, last + 1));
    int left = (SCREEN_WIDTH - box_width) / 2 + (arrows ? t.arrows.left : 0);
    int right = (SCREEN_WIDTH - box_width) / 2 + box_width - (arrows ? t.arrows.right : 0);
    int over = std::max(left - start, end - right);
    if (over > 0)
        t.add(entry, "shown as \"" + row + "\" runs " + format("%d px ", over)
                         + (arrows ? "into the arrows of the options menu" : "past the options box"));
}

void check_menus(TextFile &t)
{
    int menu_width = main_menu_width();
    panel_fault(t, TEXT_MENU_TITLE, entry_width(TEXT_MENU_TITLE), "the main menu");
    for (int entry = TEXT_ITEM_NEW_GAME; entry <= TEXT_ITEM_QUIT; entry++)
        panel_fault(t, entry, entry_width(entry), "the main menu");
    if (entry_width(TEXT_ITEM_CONTINUE) > menu_width)
        t.add(TEXT_ITEM_CONTINUE, format("is %d px wide, wider than the main menu's box (%d px)",
                                         entry_width(TEXT_ITEM_CONTINUE), menu_width));

    int options_width = options_menu_width(menu_width, "");
    for (int entry = TEXT_OPTION_SPEED; entry <= TEXT_OPTION_APPLY; entry++)
        panel_fault(t, entry, entry_width(entry), "the options menu");
    for (int delay : offered_frame_delays())
        options_row_fault(t, TEXT_OPTION_SPEED, speed_row_text(delay), options_width, true);
    options_row_fault(t, TEXT_OPTION_NAME, value_row_text(TEXT_OPTION_NAME, ""), options_width, false);
    for (const std::string &skin : skin_list)
        options_row_fault(t, TEXT_OPTION_SKIN, value_row_text(TEXT_OPTION_SKIN, skin.c_str()),
                          options_width, true);
    for (const std::string &language : language_list)
        options_row_fault(t, TEXT_OPTION_LANGUAGE,
                          value_row_text(TEXT_OPTION_LANGUAGE, language.c_str()), options_width, true);
    panel_fault(t, TEXT_ITEM_HIGH_SCORES, entry_width(TEXT_ITEM_HIGH_SCORES), "the high-score table");
}

void check_boxes(TextFile &t)
{
    for (int entry : {TEXT_CAUGHT, TEXT_LEVEL_DONE, TEXT_PAUSE})
        if (!area_on_screen(message_box_area(texts[entry].c_str())))
            t.add(entry, format("is %d px wide; its message box would leave the screen",
                                entry_width(entry)));
    if (!area_on_screen(framed_label_area(texts[TEXT_NAME_PROMPT].c_str(), 0)))
        t.add(TEXT_NAME_PROMPT, format("is %d px wide; the name entry's frame would leave the "
                                       "screen", entry_width(TEXT_NAME_PROMPT)));
    for (int entry : {TEXT_OUT_OF_LIVES, TEXT_ALL_MAPS_DONE, TEXT_SUMMARY_FIRST,
                      TEXT_SUMMARY_SECOND, TEXT_SUMMARY_THIRD})
        panel_fault(t, entry, entry_width(entry), "the end-of-run box");
    for (int title : {TEXT_OUT_OF_LIVES, TEXT_ALL_MAPS_DONE}) {
        int box_width = run_summary_width(texts[title].c_str());
        snprintf(text_buffer, TEXT_BUFFER_SIZE, RUN_SUMMARY_SCORE_FORMAT,
                 texts[TEXT_SCORE_LABEL].c_str(), WIDEST_SCORE);
        if (width_of(text_buffer) > box_width)
            t.add(TEXT_SCORE_LABEL, format("with a score, is %d px wide, wider than the end-of-run "
                                           "box titled by line %d (%d px)",
                                           width_of(text_buffer), t.lines.line_of(title), box_width));
    }
}

void check_status_panel(TextFile &t)
{
    if (entry_width(TEXT_FPS_LABEL) > FPS_VALUE_X)
        t.add(TEXT_FPS_LABEL, format("is %d px wide and runs into the frame rate at x %d",
                                     entry_width(TEXT_FPS_LABEL), FPS_VALUE_X));
    snprintf(text_buffer, TEXT_BUFFER_SIZE, "%d", WIDEST_SCORE);
    if (score_value_x() + width_of(text_buffer) > SCREEN_WIDTH)
        t.add(TEXT_SCORE_LABEL, format("is %d px wide; a score of %d after it would leave the screen",
                                       entry_width(TEXT_SCORE_LABEL), WIDEST_SCORE));
    if (life_icon_x(START_LIVES - 1) + CELL_SIZE > SCREEN_WIDTH)
        t.add(TEXT_LIVES_LABEL, format("is %d px wide; the %d life icons after it would leave the "
                                       "screen", entry_width(TEXT_LIVES_LABEL), START_LIVES - 1));
}

void check_legend(TextFile &t)
{
    LegendLayout legend = legend_layout();
    panel_fault(t, TEXT_LEGEND_TITLE, legend.w, "the legend");
    for (int i = 0; i < LEGEND_TEXT_COUNT; i++) {
        const LegendText &line = LEGEND_TEXTS[i];
        int room = legend.w - line.x;
        if (entry_width(line.text) > room)
            t.add(line.text, format("is %d px wide; drawn %d px into the legend it has room for %d px",
                                    entry_width(line.text), line.x, room));
    }
}

// Every character has a glyph (or is a space) in the font.
void check_characters(TextFile &t, const BitmapFont *f)
{
    for (int entry = 0; entry < TEXT_COUNT; entry++)
        for (unsigned char c : texts[entry])
            if (!has_glyph(f, c)) {
                t.add(entry, format("character %d (0x%02X) has no glyph in the font", c, c));
                break;
            }
}

// Whether the text holds UTF-8 sequences of two or more bytes and nothing that is not UTF-8:
// a file saved as UTF-8 where the game reads single-byte Windows-1250.
bool is_utf8_text(const std::string &text)
{
    bool multibyte = false;
    for (size_t i = 0; i < text.size();) {
        unsigned char c = text[i];
        int length = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
        if (length == 0 || i + length > text.size() || (length == 2 && c < 0xC2))
            return false;
        for (int k = 1; k < length; k++)
            if (((unsigned char)text[i + k] & 0xC0) != 0x80)
                return false;
        multibyte = multibyte || length > 1;
        i += length;
    }
    return multibyte;
}

void check_text_file(Check &check, const std::string &file, ArrowReach arrows, const BitmapFont *f)
{
    TextFile t{check, file, {}, arrows};
    if (!read_lines(check.root + file, TEXT_LINE_SIZE, t.lines)) {
        check.add(file, 1, unreadable(check, file));
        return;
    }
    int count = t.lines.lines.size();
    if (count != TEXT_COUNT)
        t.add(count < TEXT_COUNT ? count : TEXT_COUNT,
              format("has %d texts; the game reads exactly %d", count, TEXT_COUNT));
    for (int i = 0; i < TEXT_COUNT; i++)
        texts[i] = i < count ? t.lines.lines[i] : "";
    if (!f)
        return;
    std::string whole;
    if (read_whole_file(check.root + file, whole) && is_utf8_text(whole))
        check.add(file, 1, "is UTF-8; the game reads its texts as Windows-1250: save it in that encoding");
    else
        check_characters(t, f);
    check_menus(t);
    check_boxes(t);
    check_status_panel(t);
    check_legend(t);
}

// What the font must hold whatever the language: the credits, and the legend's height.
void check_font_screens(Check &check)
{
    std::string file = std::string(FONT_DIRECTORY) + FONT_FILE;
    for (const char *line : CREDITS_LINES)
        if (!area_on_screen(framed_label_area(line, 0)))
            check.add(file, 1, std::string("makes the credits line \"") + line + "\" wider than the screen");
    LegendLayout legend = legend_layout();
    Area outer = panel_frame_area(0, legend.y0, 0, legend.h);
    if (outer.y < 0 || outer.y + outer.h > SCREEN_HEIGHT)
        check.add(file, 1, format("is %d px high; the legend panel would not fit the screen",
                                  font_height(font)));
}

} // namespace

std::vector<ContentFault> check_content(const std::string &content_dir)
{
    Check check;
    check.root = content_dir + "/";
    std::vector<std::string> skins = check_list(check, SKIN_LIST_PATH, "skins");
    std::vector<std::string> languages = check_list(check, LANGUAGE_LIST_PATH, "languages");
    check_maps(check);
    Font checked_font = load_checked_font(check);
    MeasuredGlobals measured(checked_font.get(), skins, languages);
    if (checked_font)
        check_font_screens(check);
    for (const std::string &skin : skins) {
        ArrowReach arrows = check_skin(check, skin);
        for (const std::string &language : languages) {
            snprintf(text_buffer, TEXT_BUFFER_SIZE, TEXT_FILE_FORMAT, TEXTS_FOLDER, skin.c_str(), language.c_str());
            check_text_file(check, text_buffer, arrows, checked_font.get());
        }
    }
    return check.faults;
}

std::string fault_line(const ContentFault &fault)
{
    return fault.file + ":" + std::to_string(fault.line) + ": " + (fault.note ? "note: " : "") + fault.what;
}
