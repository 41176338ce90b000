// SPDX-License-Identifier: GPL-3.0-or-later
// run_summary.cpp: the end-of-run box over the menu background, drawn when a run ends
// before the high-score entry.
#include "gfx.h"
#include "files.h"
#include "world.h"
#include <cstdio>

static const int SUMMARY_CLOSING_LINES[3] = {TEXT_SUMMARY_FIRST, TEXT_SUMMARY_SECOND, TEXT_SUMMARY_THIRD};

const char *const RUN_SUMMARY_SCORE_FORMAT = "%s    %u";

// The widest of the title and the three closing lines; the score line is not measured.
int run_summary_width(const char *title)
{
    int box_width = font_text_width(font, title);
    for (int line : SUMMARY_CLOSING_LINES) {
        int width = font_text_width(font, texts[line].c_str());
        if (width > box_width)
            box_width = width;
    }
    return box_width;
}

// Draws the end-of-run box over the menu background: the title, the run's score and the three
// closing lines, in a red and black panel run_summary_width wide. Uses text_buffer; the
// caller flips.
void show_run_summary(const char *title)
{
    int h = font_height(font);
    int box_height = 5 * h + 60;
    int box_width = run_summary_width(title);
    int x = (SCREEN_WIDTH - box_width) / 2;
    int y = (SCREEN_HEIGHT - box_height) / 2;

    draw_maze(menu_map);
    draw_panel_frame(x, y, box_width, box_height);
    snprintf(text_buffer, TEXT_BUFFER_SIZE, RUN_SUMMARY_SCORE_FORMAT, texts[TEXT_SCORE_LABEL].c_str(),
             (unsigned)score);
    font_write_centred(screen, font, y, title);
    font_write_centred(screen, font, y + h + 20, text_buffer);
    font_write_centred(screen, font, y + 2 * h + 40, texts[SUMMARY_CLOSING_LINES[0]].c_str());
    font_write_centred(screen, font, y + 3 * h + 40, texts[SUMMARY_CLOSING_LINES[1]].c_str());
    font_write_centred(screen, font, y + 4 * h + 60, texts[SUMMARY_CLOSING_LINES[2]].c_str());
}
