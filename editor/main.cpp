// SPDX-License-Identifier: GPL-3.0-or-later
// main.cpp: the gobrant-editor program: gobrant-editor [MAP], run in a content tree.
#include "editor.h"
#include "gfx.h"

int main(int argc, char **argv)
{
    if (start_editor(argc > 1 ? argv[1] : nullptr) != 0)
        return 1;
    run_editor();
    free_skin();
    SDL_Quit();
    return 0;
}
