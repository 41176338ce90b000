// SPDX-License-Identifier: GPL-3.0-or-later
// skin_preview.cpp: draws one contact picture per skin of skins/skins.txt with the game's own
// skin loader and font: every tile and icon, the actors in all four directions, a small maze
// and font samples in every language. Run by hand from the content directory:
//   cd content && ../build/skin_preview <output directory>
// It writes <output directory>/preview_<skin>.bmp.
#include "files.h"
#include "frame.h"
#include "gfx.h"
#include "world.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const int ZOOM = 2;                          // catalogue pictures are shown at twice their size
const int ZOOMED = FRAME_SIZE * ZOOM;
const int SLOT_W = 100;                      // room for a zoomed picture and its label
const int LEFT = 16;
const int LABEL_W = 96;                      // the row captions of the actor table
const int TEXT_LINES[] = {TEXT_LEGEND_TITLE, TEXT_LEGEND_DOTS, TEXT_CAUGHT, TEXT_LEVEL_DONE, TEXT_MENU_TITLE}; // language lines shown as a sample
const int CHARS_PER_LINE = 62;

// The little maze beside the actor table, in map characters: walls, dots, floor, a teleport,
// an extra life, a decoy and a power pick-up.
const char *const SAMPLE_MAZE[] = {
    "1111111111",
    "10000A0001",
    "1011101101",
    "1050000701",
    "1011211101",
    "1002260001",
    "1111111111",
};
const int SAMPLE_ROWS = sizeof SAMPLE_MAZE / sizeof SAMPLE_MAZE[0];
const int SAMPLE_COLS = 10;
const int MAZE_X = 704, MAZE_Y = 240;

Uint32 background() { return SDL_MapRGB(screen->format, 44, 44, 52); }

// Copies the source rectangle (all of it when null) enlarged `zoom` times to (x, y), leaving
// out the colour-keyed pixels of a keyed surface.
void blit_zoomed(SDL_Surface *source, const SDL_Rect *area, int x, int y, int zoom)
{
    SDL_Rect all = {0, 0, Uint16(source->w), Uint16(source->h)};
    const SDL_Rect &r = area ? *area : all;
    bool keyed = source->flags & SDL_SRCCOLORKEY;
    SDL_LockSurface(source);
    SDL_LockSurface(screen);
    for (int sy = 0; sy < r.h; sy++)
        for (int sx = 0; sx < r.w; sx++) {
            Uint32 p = get_pixel(source, r.x + sx, r.y + sy);
            if (keyed && p == source->format->colorkey)
                continue;
            for (int dy = 0; dy < zoom; dy++)
                for (int dx = 0; dx < zoom; dx++) {
                    int px = x + sx * zoom + dx, py = y + sy * zoom + dy;
                    if (px >= 0 && py >= 0 && px < screen->w && py < screen->h)
                        put_pixel(screen, px, py, p);
                }
        }
    SDL_UnlockSurface(screen);
    SDL_UnlockSurface(source);
}

// A zoomed picture on a zoomed floor tile, so keyed sprites show how they sit in the maze.
void show_on_floor(SDL_Surface *sprite, const SDL_Rect *area, int x, int y)
{
    blit_zoomed(tile_sprites[2], nullptr, x, y, ZOOM);
    blit_zoomed(sprite, area, x, y, ZOOM);
}

void caption(int x, int y, const char *text) { font_write(screen, font, x, y, text); }

// The still pictures of the skin in load order, eight to a row, each zoomed with its short
// name under it; keyed ones stand on a floor tile, so they show how they sit in the maze.
void show_still_pictures(int y)
{
    const int per_row = 8, row_pitch = 94;
    for (int i = 0; i < SKIN_STILL_FILES; i++) {
        const SkinFile &file = SKIN_FILES[i];
        int x = LEFT + (i % per_row) * SLOT_W, top = y + (i / per_row) * row_pitch;
        if (file.load == SKIN_KEYED)
            show_on_floor(*file.slot, nullptr, x, top);
        else
            blit_zoomed(*file.slot, nullptr, x, top, ZOOM);
        caption(x, top + (*file.slot)->h * ZOOM + 2, file.label);
    }
}

// Both frames of an actor in the four directions; a single-frame enemy shows its one
// picture for every direction.
void show_actor(SDL_Surface *const sprites[5], const char *name, int y)
{
    caption(LEFT, y + ZOOMED / 2 - font_height(font) / 2, name);
    for (int direction = 1; direction <= 4; direction++)
        for (int frame = 0; frame < 2; frame++) {
            SDL_Surface *sprite = sprites[direction] ? sprites[direction] : sprites[1];
            SDL_Rect area = {Sint16(frame * FRAME_SIZE), 0, FRAME_SIZE, FRAME_SIZE};
            if (sprite->w <= FRAME_SIZE)
                area.x = 0;
            int x = LEFT + LABEL_W + ((direction - 1) * 2 + frame) * (ZOOMED + 4) + (direction - 1) * 12;
            show_on_floor(sprite, &area, x, y);
        }
}

void blit_at(SDL_Surface *sprite, SDL_Rect *area, int x, int y)
{
    SDL_Rect where = {Sint16(x), Sint16(y), 0, 0};
    SDL_BlitSurface(sprite, area, screen, &where);
}

// The sample maze at its real size with the actors standing in it.
void show_maze()
{
    for (int row = 0; row < SAMPLE_ROWS; row++)
        for (int col = 0; col < SAMPLE_COLS; col++) {
            SDL_Surface *tile = tile_of(Uint8(map_character_cell(SAMPLE_MAZE[row][col])));
            blit_at(tile, nullptr, MAZE_X + col * FRAME_SIZE, MAZE_Y + row * FRAME_SIZE);
        }
    SDL_Rect second = {FRAME_SIZE, 0, FRAME_SIZE, FRAME_SIZE};
    SDL_Rect first = {0, 0, FRAME_SIZE, FRAME_SIZE};
    auto cell_x = [](int col) { return MAZE_X + col * FRAME_SIZE; };
    auto cell_y = [](int row) { return MAZE_Y + row * FRAME_SIZE; };
    blit_at(player_sprites[1], &second, cell_x(2), cell_y(1));
    blit_at(player_power_sprites[4], &first, cell_x(8), cell_y(2));
    SDL_Surface *enemy = enemy_sprites[3] ? enemy_sprites[3] : enemy_sprites[1];
    SDL_Rect *enemy_area = enemy->w > FRAME_SIZE ? &first : nullptr;
    blit_at(enemy, enemy_area, cell_x(5), cell_y(3));
    blit_at(death_sprite, nullptr, cell_x(3), cell_y(5));
    blit_at(decoy_sprite, nullptr, cell_x(7), cell_y(5));
}

// Every glyph of the font in code order, then a few lines of each language over wall tiles.
void show_font(int y)
{
    char line[CHARS_PER_LINE + 1];
    int used = 0;
    for (int glyph = 0; glyph < FONT_GLYPHS; glyph++)
        for (int code = 1; code < 256; code++) {
            if (glyph_of_code[code] != glyph)
                continue;
            line[used++] = char(code);
            if (used == CHARS_PER_LINE || glyph == FONT_GLYPHS - 1) {
                line[used] = 0;
                caption(LEFT, y, line);
                y += font_height(font) + 2;
                used = 0;
            }
        }
    for (int row = (y + FRAME_SIZE - 1) / FRAME_SIZE; row < SCREEN_HEIGHT / FRAME_SIZE; row++)
        for (int col = 0; col < SCREEN_WIDTH / FRAME_SIZE; col++)
            blit_at(tile_sprites[(row + col) % 5 == 0 ? 0 : 1], nullptr, col * FRAME_SIZE, row * FRAME_SIZE);
    y = (y + FRAME_SIZE - 1) / FRAME_SIZE * FRAME_SIZE + 4;
    for (size_t language = 0; language < language_list.size(); language++) {
        language_index = Uint8(language);
        if (load_texts() != 0)
            continue;
        for (int index : TEXT_LINES) {
            if (y + font_height(font) > SCREEN_HEIGHT)
                return;
            std::string text = language_list[language] + ": " + texts[index];
            caption(LEFT, y, text.c_str());
            y += font_height(font) + 1;
        }
    }
}

void draw_preview(const std::string &skin)
{
    SDL_FillRect(screen, nullptr, background());
    std::string title = "Skin " + skin;
    caption(LEFT, 6, title.c_str());
    show_still_pictures(36);
    show_actor(player_sprites, SKIN_FILES[SKIN_PLAYER].label, 224);
    show_actor(player_power_sprites, SKIN_FILES[SKIN_POWERED_PLAYER].label, 296);
    show_actor(enemy_sprites, SKIN_FILES[SKIN_ENEMY].label, 368);
    show_maze();
    show_font(446);
}

void open_preview_screen()
{
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        printf("skin_preview: %s\n", SDL_GetError());
        exit(1);
    }
    screen = SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, SCREEN_DEPTH, SDL_SWSURFACE);
    if (!screen) {
        printf("skin_preview: %s\n", SDL_GetError());
        exit(1);
    }
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        printf("usage (from the content directory): skin_preview <output directory>\n");
        return 1;
    }
    open_preview_screen();
    read_list(SKIN_LIST_PATH, skin_list);
    read_list(LANGUAGE_LIST_PATH, language_list);
    for (size_t i = 0; i < skin_list.size(); i++) {
        skin_index = Uint8(i);
        load_skin();
        draw_preview(skin_list[i]);
        std::string path = std::string(argv[1]) + "/preview_" + skin_list[i] + ".bmp";
        if (SDL_SaveBMP(screen, path.c_str()) != 0) {
            printf("skin_preview: cannot write %s: %s\n", path.c_str(), SDL_GetError());
            exit(1);
        }
        printf("skin_preview: %s\n", path.c_str());
        free_skin();
    }
    SDL_Quit();
    return 0;
}
