// SPDX-License-Identifier: GPL-3.0-or-later
// display_check.cpp: whether the X display the game draws on is still there; asked by the
// quit sequence, which must not draw on (or let SDL touch) a display that has gone away.
#include "frame.h"
#include <SDL.h>
#include <SDL_syswm.h>
#include <cerrno>
#include <sys/socket.h>

// SDL's own connection to the X server tells: SDL 1.2 forgets the display when Xlib reports
// the connection lost, and a connection the server has closed reads as ended. Only the X11
// video driver has a display to lose.
bool display_gone()
{
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWMInfo(&info) <= 0 || info.subsystem != SDL_SYSWM_X11)
        return false;
    if (!info.info.x11.display)
        return true;
    char byte;
    ssize_t got = recv(ConnectionNumber(info.info.x11.display), &byte, 1, MSG_PEEK | MSG_DONTWAIT);
    return got == 0 || (got < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR);
#else
    return false;
#endif
}
