// options_menu.cpp: the options menu.
// STUB: to be written.
#include "menus.h"
void options_menu(Uint16) {}
