// SPDX-License-Identifier: GPL-3.0-or-later
// gamepad.cpp: the first joystick SDL finds, turned into the game's key presses: its hat
// (d-pad) and first stick give the arrows, its buttons the play keys or, on the other
// screens, Return and Escape; every event loop reads them through poll_event.
#include "frame.h"

SDL_Joystick *gamepad = nullptr;
Uint8 hat_held = SDL_HAT_CENTERED;
int stick_side[2] = {0, 0};

namespace {

// What each button presses: during play a play key, on the menus, the waits and the text
// entry Return or Escape; the confirm buttons (Return) press the key a wait waits for. The numbers follow the usual pad layout on
// Linux: A, B, X, Y, the two shoulder buttons, Back and Start.
const struct {
    Uint8 button;
    SDLKey play_key;
    SDLKey screen_key;
} BUTTON_KEYS[] = {
    {0, SDLK_n, SDLK_RETURN},       // A: power mode / confirm
    {1, SDLK_m, SDLK_ESCAPE},       // B: decoy / leave
    {2, SDLK_b, SDLK_RETURN},       // X: boost / confirm
    {3, SDLK_v, SDLK_ESCAPE},       // Y: carry on with a knot / leave
    {4, SDLK_SPACE, SDLK_RETURN},   // left shoulder: give up a life / confirm
    {5, SDLK_SPACE, SDLK_RETURN},   // right shoulder: give up a life / confirm
    {6, SDLK_ESCAPE, SDLK_ESCAPE},  // Back: main menu / leave
    {7, SDLK_p, SDLK_RETURN},       // Start: pause / confirm
};

// A stick needs a quarter of its travel to count as pushed, so that a worn stick resting
// a little off centre does not steer.
const Sint16 STICK_DEAD_ZONE = 8192;
const Uint8 STICK_X_AXIS = 0;
const Uint8 STICK_Y_AXIS = 1;

const struct {
    Uint8 hat_bit;
    SDLKey arrow;
} HAT_ARROWS[] = {
    {SDL_HAT_UP, SDLK_UP}, {SDL_HAT_RIGHT, SDLK_RIGHT}, {SDL_HAT_DOWN, SDLK_DOWN}, {SDL_HAT_LEFT, SDLK_LEFT},
};

// `event` becomes a press of `key`.
bool press(SDLKey key)
{
    event = SDL_Event();   // every field 0, whatever the SDL headers name them
    event.type = SDL_KEYDOWN;
    event.key.state = SDL_PRESSED;
    event.key.keysym.sym = key;
    event.key.keysym.mod = KMOD_NONE;
    event.key.keysym.unicode = 0;
    return true;
}

// A hat press gives the arrow of a direction just pressed; a release gives nothing.
bool hat_to_key(Uint8 value)
{
    Uint8 pressed = value & ~hat_held;
    hat_held = value;
    for (const auto &h : HAT_ARROWS)
        if (pressed & h.hat_bit)
            return press(h.arrow);
    return false;
}

// A stick axis gives its arrow when it leaves the dead zone or crosses to the other side.
bool axis_to_key(Uint8 axis, Sint16 value)
{
    if (axis != STICK_X_AXIS && axis != STICK_Y_AXIS)
        return false;
    int side = value > STICK_DEAD_ZONE ? 1 : value < -STICK_DEAD_ZONE ? -1 : 0;
    bool changed = side != stick_side[axis];
    stick_side[axis] = side;
    if (!changed || side == 0)
        return false;
    if (axis == STICK_X_AXIS)
        return press(side > 0 ? SDLK_RIGHT : SDLK_LEFT);
    return press(side > 0 ? SDLK_DOWN : SDLK_UP);
}

} // namespace

SDLKey gamepad_confirm_key = SDLK_RETURN;

void open_gamepad()
{
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) < 0)
        return;
    if (SDL_NumJoysticks() > 0)
        gamepad = SDL_JoystickOpen(0);
    if (!gamepad) {
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
        return;
    }
    SDL_JoystickEventState(SDL_ENABLE);
}

bool translate_gamepad_event(bool in_play)
{
    switch (event.type) {
    case SDL_JOYBUTTONDOWN:
        for (const auto &b : BUTTON_KEYS)
            if (b.button == event.jbutton.button)
                return press(in_play ? b.play_key
                             : b.screen_key == SDLK_RETURN ? gamepad_confirm_key : b.screen_key);
        return false;
    case SDL_JOYHATMOTION:
        return event.jhat.hat == 0 && hat_to_key(event.jhat.value);
    case SDL_JOYAXISMOTION:
        return axis_to_key(event.jaxis.axis, event.jaxis.value);
    case SDL_JOYBUTTONUP:
    case SDL_JOYBALLMOTION:
        return false;
    default:
        return true;
    }
}
