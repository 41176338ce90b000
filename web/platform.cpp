// SPDX-License-Identifier: GPL-3.0-or-later
// platform.cpp: the web build's platform layer over emscripten's SDL 1.2 emulation: the
// screen as a surface of its own, the SDL calls the emulation lacks or gets wrong, sleeps
// that yield to the browser, the saved files kept in the browser's storage, and the entry.
#include "files.h"
#include "frame.h"
#include "gfx.h"
#include "sound.h"
#include "world.h"
#include <cstdio>
#include <SDL_mixer.h>
#include <emscripten.h>
#include <string>

// This file defines the replacements, so it calls the emulation's own functions.
#undef SDL_SetVideoMode
#undef SDL_Flip
#undef SDL_DisplayFormat
#undef SDL_SetColorKey
#undef SDL_FillRect
#undef SDL_UpdateRect
#undef SDL_UpdateRects
#undef SDL_PollEvent
#undef clock_nanosleep

// library_gobrant.js: the page side.
extern "C" {
void gobrant_adopt_screen(SDL_Surface *screen_surface, SDL_Surface *page_surface);
void gobrant_show_area(int x, int y, int w, int h);
void gobrant_count_flip();
void gobrant_persist_saved();
}

EM_ASYNC_JS(int, gobrant_restore_saved, (const char *folder), {
    var path = UTF8ToString(folder);
    FS.mkdir(path);
    FS.mount(IDBFS, {}, path);
    return await new Promise(function(done) {
        FS.syncfs(true, function(error) { done(error ? 1 : 0); });
    });
});

namespace {

const char *const SAVED_FOLDER = "/saved";   // the browser's storage (IndexedDB) as a folder
const char *const STORED_FILES[] = {CONFIG_PATH, HIGH_SCORES_PATH};
const Uint32 OPAQUE = 0xFF000000;            // the alpha bits of the emulation's pixels
const Uint32 RGB_BITS = 0x00FFFFFF;
const Sint64 NS_PER_S = 1000000000;

// ---------- Program state: from the first video mode to the page's close ----------
// Set by each video mode (web_set_video_mode), never reset: the page keeps one canvas. The
// switches the game reads (stored_files_saved, sleep_to_slot_end, exit_cannot_wait,
// sound_waits_for_key, compare_shown_picture) live in their own layers' headers; main sets
// them once before the start-up, and the first key clears sound_waits_for_key. web_probe's
// answer is its own: each probe writes it over.
SDL_Surface *page_surface = nullptr;         // the page's canvas; only flips and updates draw on it

std::string saved_copy_of(const char *path)
{
    std::string name = path;
    return std::string(SAVED_FOLDER) + name.substr(name.rfind('/'));
}

// Copies the file at `from` over `to` whole; false when `from` cannot be read or `to` written.
bool copy_file(const std::string &from, const std::string &to)
{
    std::string text;
    if (!read_whole_file(from, text))
        return false;
    FILE *file = fopen(to.c_str(), "wb");
    if (!file)
        return false;
    bool written = fwrite(text.data(), 1, text.size(), file) == text.size();
    return fclose(file) == 0 && written;
}

// Copies the stored files the game has just written into the browser's storage.
void persist_stored_files()
{
    for (const char *path : STORED_FILES)
        copy_file(path, saved_copy_of(path));
    gobrant_persist_saved();
}

// Puts the player's files from the browser's storage over the shipped defaults; a first
// visit finds none and plays with the defaults.
void restore_stored_files()
{
    if (gobrant_restore_saved(SAVED_FOLDER) != 0)
        puts("ERROR reading the browser's storage: the shipped settings are used");
    for (const char *path : STORED_FILES)
        copy_file(saved_copy_of(path), path);
}

} // namespace

extern "C" {

// The emulation's music fades at once and never reports a fade in progress.
Mix_Fading Mix_FadingMusic(void)
{
    return MIX_NO_FADING;
}

SDL_Surface *web_set_video_mode(int width, int height, int, Uint32)
{
    page_surface = SDL_SetVideoMode(width, height, 32, 0);
    if (!page_surface)
        return nullptr;
    SDL_Surface *own = SDL_CreateRGBSurface(0, width, height, 32, 0x000000FF, 0x0000FF00,
                                            0x00FF0000, OPAQUE);
    if (!own)
        return nullptr;
    gobrant_adopt_screen(own, page_surface);
    SDL_FillRect(own, nullptr, OPAQUE);
    return own;
}

// The page shows what was copied only once the game gives the browser its turn, so every
// flip and update does; otherwise frames that run late (catch-up frames on a busy machine)
// would keep the page from drawing and from taking keys until the game caught up.
static void show_copied_areas()
{
    gobrant_count_flip();
    emscripten_sleep(0);
}

int web_flip(SDL_Surface *surface)
{
    gobrant_show_area(0, 0, surface->w, surface->h);
    show_copied_areas();
    return 0;
}

// An area of 0 x 0 at 0, 0 is the whole screen.
void web_update_rect(SDL_Surface *surface, Sint32 x, Sint32 y, Uint32 w, Uint32 h)
{
    if (x == 0 && y == 0 && w == 0 && h == 0) {
        web_flip(surface);
        return;
    }
    gobrant_show_area(x, y, int(w), int(h));
    show_copied_areas();
}

void web_update_rects(SDL_Surface *, int count, SDL_Rect *areas)
{
    for (int i = 0; i < count; i++)
        gobrant_show_area(areas[i].x, areas[i].y, areas[i].w, areas[i].h);
    show_copied_areas();
}

// The emulation's pixels are always 32-bit RGBA, so a conversion is a copy; the lock and
// unlock bring its pixels from the canvas into memory that C code reads.
SDL_Surface *web_display_format(SDL_Surface *surface)
{
    SDL_Surface *copy = SDL_ConvertSurface(surface, screen ? screen->format : nullptr, 0);
    if (!copy)
        return nullptr;
    SDL_LockSurface(copy);
    SDL_UnlockSurface(copy);
    return copy;
}

// The emulation blits with the canvas, which knows no key colour: the key's pixels become
// fully transparent ones, in memory and on the surface's canvas alike.
int web_set_color_key(SDL_Surface *surface, Uint32 flag, Uint32 key)
{
    if (!surface || !(flag & SDL_SRCCOLORKEY))
        return 0;
    SDL_LockSurface(surface);
    Uint32 *pixels = static_cast<Uint32 *>(surface->pixels);
    int count = surface->pitch / 4 * surface->h;
    for (int i = 0; i < count; i++)
        if ((pixels[i] & RGB_BITS) == (key & RGB_BITS))
            pixels[i] = 0;
    SDL_UnlockSurface(surface);
    return 0;
}

int web_fill_rect(SDL_Surface *surface, SDL_Rect *rect, Uint32 color)
{
    return SDL_FillRect(surface, rect, color | OPAQUE);
}

// A browser lets a page's sound start only once the player has pressed a key, and opening it
// (the browser starting its audio service) held the first frame back by a second or more on
// a machine without a sound card: sound opens at the first key instead.
static void open_sound_at_first_key(const SDL_Event &event)
{
    if (!sound_waits_for_key || event.type != SDL_KEYDOWN)
        return;
    sound_waits_for_key = false;
    open_sound();
    load_skin_sounds();
}

// The emulation reports the page's focus and visibility as window events: the focus or the
// page coming back is a gain of the focus, their loss a loss of it. Without a record it only
// tells whether an event is queued.
int web_poll_event(SDL_Event *event)
{
    if (!event)
        return SDL_PollEvent(nullptr);
    if (!SDL_PollEvent(event))
        return 0;
    open_sound_at_first_key(*event);
    if (event->type == SDL_WINDOWEVENT) {
        Uint8 change = event->window.event;
        bool gained = change == SDL_WINDOWEVENT_FOCUS_GAINED || change == SDL_WINDOWEVENT_SHOWN;
        bool lost = change == SDL_WINDOWEVENT_FOCUS_LOST || change == SDL_WINDOWEVENT_HIDDEN;
        if (gained || lost) {
            event->type = SDL_ACTIVEEVENT;
            event->active.gain = gained ? 1 : 0;
            event->active.state = SDL_APPINPUTFOCUS;
        }
    }
    return 1;
}

// The browser's timers have a millisecond's grain: the sleep rounds up to whole ones.
int web_clock_nanosleep(clockid_t clock, int flags, const timespec *request, timespec *)
{
    Sint64 asked = Sint64(request->tv_sec) * NS_PER_S + request->tv_nsec;
    Sint64 left = asked;
    if (flags & TIMER_ABSTIME) {
        timespec now;
        clock_gettime(clock, &now);
        left = asked - (Sint64(now.tv_sec) * NS_PER_S + now.tv_nsec);
    }
    if (left > 0)
        emscripten_sleep(Uint32((left + NS_PER_MS - 1) / NS_PER_MS));
    return 0;
}

// For the page and its tests: the flips so far and what the game keeps.
EMSCRIPTEN_KEEPALIVE const char *web_probe()
{
    static std::string text;
    const char *skin = skin_index < skin_list.size() ? skin_list[skin_index].c_str() : "";
    text = "{\"score\":" + std::to_string(score) + ",\"lives\":" + std::to_string(lives)
         + ",\"skin\":\"" + skin + "\",\"name\":\"" + player_name + "\"}";
    return text.c_str();
}

} // extern "C"

// The saved files come back from the browser's storage before the start-up reads them; every
// later save is copied there. Then the game runs as on the desktop.
int main()
{
    restore_stored_files();
    stored_files_saved = persist_stored_files;
    sleep_to_slot_end = true;
    exit_cannot_wait = true;
    sound_waits_for_key = true;
    compare_shown_picture = false;
    start_game();
    main_loop();
    return 0;
}
