// shutdown.cpp: the quit sequence run by atexit.
// STUB: to be written.
#include "frame.h"
#include <cstdlib>
bool quit_in_progress = false;
bool quit_requested = false;
void shutdown_game() {}
void request_quit() { if (quit_in_progress) { quit_requested = true; return; } exit(0); }
