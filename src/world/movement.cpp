// movement.cpp: actor steps, teleports, trail repaint, glide and the hit test.
// STUB: to be written.
#include "world.h"
bool neighbour_cell(int, int, Uint8, int &, int &) { return false; }
bool way_free(int, int, Uint8) { return false; }
int step_actor(Actor &) { return 0; }
void teleport_actor(Actor &) {}
void repaint_trail(const Actor &) {}
void update_glide(Actor &) {}
bool actors_touch(const Actor &, const Actor &) { return false; }
