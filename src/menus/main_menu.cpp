// main_menu.cpp: the main menu.
// STUB: to be written.
#include "menus.h"
void main_menu() {}
