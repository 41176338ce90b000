// SPDX-License-Identifier: GPL-3.0-or-later
// trace.cpp: the event trace that end-to-end tests wait on: with GOBRANT_TRACE_FILE set,
// the game appends one line for each event it reads, each empty poll of a waiting screen
// and each shown play frame, so a test waits for the game to have answered instead of
// sleeping. Without the variable nothing is written.
#include "frame.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

int trace_fd = -2;

static void trace_line(const char *line)
{
    if (trace_fd == -2) {
        const char *path = getenv("GOBRANT_TRACE_FILE");
        trace_fd = path && *path ? open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644) : -1;
    }
    if (trace_fd < 0)
        return;
    // One write of a whole line with O_APPEND: a reader never sees half a line.
    ssize_t ignored = write(trace_fd, line, strlen(line));
    (void)ignored;
}

void trace_event(const SDL_Event &e)
{
    char line[32];
    snprintf(line, sizeof line, "event %d\n", e.type);
    trace_line(line);
}

void trace_idle()
{
    trace_line("idle\n");
}

void trace_wait()
{
    trace_line("wait\n");
}

void trace_frame()
{
    trace_line("frame\n");
}
