// info_screens.cpp: the high-score table, credits and legend screens.
// STUB: to be written.
#include "menus.h"
const char *const CREDITS_LINES[4] = {"", "", "", ""};
void draw_high_score_screen() {}
void draw_credits_screen() {}
void draw_legend_screen() {}
