// synthetic_skin.cpp: the stand-in skin for drawing tests (see synthetic_skin.h).
#include "synthetic_skin.h"
#include "frame.h"
#include "gfx.h"
#include "test_support.h"
#include "world.h"

static const int FONT_MARKERS = FONT_GLYPHS + 1;
static const int MARKER_STEP = GLYPH_ADVANCE + 1;   // a one-pixel marker, then the glyph
static const Uint32 KEY_PIXEL = 0x0001;

static bool installed = false;
static SDL_Surface *saved_tiles[6], *saved_singles[9];
static SDL_Surface *saved_player[5], *saved_power[5], *saved_enemy[5];
static SDL_Rect saved_frame_rect;
static BitmapFont *saved_font;

static SDL_Surface **const SINGLE_SLOTS[9] = {
    &teleport_sprite, &death_sprite, &life_icon, &dots_icon, &boost_icon,
    &knot_icon, &decoy_sprite, &arrow_left_sprite, &arrow_right_sprite,
};
static const Uint32 SINGLE_PIXELS[9] = {
    TELEPORT_PIXEL, DEATH_PIXEL, LIFE_PIXEL, DOTS_PIXEL, BOOST_PIXEL,
    KNOT_PIXEL, DECOY_PIXEL, 0x3008, 0x3009,
};

Uint32 tile_pixel(Uint8 code)
{
    return 0x2000 + code;
}

Uint32 actor_pixel(ActorKind kind, int direction)
{
    return 0x4000 + 0x10 * kind + 2 * direction;
}

static SDL_Surface *block(int w, int h, Uint32 pixel)
{
    const SDL_PixelFormat *f = screen->format;
    SDL_Surface *s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, f->BitsPerPixel, f->Rmask,
                                          f->Gmask, f->Bmask, f->Amask);
    SDL_FillRect(s, nullptr, pixel);
    return s;
}

static void paint(SDL_Surface *s, int x, int y, int w, int h, Uint32 pixel)
{
    SDL_Rect r = {Sint16(x), Sint16(y), Uint16(w), Uint16(h)};
    SDL_FillRect(s, &r, pixel);
}

// Markers one pixel wide every 21 pixels; glyph g fills the 21 columns from marker g with
// its own value; the bottom-left pixel holds the transparent key.
static BitmapFont *make_font()
{
    SDL_Surface *sheet = block(FONT_MARKERS * MARKER_STEP, GLYPH_HEIGHT + 1, 0);
    Uint32 magenta = SDL_MapRGB(sheet->format, 255, 0, 255);
    for (int g = 0; g < FONT_GLYPHS; g++)
        paint(sheet, g * MARKER_STEP, 0, MARKER_STEP, GLYPH_HEIGHT + 1, GLYPH_PIXEL + g);
    for (int m = 0; m < FONT_MARKERS; m++)
        paint(sheet, m * MARKER_STEP, 0, 1, 1, magenta);
    paint(sheet, 0, GLYPH_HEIGHT, 1, 1, KEY_PIXEL);
    return font_init(sheet);
}

static SDL_Surface *strip(ActorKind kind, int direction)
{
    SDL_Surface *s = block(2 * FRAME_SIZE, FRAME_SIZE, actor_pixel(kind, direction));
    paint(s, FRAME_SIZE, 0, FRAME_SIZE, FRAME_SIZE, actor_pixel(kind, direction) + 1);
    return s;
}

static void keep_aside()
{
    for (int i = 0; i < 6; i++)
        saved_tiles[i] = tile_sprites[i];
    for (int i = 0; i < 9; i++)
        saved_singles[i] = *SINGLE_SLOTS[i];
    for (int d = 0; d < 5; d++) {
        saved_player[d] = player_sprites[d];
        saved_power[d] = player_power_sprites[d];
        saved_enemy[d] = enemy_sprites[d];
    }
    saved_frame_rect = actor_frame_rect;
    saved_font = font;
}

void install_synthetic_skin(bool still_enemy)
{
    open_test_screen();
    if (installed)
        restore_real_skin();
    keep_aside();
    installed = true;
    for (Uint8 code = 0; code < 6; code++)
        tile_sprites[code] = block(FRAME_SIZE, FRAME_SIZE, tile_pixel(code));
    for (int i = 0; i < 9; i++)
        *SINGLE_SLOTS[i] = block(FRAME_SIZE, FRAME_SIZE, SINGLE_PIXELS[i]);
    for (int d = 0; d < 5; d++) {
        player_sprites[d] = d ? strip(PLAYER_KIND, d) : nullptr;
        player_power_sprites[d] = d ? strip(POWER_KIND, d) : nullptr;
        enemy_sprites[d] = d && !still_enemy ? strip(ENEMY_KIND, d) : nullptr;
    }
    if (still_enemy)
        enemy_sprites[DIR_RIGHT] = block(FRAME_SIZE, FRAME_SIZE, actor_pixel(ENEMY_KIND, DIR_RIGHT));
    actor_frame_rect = SDL_Rect{0, 0, FRAME_SIZE, FRAME_SIZE};
    font = make_font();
    for (Uint8 &cell : level_map.cells)
        cell = CELL_FLOOR;
}

void restore_real_skin()
{
    if (!installed)
        return;
    installed = false;
    for (int i = 0; i < 6; i++) {
        SDL_FreeSurface(tile_sprites[i]);
        tile_sprites[i] = saved_tiles[i];
    }
    for (int i = 0; i < 9; i++) {
        SDL_FreeSurface(*SINGLE_SLOTS[i]);
        *SINGLE_SLOTS[i] = saved_singles[i];
    }
    for (int d = 0; d < 5; d++) {
        SDL_FreeSurface(player_sprites[d]);
        SDL_FreeSurface(player_power_sprites[d]);
        SDL_FreeSurface(enemy_sprites[d]);
        player_sprites[d] = saved_player[d];
        player_power_sprites[d] = saved_power[d];
        enemy_sprites[d] = saved_enemy[d];
    }
    actor_frame_rect = saved_frame_rect;
    font_free(font);
    font = saved_font;
}

Uint32 screen_pixel(int x, int y)
{
    SDL_LockSurface(screen);
    Uint16 *row = reinterpret_cast<Uint16 *>(static_cast<Uint8 *>(screen->pixels) + y * screen->pitch);
    Uint32 pixel = row[x];
    SDL_UnlockSurface(screen);
    return pixel;
}

void fill_screen(Uint32 pixel)
{
    SDL_FillRect(screen, nullptr, pixel);
}

// Glyphs 0 to 93 are the characters 33 to 126; the Czech letters are not read back.
std::string read_screen_text(int x, int y)
{
    std::string text;
    for (int pen = x; pen + GLYPH_ADVANCE / 2 < SCREEN_WIDTH; pen += GLYPH_ADVANCE) {
        Uint32 pixel = screen_pixel(pen + GLYPH_ADVANCE / 2, y + GLYPH_HEIGHT / 2);
        if (pixel < GLYPH_PIXEL || pixel >= GLYPH_PIXEL + 94)
            break;
        text += char(pixel - GLYPH_PIXEL + 33);
    }
    return text;
}
