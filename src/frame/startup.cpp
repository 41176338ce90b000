// startup.cpp: the entry sequence: data files, SDL and the video mode, skin, maps, main menu.
// STUB: to be written.
#include "frame.h"
SDL_Surface *screen = nullptr;
const char *const WINDOW_CAPTION = "Gobrant beta";
const char *const MENU_MAP_PATH = "data/menumap.txt";
const char *const MAP_LIST_PATH = "maps/AAA_maplist.txt";
int set_video_mode() { return 1; }
void start_game() {}
