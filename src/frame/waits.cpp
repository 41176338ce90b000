// waits.cpp: the shared modal waits for a key and for the focus to come back.
// STUB: to be written.
#include "frame.h"
int wait_for_key(Uint16) { return 0; }
void wait_for_focus() {}
bool poll_event_or_rest() { if (SDL_PollEvent(&event)) return true; SDL_Delay(1); return false; }
