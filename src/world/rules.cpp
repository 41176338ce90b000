// rules.cpp: the per-frame rules and the player actions.
// STUB: to be written.
#include "world.h"
void update_frame() {}
void set_wanted_direction(Uint8) {}
void give_up_life() {}
void continue_with_knot() {}
void use_decoy() {}
void toggle_boost() {}
void toggle_power() {}
void end_run(const char *) {}
