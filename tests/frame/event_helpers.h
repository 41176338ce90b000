// event_helpers.h: pushing input into SDL's queue for the tests of the play keys and waits.
#pragma once
#include <SDL.h>
#include <cstdint>

inline void drain_events()
{
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
    }
}

inline void push_key(SDLKey sym, SDLMod mod = KMOD_NONE, Uint8 type = SDL_KEYDOWN)
{
    SDL_Event e = {};
    e.type = type;
    e.key.type = type;
    e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = sym;
    e.key.keysym.mod = mod;
    SDL_PushEvent(&e);
}

inline void push_focus(Uint8 gain, Uint8 state = SDL_APPINPUTFOCUS)
{
    SDL_Event e = {};
    e.type = SDL_ACTIVEEVENT;
    e.active.gain = gain;
    e.active.state = state;
    SDL_PushEvent(&e);
}

inline void push_event_of_type(Uint8 type)
{
    SDL_Event e = {};
    e.type = type;
    SDL_PushEvent(&e);
}

// Pushes a key press from SDL's timer thread after `ms`, for waits that drain the queue first.
inline Uint32 push_key_later_callback(Uint32, void *param)
{
    push_key(SDLKey(reinterpret_cast<intptr_t>(param)));
    return 0;
}

inline void push_key_later(SDLKey sym, Uint32 ms)
{
    SDL_AddTimer(ms, push_key_later_callback, reinterpret_cast<void *>(intptr_t(sym)));
}
