// SPDX-License-Identifier: GPL-3.0-or-later
// make_skins.cpp: draws the 18 bitmaps of the skins "meadow" and "circuit" with code; run by
// hand when the art is to be remade: make_skins <skins directory> (usually content/skins).
//
// Everything is drawn on a canvas four times finer than the bitmap and averaged down, so
// edges between colours are smooth while keyed sprites keep a hard edge against the pure
// green key. Colours are picked in coarse steps: the game's screen has 16-bit colour.
#include <SDL.h>
#include "gfx.h"
#include "world.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

// ===================== canvas and shapes =====================

const int SUPERSAMPLE = 4;
const int CELL = CELL_SIZE;   // the game's cell side in pixels
const float PI = 3.14159265f;

struct Colour {
    float r, g, b;
};

Colour rgb(int r, int g, int b) { return {float(r), float(g), float(b)}; }

Colour mix(Colour a, Colour b, float t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// A canvas of w x h bitmap pixels, stored at the supersampled resolution with coverage.
struct Canvas {
    int w, h;
    std::vector<Colour> colour;
    std::vector<float> alpha;
    Canvas(int width, int height)
        : w(width), h(height), colour(width * height * SUPERSAMPLE * SUPERSAMPLE, Colour{0, 0, 0}),
          alpha(width * height * SUPERSAMPLE * SUPERSAMPLE, 0.0f) {}
};

using Shape = std::function<bool(float, float)>;     // inside test in bitmap pixels
using Paint = std::function<Colour(float, float)>;   // colour at a point

// A turn of the whole drawing about a point (radians, clockwise on screen); 0 for none.
float view_angle = 0, view_cx = 0, view_cy = 0;

// Paints every sample inside the shape, opaque.
void paint(Canvas &c, const Shape &inside, const Paint &colour)
{
    int sw = c.w * SUPERSAMPLE, sh = c.h * SUPERSAMPLE;
    float turn_cos = std::cos(view_angle), turn_sin = std::sin(view_angle);
    for (int j = 0; j < sh; ++j)
        for (int i = 0; i < sw; ++i) {
            float sx = (i + 0.5f) / SUPERSAMPLE - view_cx, sy = (j + 0.5f) / SUPERSAMPLE - view_cy;
            float x = view_cx + sx * turn_cos + sy * turn_sin, y = view_cy - sx * turn_sin + sy * turn_cos;
            if (!inside(x, y))
                continue;
            c.colour[i + j * sw] = colour(x, y);
            c.alpha[i + j * sw] = 1.0f;
        }
}

void fill(Canvas &c, const Shape &inside, Colour colour)
{
    paint(c, inside, [colour](float, float) { return colour; });
}

Shape everywhere() { return [](float, float) { return true; }; }

Shape circle(float cx, float cy, float r)
{
    return [=](float x, float y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; };
}

Shape ellipse(float cx, float cy, float rx, float ry)
{
    return [=](float x, float y) {
        float dx = (x - cx) / rx, dy = (y - cy) / ry;
        return dx * dx + dy * dy <= 1.0f;
    };
}

Shape ring(float cx, float cy, float inner, float outer)
{
    return [=](float x, float y) {
        float d = (x - cx) * (x - cx) + (y - cy) * (y - cy);
        return d >= inner * inner && d <= outer * outer;
    };
}

Shape box(float x0, float y0, float x1, float y1)
{
    return [=](float x, float y) { return x >= x0 && x < x1 && y >= y0 && y < y1; };
}

Shape rounded_box(float x0, float y0, float x1, float y1, float radius)
{
    return [=](float x, float y) {
        float dx = std::max({x0 + radius - x, 0.0f, x - (x1 - radius)});
        float dy = std::max({y0 + radius - y, 0.0f, y - (y1 - radius)});
        return x >= x0 && x < x1 && y >= y0 && y < y1 && dx * dx + dy * dy <= radius * radius;
    };
}

float segment_distance(float x, float y, float x0, float y0, float x1, float y1)
{
    float vx = x1 - x0, vy = y1 - y0;
    float len2 = vx * vx + vy * vy;
    float t = len2 > 0 ? std::clamp(((x - x0) * vx + (y - y0) * vy) / len2, 0.0f, 1.0f) : 0.0f;
    float dx = x - (x0 + t * vx), dy = y - (y0 + t * vy);
    return std::sqrt(dx * dx + dy * dy);
}

// A thick line with round ends.
Shape line(float x0, float y0, float x1, float y1, float half_width)
{
    return [=](float x, float y) { return segment_distance(x, y, x0, y0, x1, y1) <= half_width; };
}

struct Point {
    float x, y;
};

Shape polygon(std::vector<Point> points)
{
    return [points](float x, float y) {
        bool inside = false;
        for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            const Point &a = points[i], &b = points[j];
            if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x)
                inside = !inside;
        }
        return inside;
    };
}

Shape both(Shape a, Shape b) { return [=](float x, float y) { return a(x, y) && b(x, y); }; }
Shape either(Shape a, Shape b) { return [=](float x, float y) { return a(x, y) || b(x, y); }; }
Shape minus(Shape a, Shape b) { return [=](float x, float y) { return a(x, y) && !b(x, y); }; }

// The shape turned by angle (radians, clockwise on screen) about (cx, cy).
Shape rotated(Shape s, float cx, float cy, float angle)
{
    float c = std::cos(angle), n = std::sin(angle);
    return [=](float x, float y) {
        float dx = x - cx, dy = y - cy;
        return s(cx + dx * c + dy * n, cy - dx * n + dy * c);
    };
}

Shape shifted(Shape s, float dx, float dy)
{
    return [=](float x, float y) { return s(x - dx, y - dy); };
}

// The shape repeated across tile edges, so a tile's pattern runs on in its neighbours.
Shape wrapped(Shape s)
{
    return [=](float x, float y) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (s(x + dx * CELL, y + dy * CELL))
                    return true;
        return false;
    };
}

// Mouth wedge: points seen from (cx, cy) within half_angle of the direction angle.
Shape wedge(float cx, float cy, float direction, float half_angle)
{
    return [=](float x, float y) {
        float a = std::atan2(y - cy, x - cx) - direction;
        while (a > PI) a -= 2 * PI;
        while (a < -PI) a += 2 * PI;
        return std::fabs(a) <= half_angle;
    };
}

// Three-band ball shading lit from the upper left: dark, base, light.
Paint ball_shade(float cx, float cy, float r, Colour dark, Colour base, Colour light)
{
    return [=](float x, float y) {
        float dx = (x - cx) / r + 0.35f, dy = (y - cy) / r + 0.35f;
        float d = dx * dx + dy * dy;
        if (d < 0.25f) return light;
        if (d < 1.0f) return base;
        return dark;
    };
}

// Deterministic scatter for textures.
unsigned random_state = 1;
float random_unit()
{
    random_state = random_state * 1103515245u + 12345u;
    return ((random_state >> 16) & 0x7FFF) / 32768.0f;
}

// ===================== output =====================

const Colour KEY = {0, 255, 0};

struct Pixel {
    Uint8 r, g, b;
    bool opaque;
};

// Averages the samples down to bitmap pixels. A keyed bitmap makes a pixel opaque when at
// least half of it is covered; a plain bitmap is covered everywhere by its background.
std::vector<Pixel> resolve(const Canvas &c)
{
    std::vector<Pixel> out(c.w * c.h);
    int sw = c.w * SUPERSAMPLE;
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x) {
            float r = 0, g = 0, b = 0, a = 0;
            for (int j = 0; j < SUPERSAMPLE; ++j)
                for (int i = 0; i < SUPERSAMPLE; ++i) {
                    int k = x * SUPERSAMPLE + i + (y * SUPERSAMPLE + j) * sw;
                    r += c.colour[k].r * c.alpha[k];
                    g += c.colour[k].g * c.alpha[k];
                    b += c.colour[k].b * c.alpha[k];
                    a += c.alpha[k];
                }
            Pixel &p = out[x + y * c.w];
            p.opaque = a >= SUPERSAMPLE * SUPERSAMPLE / 2.0f;
            if (a > 0) {
                p.r = Uint8(std::lround(r / a));
                p.g = Uint8(std::lround(g / a));
                p.b = Uint8(std::lround(b / a));
            }
        }
    return out;
}

// Gives every keyed sprite a dark rim: transparent pixels touching an opaque one (8-way).
void add_outline(std::vector<Pixel> &pixels, int w, int h, Colour rim)
{
    std::vector<Pixel> source = pixels;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (source[x + y * w].opaque)
                continue;
            bool touches = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    int nx = x + dx, ny = y + dy;
                    if (nx >= 0 && ny >= 0 && nx < w && ny < h &&
                        (nx / CELL == x / CELL) && source[nx + ny * w].opaque)
                        touches = true;
                }
            if (touches)
                pixels[x + y * w] = {Uint8(rim.r), Uint8(rim.g), Uint8(rim.b), true};
        }
}

// A drawn pixel must never turn into the key once the game reduces it to 16-bit colour.
bool looks_like_key(const Pixel &p) { return p.r < 8 && p.g >= 252 && p.b < 8; }

void save(const std::vector<Pixel> &pixels, int w, int h, const std::string &path)
{
    SDL_Surface *s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0);
    if (!s) {
        std::printf("make_skins: %s\n", SDL_GetError());
        std::exit(1);
    }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Pixel p = pixels[x + y * w];
            if (!p.opaque)
                p = {Uint8(KEY.r), Uint8(KEY.g), Uint8(KEY.b), false};
            else if (looks_like_key(p))
                p.r = 16;
            Uint8 *d = static_cast<Uint8 *>(s->pixels) + y * s->pitch + x * 3;
            Uint32 v = SDL_MapRGB(s->format, p.r, p.g, p.b);
            d[0] = v & 0xFF;
            d[1] = (v >> 8) & 0xFF;
            d[2] = (v >> 16) & 0xFF;
        }
    if (SDL_SaveBMP(s, path.c_str()) != 0) {
        std::printf("make_skins: cannot write %s: %s\n", path.c_str(), SDL_GetError());
        std::exit(1);
    }
    SDL_FreeSurface(s);
}

std::string skin_dir;   // output directory of the skin being drawn, ending in '/'

void save_plain(const Canvas &c, const char *name)
{
    save(resolve(c), c.w, c.h, skin_dir + name);
}

void save_keyed(const Canvas &c, const char *name, Colour rim)
{
    std::vector<Pixel> pixels = resolve(c);
    add_outline(pixels, c.w, c.h, rim);
    save(pixels, c.w, c.h, skin_dir + name);
}

// Draws a two-frame strip: draw_frame(canvas, frame) paints frame 0 at x 0 and frame 1 at 32.
using FrameDrawer = std::function<void(Canvas &, float ox, int frame)>;

Canvas strip(const FrameDrawer &draw_frame)
{
    Canvas c(2 * CELL, CELL);
    for (int frame = 0; frame < 2; ++frame)
        draw_frame(c, frame * CELL, frame);
    return c;
}

// Limits a shape to one frame of a strip, so nothing spills into the neighbour frame.
Shape in_frame(Shape s, float ox) { return both(s, box(ox, 0, ox + CELL, CELL)); }

// ===================== meadow: garden, hedges and seeds =====================

// The arrows are drawn on a 16 by 28 grid scaled to the canvas; the left one is mirrored.
float arrow_x(const Canvas &c, float x, bool right)
{
    float scaled = x * c.w / 16.0f;
    return right ? scaled : c.w - scaled;
}

float arrow_y(const Canvas &c, float y)
{
    return y * c.h / 28.0f;
}

namespace meadow {

const Colour SOIL = rgb(190, 148, 96);
const Colour SOIL_DARK = rgb(150, 110, 68);
const Colour SOIL_LIGHT = rgb(214, 180, 128);
const Colour HEDGE_DEEP = rgb(24, 64, 26);
const Colour HEDGE = rgb(46, 108, 40);
const Colour HEDGE_LIGHT = rgb(92, 160, 56);
const Colour HEDGE_SHINE = rgb(150, 204, 90);
const Colour RIM = rgb(44, 28, 14);
const Colour WOOD = rgb(156, 104, 56);
const Colour WOOD_DARK = rgb(98, 62, 30);
const Colour WOOD_LIGHT = rgb(190, 140, 80);

void path_floor(Canvas &c)
{
    fill(c, everywhere(), SOIL);
    random_state = 7;
    for (int i = 0; i < 14; ++i) {
        float x = random_unit() * CELL, y = random_unit() * CELL, r = 0.7f + random_unit() * 0.8f;
        fill(c, wrapped(circle(x, y, r)), i % 3 == 0 ? SOIL_LIGHT : SOIL_DARK);
    }
    fill(c, wrapped(ellipse(6, 26, 2.2f, 1.4f)), SOIL_DARK);
    fill(c, wrapped(ellipse(5.5f, 25.5f, 1.4f, 0.8f)), SOIL_LIGHT);
}

void hedge(Canvas &c)
{
    fill(c, everywhere(), HEDGE_DEEP);
    random_state = 5;
    for (int i = 0; i < 44; ++i) {
        float x = random_unit() * CELL, y = random_unit() * CELL, r = 3.0f + random_unit() * 2.5f;
        fill(c, wrapped(circle(x, y, r)), HEDGE);
        fill(c, wrapped(circle(x - r * 0.3f, y - r * 0.3f, r * 0.6f)), HEDGE_LIGHT);
        fill(c, wrapped(circle(x - r * 0.45f, y - r * 0.45f, r * 0.22f)), HEDGE_SHINE);
    }
}

// The golden seed: the dot to catch. (cx, cy) centre, s scale.
void seed(Canvas &c, float cx, float cy, float s)
{
    fill(c, ellipse(cx + 1.2f * s, cy + 1.8f * s, 5.5f * s, 3.5f * s), SOIL_DARK);
    fill(c, ellipse(cx, cy, 5.6f * s, 6.6f * s), RIM);
    paint(c, ellipse(cx, cy, 4.6f * s, 5.6f * s),
          ball_shade(cx, cy, 5.0f * s, rgb(214, 150, 30), rgb(246, 200, 50), rgb(255, 240, 150)));
    fill(c, ellipse(cx - 1.6f * s, cy - 2.2f * s, 1.1f * s, 1.5f * s), rgb(255, 255, 230));
}

void dot_tile(Canvas &c)
{
    path_floor(c);
    seed(c, 16, 15.5f, 1.0f);
}

// A round wooden plaque on the hedge: the background of the panel icons.
void plaque(Canvas &c)
{
    hedge(c);
    fill(c, circle(16, 16, 15), WOOD_DARK);
    paint(c, circle(16, 16, 13.5f), [](float, float y) {
        return (int(y) % 5 == 0) ? WOOD : WOOD_LIGHT;
    });
    fill(c, ring(16, 16, 12.5f, 13.5f), WOOD);
}

void teleport_tile(Canvas &c)
{
    path_floor(c);
    fill(c, circle(16, 16, 13), rgb(70, 40, 96));
    const Colour bands[] = {rgb(120, 70, 190), rgb(176, 120, 236), rgb(120, 70, 190),
                            rgb(60, 30, 100), rgb(30, 12, 50)};
    for (int i = 0; i < 5; ++i)
        fill(c, circle(16, 16, 11.5f - i * 2.3f), bands[i]);
    for (int i = 0; i < 3; ++i) {   // swirl arms
        float a = i * 2 * PI / 3;
        fill(c, both(ring(16, 16, 3, 11), wedge(16, 16, a, 0.25f)), rgb(220, 190, 255));
    }
    for (int i = 0; i < 8; ++i) {   // a ring of daisies round the hole
        float a = i * PI / 4 + PI / 8, x = 16 + 13.2f * std::cos(a), y = 16 + 13.2f * std::sin(a);
        fill(c, circle(x, y, 2.0f), rgb(255, 255, 255));
        fill(c, circle(x, y, 0.9f), rgb(250, 200, 40));
    }
}

void scarecrow(Canvas &c)
{
    path_floor(c);
    fill(c, ellipse(16, 29.5f, 9, 2.2f), SOIL_DARK);
    fill(c, box(14.5f, 12, 17.5f, 30.5f), RIM);
    fill(c, box(15.3f, 12, 16.7f, 30), WOOD);
    fill(c, box(3, 13.5f, 29, 16.5f), RIM);
    fill(c, box(3.5f, 14.2f, 28.5f, 15.8f), WOOD);
    for (int i = 0; i < 3; ++i) {  // straw sticking out of the sleeves
        fill(c, line(4.5f, 15, 1.5f, 12.5f + i * 2.5f, 0.55f), rgb(244, 210, 90));
        fill(c, line(27.5f, 15, 30.5f, 12.5f + i * 2.5f, 0.55f), rgb(244, 210, 90));
    }
    Shape shirt = polygon({{8, 12.5f}, {24, 12.5f}, {22, 25}, {10, 25}});
    fill(c, shirt, RIM);
    paint(c, shifted(polygon({{8.8f, 13.3f}, {23.2f, 13.3f}, {21.3f, 24.2f}, {10.7f, 24.2f}}), 0, 0),
          [](float x, float y) {
              bool check = (int(x / 2.5f) + int(y / 2.5f)) % 2;
              return check ? rgb(200, 50, 50) : rgb(150, 30, 36);
          });
    fill(c, circle(16, 9, 5.3f), RIM);
    fill(c, circle(16, 9, 4.4f), rgb(226, 200, 150));
    fill(c, line(13.5f, 8.5f, 14.5f, 9.5f, 0.45f), RIM);   // stitched cross eyes
    fill(c, line(14.5f, 8.5f, 13.5f, 9.5f, 0.45f), RIM);
    fill(c, line(17.5f, 8.5f, 18.5f, 9.5f, 0.45f), RIM);
    fill(c, line(18.5f, 8.5f, 17.5f, 9.5f, 0.45f), RIM);
    fill(c, line(14, 11.3f, 18, 11.3f, 0.4f), RIM);
    fill(c, ellipse(16, 5.2f, 9.5f, 2.4f), RIM);           // straw hat
    fill(c, ellipse(16, 5.2f, 8.6f, 1.6f), rgb(236, 196, 90));
    fill(c, rounded_box(12, 0.5f, 20, 5, 1.5f), rgb(236, 196, 90));
    fill(c, box(12, 3.2f, 20, 4.6f), rgb(60, 90, 170));
}

// The chick, facing right: frame 0 with the beak open, frame 1 closed. Colours make the
// normal and the powered chick.
struct ChickColours {
    Colour dark, body, light, wing, beak, crest;
    bool angry;
};

void chick(Canvas &c, float ox, float oy, float s, int frame, const ChickColours &k)
{
    auto X = [=](float x) { return ox + x * s; };
    auto Y = [=](float y) { return oy + y * s; };
    Colour leg = rgb(232, 120, 30);
    float step = frame == 0 ? 2.5f : 0.0f;
    fill(c, line(X(13), Y(25), X(13 - step), Y(30), 0.9f * s), leg);
    fill(c, line(X(18), Y(25), X(18 + step), Y(30), 0.9f * s), leg);
    fill(c, line(X(11 - step), Y(30.2f), X(15 - step), Y(30.2f), 0.8f * s), leg);
    fill(c, line(X(16 + step), Y(30.2f), X(20 + step), Y(30.2f), 0.8f * s), leg);
    // crest
    if (k.angry) {
        fill(c, polygon({{X(9), Y(9)}, {X(10), Y(0.8f)}, {X(13), Y(5)}, {X(15.5f), Y(0.5f)},
                         {X(17.5f), Y(5)}, {X(21), Y(1.5f)}, {X(21), Y(9)}}), k.crest);
        fill(c, polygon({{X(11.5f), Y(9)}, {X(12.5f), Y(4)}, {X(14), Y(6.5f)}, {X(15.5f), Y(3)},
                         {X(17), Y(6.5f)}, {X(19), Y(4.5f)}, {X(19), Y(9)}}), rgb(255, 230, 70));
    } else {
        fill(c, ellipse(X(13.5f), Y(5), 1.6f * s, 3.2f * s), k.crest);
        fill(c, rotated(ellipse(X(16.5f), Y(4.6f), 1.5f * s, 3.0f * s), X(16.5f), Y(4.6f), 0.5f),
             k.crest);
    }
    paint(c, circle(X(15), Y(16), 11 * s), ball_shade(X(15), Y(16), 11 * s, k.dark, k.body, k.light));
    fill(c, rotated(ellipse(X(11), Y(19), 5.5f * s, 3.4f * s), X(11), Y(19), -0.35f), k.wing);
    fill(c, rotated(ellipse(X(10.5f), Y(18.2f), 4.2f * s, 1.6f * s), X(10.5f), Y(18.2f), -0.35f),
         k.light);
    // eye
    fill(c, circle(X(19.5f), Y(11.5f), 2.9f * s), rgb(255, 255, 255));
    fill(c, circle(X(20.3f), Y(11.8f), 1.9f * s), rgb(20, 14, 10));
    fill(c, circle(X(20.8f), Y(11.1f), 0.7f * s), rgb(255, 255, 255));
    if (k.angry)
        fill(c, line(X(16.5f), Y(7.6f), X(22.5f), Y(9.6f), 0.9f * s), rgb(40, 10, 10));
    else
        fill(c, ellipse(X(21), Y(16.5f), 2.0f * s, 1.2f * s), rgb(255, 150, 130));
    // beak
    Colour beak_dark = mix(k.beak, rgb(90, 40, 0), 0.45f);
    if (frame == 0) {
        fill(c, polygon({{X(23), Y(12.5f)}, {X(31.5f), Y(15)}, {X(24), Y(17)}}), k.beak);
        fill(c, polygon({{X(23.5f), Y(18.5f)}, {X(30.5f), Y(21.5f)}, {X(23), Y(22)}}), beak_dark);
        fill(c, polygon({{X(23.6f), Y(17)}, {X(28), Y(17.6f)}, {X(23.6f), Y(18.5f)}}), rgb(120, 20, 20));
    } else {
        fill(c, polygon({{X(23), Y(13.5f)}, {X(31.5f), Y(17.5f)}, {X(23), Y(17.5f)}}), k.beak);
        fill(c, polygon({{X(23), Y(17.5f)}, {X(31), Y(17.5f)}, {X(23), Y(21)}}), beak_dark);
    }
}

const ChickColours CHICK = {rgb(222, 160, 20), rgb(252, 210, 50), rgb(255, 240, 140),
                            rgb(236, 180, 30), rgb(248, 138, 30), rgb(240, 170, 20), false};
const ChickColours FIRE_CHICK = {rgb(170, 24, 24), rgb(228, 56, 36), rgb(255, 130, 80),
                                 rgb(190, 30, 30), rgb(255, 210, 40), rgb(255, 120, 20), true};

// Fills the shape with a rim of the given width around it.
void outlined(Canvas &c, const Shape &s, Colour inner, Colour rim, float width)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            fill(c, shifted(s, dx * width, dy * width), rim);
    fill(c, s, inner);
}

struct ShearsColours {
    Colour blade, blade_light, grip, head, head_light;
    bool knocked_out;
};

const ShearsColours SHEARS = {rgb(170, 178, 196), rgb(236, 240, 250), rgb(204, 36, 30),
                              rgb(120, 124, 140), rgb(210, 214, 226), false};
const ShearsColours DULL_SHEARS = {rgb(120, 124, 134), rgb(160, 164, 174), rgb(130, 84, 84),
                                   rgb(96, 98, 108), rgb(150, 152, 160), true};

// Garden shears with a face on the pivot, blades pointing right; `open` is the half angle
// between the blades. Everything is clipped to the frame starting at ox.
void shears(Canvas &c, float ox, float oy, float open, const ShearsColours &k)
{
    float px = ox + 12, py = oy + 16;
    for (int side = -1; side <= 1; side += 2) {
        float a = side * open;
        Shape grip = ring(px - 7, py + side * 5.5f, 1.8f, 4.4f);
        Shape arm = line(px, py, px - 5, py + side * 3.5f, 1.6f);
        outlined(c, in_frame(rotated(either(grip, arm), px, py, -a * 0.6f), ox), k.grip, RIM, 0.8f);
        Shape blade = polygon({{px + 2, py - side * 0.2f}, {px + 19.5f, py - side * 0.2f},
                               {px + 2, py + side * 4.6f}});
        Shape shine = polygon({{px + 3, py + side * 0.6f}, {px + 17, py + side * 0.6f},
                               {px + 3, py + side * 2.2f}});
        outlined(c, in_frame(rotated(blade, px, py, a), ox), k.blade, RIM, 0.8f);
        fill(c, in_frame(rotated(shine, px, py, a), ox), k.blade_light);
    }
    outlined(c, circle(px, py, 5.6f), k.head, RIM, 0.8f);
    fill(c, circle(px - 1.2f, py - 1.6f, 3.2f), k.head_light);
    for (int side = -1; side <= 1; side += 2) {
        float ex = px + 1.5f, ey = py + side * 2.4f;
        if (k.knocked_out) {
            fill(c, line(ex - 1.4f, ey - 1.4f, ex + 1.4f, ey + 1.4f, 0.55f), RIM);
            fill(c, line(ex - 1.4f, ey + 1.4f, ex + 1.4f, ey - 1.4f, 0.55f), RIM);
        } else {
            fill(c, circle(ex, ey, 2.2f), rgb(255, 255, 255));
            fill(c, circle(ex + 0.9f, ey, 1.2f), rgb(20, 10, 10));
            fill(c, line(ex - 1.8f, ey - side * 2.8f, ex + 2.4f, ey - side * 1.3f, 0.55f), RIM);
        }
    }
}

void shears_frame(Canvas &c, float ox, int frame)
{
    shears(c, ox, 0, frame == 0 ? 0.42f : 0.12f, SHEARS);
}

void star(Canvas &c, float x, float y, float r, Colour colour)
{
    std::vector<Point> points;
    for (int k = 0; k < 10; ++k) {
        float d = k % 2 ? r * 0.4f : r, a = k * PI / 5 - PI / 2;
        points.push_back({x + d * std::cos(a), y + d * std::sin(a)});
    }
    fill(c, polygon(points), colour);
}

void knocked_out_shears(Canvas &c)
{
    view_angle = -0.4f;              // fallen over
    view_cx = 16;
    view_cy = 18;
    shears(c, 2, 5, 0.05f, DULL_SHEARS);
    view_angle = 0;
    star(c, 6.5f, 6, 4.6f, rgb(255, 226, 60));
    star(c, 17, 5, 4.0f, rgb(255, 250, 170));
}

void heart(Canvas &c, float cx, float cy, float s, Colour dark, Colour body, Colour light)
{
    Shape shape = either(either(circle(cx - 3.6f * s, cy - 2.2f * s, 4.3f * s),
                                circle(cx + 3.6f * s, cy - 2.2f * s, 4.3f * s)),
                         polygon({{cx - 7.8f * s, cy - 1.2f * s}, {cx + 7.8f * s, cy - 1.2f * s},
                                  {cx, cy + 8.2f * s}}));
    Shape inner = either(either(circle(cx - 3.6f * s, cy - 2.2f * s, 3.2f * s),
                                circle(cx + 3.6f * s, cy - 2.2f * s, 3.2f * s)),
                         polygon({{cx - 6.6f * s, cy - 1.4f * s}, {cx + 6.6f * s, cy - 1.4f * s},
                                  {cx, cy + 6.6f * s}}));
    fill(c, shape, dark);
    fill(c, inner, body);
    fill(c, ellipse(cx - 4.2f * s, cy - 3.4f * s, 1.5f * s, 1.9f * s), light);
}

void life_tile(Canvas &c)
{
    path_floor(c);
    fill(c, ellipse(17, 26, 8, 2.2f), SOIL_DARK);
    heart(c, 16, 15, 1.15f, rgb(110, 16, 40), rgb(236, 60, 96), rgb(255, 190, 210));
    fill(c, rotated(ellipse(20.5f, 4.8f, 3.2f, 1.5f), 20.5f, 4.8f, -0.5f), rgb(60, 140, 40));
    fill(c, line(16, 7, 18.5f, 5.5f, 0.6f), rgb(40, 100, 30));
}

// The red chili of power mode.
void power_tile(Canvas &c)
{
    path_floor(c);
    fill(c, ellipse(17, 27, 10, 2.2f), SOIL_DARK);
    auto along = [](float t, float &x, float &y) {   // a gentle curve from upper left down
        x = 7 + 19 * t;
        y = 8 + 16 * t - 7 * t * (1 - t);
    };
    for (int pass = 0; pass < 3; ++pass) {
        Colour colour = pass == 0 ? rgb(90, 10, 10) : pass == 1 ? rgb(214, 36, 24) : rgb(255, 120, 90);
        for (int i = 0; i <= 40; ++i) {
            float t = i / 40.0f, x, y;
            along(t, x, y);
            float r = 4.6f * (1 - t) + 1.0f * t;
            if (pass == 0) fill(c, circle(x, y, r + 1.0f), colour);
            else if (pass == 1) fill(c, circle(x, y, r), colour);
            else if (t < 0.6f) fill(c, circle(x - r * 0.4f, y - r * 0.45f, r * 0.28f), colour);
        }
    }
    fill(c, rotated(ellipse(6, 7, 4.2f, 2.6f), 6, 7, 0.6f), rgb(30, 90, 20));
    fill(c, rotated(ellipse(6, 7, 3.2f, 1.7f), 6, 7, 0.6f), rgb(80, 170, 50));
    fill(c, line(4.5f, 5.5f, 2.5f, 1.5f, 1.0f), rgb(60, 120, 30));
}

void straw_hat(Canvas &c, float cx, float cy, float s)
{
    fill(c, ellipse(cx, cy + 4 * s, 13 * s, 5 * s), RIM);
    fill(c, ellipse(cx, cy + 4 * s, 12 * s, 4 * s), rgb(236, 196, 90));
    fill(c, ellipse(cx, cy + 4.8f * s, 9.5f * s, 2.2f * s), rgb(200, 156, 60));
    fill(c, rounded_box(cx - 6.8f * s, cy - 7 * s, cx + 6.8f * s, cy + 4.6f * s, 3 * s), RIM);
    paint(c, rounded_box(cx - 5.8f * s, cy - 6 * s, cx + 5.8f * s, cy + 4.4f * s, 2.4f * s),
          [=](float x, float) { return int((x - cx) / s + 20) % 3 == 0 ? rgb(214, 170, 70) : rgb(244, 208, 104); });
    fill(c, box(cx - 5.8f * s, cy + 0.2f * s, cx + 5.8f * s, cy + 2.6f * s), rgb(60, 90, 170));
    fill(c, circle(cx + 4 * s, cy + 1.4f * s, 2.0f * s), rgb(240, 80, 80));
}

void decoy_tile(Canvas &c)
{
    path_floor(c);
    fill(c, ellipse(16, 26, 11, 2.4f), SOIL_DARK);
    straw_hat(c, 16, 15, 1.0f);
}

void snail_icon(Canvas &c)
{
    plaque(c);
    fill(c, rounded_box(5, 19, 27, 25, 3), RIM);
    fill(c, rounded_box(6, 20, 26, 24, 2), rgb(206, 190, 150));
    fill(c, line(9, 20, 7, 12.5f, 0.9f), RIM);
    fill(c, line(11, 20, 11.5f, 12.5f, 0.9f), RIM);
    fill(c, circle(7, 12.3f, 1.6f), RIM);
    fill(c, circle(11.5f, 12.3f, 1.6f), RIM);
    fill(c, circle(19, 15, 8), RIM);
    const Colour shell[] = {rgb(200, 110, 40), rgb(240, 170, 70), rgb(200, 110, 40), rgb(240, 170, 70)};
    for (int i = 0; i < 4; ++i)
        fill(c, circle(19 + i * 0.6f, 15 + i * 0.3f, 7 - i * 1.7f), shell[i]);
}

void seed_icon(Canvas &c)
{
    plaque(c);
    seed(c, 16, 16, 1.2f);
}

void knot_icon(Canvas &c)
{
    plaque(c);
    Colour rope = rgb(236, 214, 160), rope_dark = rgb(170, 130, 70);
    fill(c, line(12, 17, 6, 27, 2.6f), RIM);
    fill(c, line(20, 17, 26, 27, 2.6f), RIM);
    fill(c, ring(16, 12, 3.6f, 8.6f), RIM);
    fill(c, ring(16, 12, 4.6f, 7.6f), rope);
    fill(c, line(12, 17, 6, 27, 1.6f), rope);
    fill(c, line(20, 17, 26, 27, 1.6f), rope);
    for (int i = 0; i < 8; ++i) {    // twist marks
        float a = i * PI / 4;
        fill(c, line(16 + 4.8f * std::cos(a), 12 + 4.8f * std::sin(a), 16 + 7.4f * std::cos(a + 0.3f),
                     12 + 7.4f * std::sin(a + 0.3f), 0.4f), rope_dark);
    }
    fill(c, circle(16, 18.5f, 3.2f), RIM);
    fill(c, circle(16, 18.5f, 2.3f), rope);
    fill(c, line(14.5f, 17.5f, 17.5f, 19.5f, 0.4f), rope_dark);
}

void arrow(Canvas &c, bool right)
{
    auto X = [&](float x) { return arrow_x(c, x, right); };
    auto Y = [&](float y) { return arrow_y(c, y); };
    Shape head = polygon({{X(1.5f), Y(1.5f)}, {X(14.5f), Y(14)}, {X(1.5f), Y(26.5f)}});
    fill(c, head, rgb(60, 150, 40));
    fill(c, polygon({{X(2.8f), Y(4.5f)}, {X(12.0f), Y(14)}, {X(2.8f), Y(14)}}), rgb(150, 220, 90));
    fill(c, line(X(3.5f), Y(14), X(11), Y(14), 0.5f), rgb(30, 90, 20));
}

}  // namespace meadow

// ===================== circuit: dark board and neon =====================

namespace circuit {

const Colour FLOOR = rgb(10, 14, 26);
const Colour FLOOR_LINE = rgb(26, 38, 62);
const Colour BOARD = rgb(14, 76, 58);
const Colour BOARD_DARK = rgb(8, 50, 38);
const Colour TRACE = rgb(200, 168, 60);
const Colour TRACE_DARK = rgb(120, 96, 30);
const Colour NEON = rgb(60, 230, 255);
const Colour RIM = rgb(4, 6, 14);

void floor(Canvas &c)
{
    fill(c, everywhere(), FLOOR);
    fill(c, box(0, 0, CELL, 1), FLOOR_LINE);
    fill(c, box(0, 0, 1, CELL), FLOOR_LINE);
    fill(c, box(15.5f, 0, 16.5f, 1), rgb(40, 60, 96));
    fill(c, box(0, 15.5f, 1, 16.5f), rgb(40, 60, 96));
}

void via(Canvas &c, float x, float y)
{
    fill(c, wrapped(circle(x, y, 2.4f)), TRACE);
    fill(c, wrapped(circle(x, y, 1.0f)), BOARD_DARK);
}

// Board with copper traces that run on into the neighbouring wall tiles.
void board(Canvas &c)
{
    fill(c, everywhere(), BOARD);
    fill(c, box(0, 0, CELL, 2), BOARD_DARK);
    fill(c, box(0, 0, 2, CELL), BOARD_DARK);
    fill(c, box(0, 7, CELL, 9.2f), TRACE_DARK);
    fill(c, box(0, 7, CELL, 8.2f), TRACE);
    fill(c, box(23, 0, 25.2f, CELL), TRACE_DARK);
    fill(c, box(23, 0, 24.2f, CELL), TRACE);
    fill(c, line(4, 24, 12, 16, 0.8f), TRACE);
    fill(c, line(12, 16, 18, 16, 0.8f), TRACE);
    via(c, 23.6f, 7.6f);
    via(c, 4, 24);
    via(c, 18, 16);
    fill(c, box(8, 25, 17, 29), rgb(30, 30, 36));        // a small part with silver ends
    fill(c, box(8, 25, 10, 29), rgb(190, 196, 210));
    fill(c, box(15, 25, 17, 29), rgb(190, 196, 210));
    fill(c, box(27, 12, 30, 20), rgb(40, 36, 30));
    fill(c, box(27, 12, 30, 13.5f), rgb(190, 196, 210));
    fill(c, box(27, 18.5f, 30, 20), rgb(190, 196, 210));
}

void data_bit(Canvas &c, float cx, float cy, float s)
{
    fill(c, ring(cx, cy, 6.6f * s, 7.6f * s), rgb(20, 90, 120));
    Shape diamond = polygon({{cx, cy - 5.5f * s}, {cx + 5.5f * s, cy}, {cx, cy + 5.5f * s}, {cx - 5.5f * s, cy}});
    fill(c, diamond, NEON);
    fill(c, polygon({{cx, cy - 3 * s}, {cx + 3 * s, cy}, {cx, cy + 3 * s}, {cx - 3 * s, cy}}), rgb(220, 255, 255));
}

void dot_tile(Canvas &c)
{
    floor(c);
    data_bit(c, 16, 16, 1.0f);
}

// A dark chip on the board: the background of the panel icons.
void chip(Canvas &c)
{
    board(c);
    for (int i = 0; i < 4; ++i) {
        float p = 7 + i * 6;
        fill(c, box(1, p - 1, 5, p + 1), rgb(190, 196, 210));
        fill(c, box(27, p - 1, 31, p + 1), rgb(190, 196, 210));
    }
    fill(c, rounded_box(3, 3, 29, 29, 3), RIM);
    fill(c, rounded_box(4, 4, 28, 28, 2.5f), rgb(28, 30, 40));
    fill(c, circle(7, 7, 1), rgb(70, 74, 90));
}

void teleport_tile(Canvas &c)
{
    floor(c);
    const Colour rings[] = {rgb(120, 30, 170), rgb(255, 70, 220), rgb(60, 10, 90), rgb(255, 140, 240),
                            rgb(90, 20, 130), rgb(255, 230, 255)};
    const float radii[] = {14, 12.5f, 10, 8.5f, 6, 3.5f};
    for (int i = 0; i < 6; ++i)
        fill(c, circle(16, 16, radii[i]), rings[i]);
    for (int i = 0; i < 4; ++i)
        fill(c, both(ring(16, 16, 10, 12.5f), wedge(16, 16, i * PI / 2 + PI / 4, 0.22f)), rgb(60, 10, 90));
}

// The orange beacon that draws the enemies: on the maze and on its pick-up.
void beacon(Canvas &c, float cx, float cy, float s)
{
    Colour orange = rgb(255, 150, 30), dark = rgb(120, 50, 10);
    fill(c, line(cx, cy - 4 * s, cx - 6 * s, cy + 10 * s, 1.6f * s), dark);
    fill(c, line(cx, cy - 4 * s, cx + 6 * s, cy + 10 * s, 1.6f * s), dark);
    fill(c, line(cx, cy - 4 * s, cx - 6 * s, cy + 10 * s, 0.8f * s), orange);
    fill(c, line(cx, cy - 4 * s, cx + 6 * s, cy + 10 * s, 0.8f * s), orange);
    fill(c, line(cx - 3.5f * s, cy + 4 * s, cx + 3.5f * s, cy + 4 * s, 0.7f * s), orange);
    for (int side = -1; side <= 1; side += 2)
        for (int i = 0; i < 2; ++i) {
            float r = 5.5f * s + i * 3.5f * s;
            fill(c, both(ring(cx, cy - 5 * s, r - 0.8f * s, r + 0.4f * s),
                         wedge(cx, cy - 5 * s, side < 0 ? PI : 0, 0.6f)),
                 i ? rgb(200, 90, 20) : rgb(255, 200, 60));
        }
    fill(c, circle(cx, cy - 5 * s, 2.8f * s), dark);
    fill(c, circle(cx, cy - 5 * s, 2.0f * s), rgb(255, 236, 120));
}

void decoy(Canvas &c)
{
    floor(c);
    fill(c, ellipse(16, 27, 10, 2.5f), rgb(50, 30, 20));
    beacon(c, 16, 14, 1.3f);
}

// The chomper bot, facing right: frame 0 mouth wide open, frame 1 nearly shut.
struct BotColours {
    Colour dark, body, light, eye;
    bool sparks;
};

void bot(Canvas &c, float ox, float oy, float s, int frame, const BotColours &k)
{
    float cx = ox + 15 * s, cy = oy + 17 * s, r = 12 * s;
    float mouth = frame == 0 ? 0.7f : 0.2f;
    fill(c, line(cx - 2 * s, cy - r + 1, cx - 4 * s, oy + 2.5f * s, 0.8f * s), rgb(170, 180, 200));
    if (k.sparks)
        meadow::star(c, cx - 4 * s, oy + 2.6f * s, 2.6f * s, k.eye);
    else
        fill(c, circle(cx - 4 * s, oy + 2.4f * s, 1.8f * s), k.eye);
    Shape body = minus(circle(cx, cy, r), wedge(cx, cy, 0, mouth));
    paint(c, body, ball_shade(cx, cy, r, k.dark, k.body, k.light));
    Shape lips = minus(both(circle(cx, cy, r - 0.6f * s), wedge(cx, cy, 0, mouth + 0.16f)),
                       wedge(cx, cy, 0, mouth));
    fill(c, both(lips, minus(everywhere(), circle(cx, cy, 3 * s))), mix(k.dark, RIM, 0.4f));
    float ex = cx + 2.5f * s, ey = cy - 6.5f * s;
    fill(c, rounded_box(ex - 4 * s, ey - 2.4f * s, ex + 5 * s, ey + 2.4f * s, 2 * s), RIM);
    fill(c, rounded_box(ex - 1 * s, ey - 1.5f * s, ex + 4 * s, ey + 1.5f * s, 1.2f * s), k.eye);
    if (k.sparks) {       // a lightning flash on the flank and a frown over the visor
        fill(c, polygon({{cx - 3 * s, cy - 2 * s}, {cx - 8 * s, cy + 4 * s}, {cx - 5 * s, cy + 4 * s},
                         {cx - 7 * s, cy + 10 * s}, {cx - 1 * s, cy + 2 * s}, {cx - 4 * s, cy + 2 * s}}),
             RIM);
        fill(c, polygon({{cx - 3.6f * s, cy - 0.5f * s}, {cx - 6.8f * s, cy + 3.2f * s},
                         {cx - 4.2f * s, cy + 3.2f * s}, {cx - 5.6f * s, cy + 7.5f * s},
                         {cx - 2 * s, cy + 2.7f * s}, {cx - 4.6f * s, cy + 2.7f * s}}),
             k.eye);
        fill(c, line(ex - 4 * s, ey - 5 * s, ex + 5 * s, ey - 2.6f * s, 1.0f * s), RIM);
    }
}

const BotColours BOT = {rgb(10, 110, 150), rgb(40, 200, 240), rgb(180, 250, 255), rgb(255, 255, 255), false};
const BotColours HOT_BOT = {rgb(140, 10, 90), rgb(240, 50, 180), rgb(255, 170, 230), rgb(255, 240, 60), true};

// The virus: round and spiky, the same from every side.
void virus(Canvas &c, bool knocked_out)
{
    Colour spike = knocked_out ? rgb(90, 96, 116) : rgb(255, 120, 40);
    Colour body_dark = knocked_out ? rgb(60, 64, 80) : rgb(150, 10, 30);
    Colour body = knocked_out ? rgb(110, 118, 140) : rgb(230, 40, 60);
    Colour body_light = knocked_out ? rgb(150, 158, 180) : rgb(255, 130, 140);
    for (int i = 0; i < 8; ++i) {
        float a = i * PI / 4 + PI / 8, droop = knocked_out ? 2.5f : 0.0f;
        float x = 16 + 13 * std::cos(a), y = 16 + 13 * std::sin(a) + droop * (std::sin(a) < 0 ? 1 : 0);
        fill(c, line(16, 16, x, y, 1.1f), spike);
        fill(c, circle(x, y, 2.2f), spike);
        fill(c, circle(x, y, 1.0f), knocked_out ? body : rgb(255, 230, 90));
    }
    paint(c, circle(16, 16, 9.5f), ball_shade(16, 16, 9.5f, body_dark, body, body_light));
    for (int side = -1; side <= 1; side += 2) {
        float ex = 16 + side * 3.6f, ey = 14;
        if (knocked_out) {
            fill(c, line(ex - 1.8f, ey - 1.8f, ex + 1.8f, ey + 1.8f, 0.7f), RIM);
            fill(c, line(ex - 1.8f, ey + 1.8f, ex + 1.8f, ey - 1.8f, 0.7f), RIM);
        } else {
            fill(c, circle(ex, ey, 2.8f), rgb(255, 255, 255));
            fill(c, circle(ex, ey + 0.4f, 1.4f), RIM);
            fill(c, line(ex - side * 3, ey - 3.6f, ex + side * 2, ey - 2.2f, 0.7f), RIM);
        }
    }
    if (knocked_out)
        fill(c, ellipse(16, 20.5f, 2.2f, 1.6f), RIM);
    else
        fill(c, polygon({{11, 19}, {13, 21.5f}, {14.5f, 19.5f}, {16, 21.5f}, {17.5f, 19.5f},
                         {19, 21.5f}, {21, 19}, {16, 20}}), RIM);
}

void hourglass_icon(Canvas &c)
{
    chip(c);
    fill(c, box(9, 7, 23, 9), NEON);
    fill(c, box(9, 23, 23, 25), NEON);
    fill(c, polygon({{10.5f, 9}, {21.5f, 9}, {16, 16}}), rgb(20, 90, 120));
    fill(c, polygon({{10.5f, 23}, {21.5f, 23}, {16, 16}}), rgb(20, 90, 120));
    fill(c, polygon({{12.5f, 10.5f}, {19.5f, 10.5f}, {16, 15}}), rgb(255, 210, 60));
    fill(c, polygon({{12, 23}, {20, 23}, {16, 19}}), rgb(255, 210, 60));
    fill(c, line(16, 15, 16, 22, 0.45f), rgb(255, 210, 60));
}

void bit_icon(Canvas &c)
{
    chip(c);
    data_bit(c, 16, 16, 1.2f);
}

void knot_icon(Canvas &c)
{
    chip(c);
    Colour wire = rgb(255, 140, 40);
    fill(c, ring(16, 13, 4, 6.5f), wire);
    fill(c, line(12, 18, 7, 26, 1.2f), wire);
    fill(c, line(20, 18, 25, 26, 1.2f), wire);
    fill(c, circle(16, 18.5f, 2.8f), rgb(255, 200, 90));
    fill(c, circle(7, 26, 1.8f), rgb(200, 200, 210));
    fill(c, circle(25, 26, 1.8f), rgb(200, 200, 210));
}

void life_tile(Canvas &c)
{
    floor(c);
    meadow::heart(c, 16, 15, 1.15f, rgb(120, 10, 50), rgb(255, 60, 120), rgb(255, 200, 230));
    fill(c, box(14.5f, 9, 17.5f, 18), rgb(255, 255, 255));     // a plus: one more life
    fill(c, box(11.5f, 12, 20.5f, 15), rgb(255, 255, 255));
}

void power_tile(Canvas &c)
{
    floor(c);
    Shape bolt = polygon({{19, 2}, {8, 18}, {15, 18}, {12, 30}, {24, 12}, {17, 12}});
    Shape core = polygon({{17.5f, 5.5f}, {10.2f, 16.6f}, {16.8f, 16.6f}, {14.2f, 25.5f},
                          {21.8f, 13.4f}, {15.3f, 13.4f}});
    fill(c, bolt, rgb(200, 90, 10));
    fill(c, core, rgb(255, 236, 60));
}

void decoy_tile(Canvas &c)
{
    floor(c);
    for (int i = 0; i < 8; ++i)
        fill(c, both(ring(16, 16, 13.5f, 14.8f), wedge(16, 16, i * PI / 4, 0.25f)), rgb(255, 150, 30));
    beacon(c, 16, 15, 0.9f);
}

void arrow(Canvas &c, bool right)
{
    auto X = [&](float x) { return arrow_x(c, x, right); };
    auto Y = [&](float y) { return arrow_y(c, y); };
    fill(c, polygon({{X(1), Y(1)}, {X(15), Y(14)}, {X(1), Y(27)}, {X(1), Y(21)}, {X(8.5f), Y(14)},
                     {X(1), Y(7)}}),
         rgb(20, 120, 160));
    fill(c, polygon({{X(2), Y(3.5f)}, {X(13.5f), Y(14)}, {X(2), Y(24.5f)}, {X(2), Y(21.5f)},
                     {X(10), Y(14)}, {X(2), Y(6.5f)}}),
         NEON);
}

}  // namespace circuit

// ===================== the two skins =====================

using Drawer = void (*)(Canvas &);

void save_keyed_file(const Canvas &c, int file, Colour rim)
{
    save_keyed(c, SKIN_FILES[file].name, rim);
}

// A 32 by 32 picture drawn opaque, saved under the file name of its entry in SKIN_FILES.
void plain(Drawer draw, int file)
{
    Canvas c(CELL, CELL);
    draw(c);
    save_plain(c, SKIN_FILES[file].name);
}

void keyed(const std::function<void(Canvas &)> &draw, int w, int h, int file, Colour rim)
{
    Canvas c(w, h);
    draw(c);
    save_keyed_file(c, file, rim);
}

const int ARROW_W = SKIN_FILES[SKIN_ARROW_LEFT].width, ARROW_H = SKIN_FILES[SKIN_ARROW_LEFT].height;

void make_meadow()
{
    using namespace meadow;
    plain(dot_tile, SKIN_DOT_TILE);
    plain(hedge, SKIN_WALL_TILE);
    plain(path_floor, SKIN_FLOOR_TILE);
    plain(teleport_tile, SKIN_TELEPORT);
    plain(scarecrow, SKIN_DECOY);
    keyed(knocked_out_shears, CELL, CELL, SKIN_KNOCKED_OUT, RIM);
    keyed([](Canvas &c) { chick(c, 2, 1.5f, 0.88f, 1, CHICK); }, CELL, CELL, SKIN_LIFE_ICON, RIM);
    plain(snail_icon, SKIN_BOOST_ICON);
    plain(seed_icon, SKIN_DOTS_ICON);
    plain(meadow::knot_icon, SKIN_KNOT_ICON);
    plain(life_tile, SKIN_LIFE_TILE);
    plain(power_tile, SKIN_POWER_TILE);
    plain(decoy_tile, SKIN_DECOY_TILE);
    keyed([](Canvas &c) { arrow(c, false); }, ARROW_W, ARROW_H, SKIN_ARROW_LEFT, RIM);
    keyed([](Canvas &c) { arrow(c, true); }, ARROW_W, ARROW_H, SKIN_ARROW_RIGHT, RIM);
    save_keyed_file(strip(shears_frame), SKIN_ENEMY, RIM);
    save_keyed_file(strip([](Canvas &c, float ox, int f) { chick(c, ox, 0, 1, f, CHICK); }), SKIN_PLAYER, RIM);
    save_keyed_file(strip([](Canvas &c, float ox, int f) { chick(c, ox, 0, 1, f, FIRE_CHICK); }),
               SKIN_POWERED_PLAYER, RIM);
}

void make_circuit()
{
    using namespace circuit;
    plain(dot_tile, SKIN_DOT_TILE);
    plain(board, SKIN_WALL_TILE);
    plain(floor, SKIN_FLOOR_TILE);
    plain(teleport_tile, SKIN_TELEPORT);
    plain(decoy, SKIN_DECOY);
    keyed([](Canvas &c) { virus(c, true); }, CELL, CELL, SKIN_KNOCKED_OUT, RIM);
    keyed([](Canvas &c) { bot(c, 2, 2, 0.88f, 1, BOT); }, CELL, CELL, SKIN_LIFE_ICON, RIM);
    plain(hourglass_icon, SKIN_BOOST_ICON);
    plain(bit_icon, SKIN_DOTS_ICON);
    plain(circuit::knot_icon, SKIN_KNOT_ICON);
    plain(life_tile, SKIN_LIFE_TILE);
    plain(power_tile, SKIN_POWER_TILE);
    plain(decoy_tile, SKIN_DECOY_TILE);
    keyed([](Canvas &c) { arrow(c, false); }, ARROW_W, ARROW_H, SKIN_ARROW_LEFT, RIM);
    keyed([](Canvas &c) { arrow(c, true); }, ARROW_W, ARROW_H, SKIN_ARROW_RIGHT, RIM);
    keyed([](Canvas &c) { virus(c, false); }, CELL, CELL, SKIN_ENEMY, RIM);
    save_keyed_file(strip([](Canvas &c, float ox, int f) { bot(c, ox, 0, 1, f, BOT); }), SKIN_PLAYER, RIM);
    save_keyed_file(strip([](Canvas &c, float ox, int f) { bot(c, ox, 0, 1, f, HOT_BOT); }),
               SKIN_POWERED_PLAYER, RIM);
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::printf("usage: make_skins <skins directory>\n");
        return 1;
    }
    std::string root = argv[1];
    skin_dir = root + "/meadow/";
    make_meadow();
    skin_dir = root + "/circuit/";
    make_circuit();
    std::printf("make_skins: meadow and circuit written under %s\n", root.c_str());
    return 0;
}
