// SPDX-License-Identifier: GPL-3.0-or-later
// main.cpp: the gobrant executable: start-up, then the main loop, which never returns.
#include "frame.h"
#include "world.h"
#include <cstdio>
#include <cstring>

int main(int argc, char **argv)
{
    if (argc > 1 && strcmp(argv[1], "--version") == 0) {
        printf("gobrant %s\n", GOBRANT_VERSION);
        return 0;
    }
    play_test_run = argc > 1 && strcmp(argv[1], PLAY_TEST_OPTION) == 0;
    start_game();
    main_loop();
    return 0;
}
