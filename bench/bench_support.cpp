// SPDX-License-Identifier: GPL-3.0-or-later
// bench_support.cpp: shipped content and a random player for the benchmarks, and the blit
// recorder: this program's own SDL_UpperBlit, SDL_FillRect and SDL_Flip (and the area
// updates that stand for a flip without a hardware double buffer), which the game
// library calls, note the call when asked and hand it on to SDL.
#include "bench_support.h"
#include "files.h"
#include "frame.h"
#include "gfx.h"
#include "world.h"
#include <dlfcn.h>
#include <stdexcept>
#include <string>
#include <unistd.h>

void (*flip_hook)() = nullptr;
static std::vector<BlitOp> *recording = nullptr;

template <typename F> static F real_sdl(const char *name)
{
    void *f = dlsym(RTLD_NEXT, name);
    if (!f)
        throw std::runtime_error(std::string("no ") + name + " in SDL");
    return reinterpret_cast<F>(f);
}

using BlitFunction = int (*)(SDL_Surface *, SDL_Rect *, SDL_Surface *, SDL_Rect *);
using FillFunction = int (*)(SDL_Surface *, SDL_Rect *, Uint32);
using FlipFunction = int (*)(SDL_Surface *);

static BlitFunction real_blit()
{
    static BlitFunction f = real_sdl<BlitFunction>("SDL_UpperBlit");
    return f;
}

static FillFunction real_fill()
{
    static FillFunction f = real_sdl<FillFunction>("SDL_FillRect");
    return f;
}

extern "C" int SDL_UpperBlit(SDL_Surface *src, SDL_Rect *srcrect, SDL_Surface *dst, SDL_Rect *dstrect)
{
    if (recording)
        recording->push_back({false, src, !srcrect, srcrect ? *srcrect : SDL_Rect{}, dst,
                              !dstrect, dstrect ? *dstrect : SDL_Rect{}, 0});
    return real_blit()(src, srcrect, dst, dstrect);
}

extern "C" int SDL_FillRect(SDL_Surface *dst, SDL_Rect *dstrect, Uint32 color)
{
    if (recording)
        recording->push_back({true, nullptr, true, SDL_Rect{}, dst, !dstrect,
                              dstrect ? *dstrect : SDL_Rect{}, color});
    return real_fill()(dst, dstrect, color);
}

extern "C" int SDL_Flip(SDL_Surface *s)
{
    static FlipFunction real = real_sdl<FlipFunction>("SDL_Flip");
    if (flip_hook)
        flip_hook();
    return real(s);
}

// A screen without a hardware double buffer is shown by updating its drawn areas.
extern "C" void SDL_UpdateRects(SDL_Surface *s, int count, SDL_Rect *areas)
{
    using UpdateFunction = void (*)(SDL_Surface *, int, SDL_Rect *);
    static UpdateFunction real = real_sdl<UpdateFunction>("SDL_UpdateRects");
    if (flip_hook)
        flip_hook();
    real(s, count, areas);
}

extern "C" void SDL_UpdateRect(SDL_Surface *s, Sint32 x, Sint32 y, Uint32 w, Uint32 h)
{
    using UpdateFunction = void (*)(SDL_Surface *, Sint32, Sint32, Uint32, Uint32);
    static UpdateFunction real = real_sdl<UpdateFunction>("SDL_UpdateRect");
    if (flip_hook)
        flip_hook();
    real(s, x, y, w, h);
}

void record_blits(std::vector<BlitOp> &ops, const std::function<void()> &work)
{
    recording = &ops;
    work();
    recording = nullptr;
}

void replay_blits(const std::vector<BlitOp> &ops)
{
    BlitFunction blit = real_blit();
    FillFunction fill = real_fill();
    for (const BlitOp &op : ops) {
        SDL_Rect source = op.source_rect;
        SDL_Rect target = op.target_rect;
        if (op.fill)
            fill(op.target, op.whole_target ? nullptr : &target, op.colour);
        else
            blit(op.source, op.whole_source ? nullptr : &source, op.target,
                 op.whole_target ? nullptr : &target);
    }
}

void enter_shipped_content()
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (SDL_Init(SDL_INIT_VIDEO) < 0 || set_video_mode() != 0)
        throw std::runtime_error(SDL_GetError());
    connect_layers();
    if (chdir(GOBRANT_SOURCE_DIR "/content") != 0)
        throw std::runtime_error("no content tree");
    read_list(SKIN_LIST_PATH, skin_list);
    read_list(LANGUAGE_LIST_PATH, language_list);
    skin_index = 0;
    language_index = 0;
    load_skin();
    load_texts();
    FILE *menu = open_required_file(MENU_MAP_PATH);
    read_map(menu_map, menu);
    fclose(menu);
    read_map_list(MAP_LIST_PATH);
    set_test_seed(7);
}

void start_play_on(int level)
{
    frame_delay = 25;
    reset_stocks();
    new_game();
    if (level > 0) {
        level_index = Uint8(level);
        load_level(map_list[level].c_str());
    }
    reset_frame_pacer();
}

static const Uint16 DOTS_TO_KEEP = 20;

bool level_nearly_done()
{
    return level_map.dots_left < DOTS_TO_KEEP || lives < 2;
}

double clock_seconds(clockid_t clock)
{
    timespec t;
    clock_gettime(clock, &t);
    return t.tv_sec + t.tv_nsec * 1e-9;
}

void push_key(SDLKey key)
{
    SDL_Event press = {};
    press.type = SDL_KEYDOWN;
    press.key.keysym.sym = key;
    SDL_PushEvent(&press);
}

void push_random_player_key(std::mt19937 &random)
{
    static const SDLKey ARROWS[] = {SDLK_RIGHT, SDLK_DOWN, SDLK_LEFT, SDLK_UP};
    if (player.knockout)
        push_key(SDLK_v);
    else if (random() % 16 == 0)
        push_key(ARROWS[random() % 4]);
}
