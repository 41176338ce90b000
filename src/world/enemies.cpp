// enemies.cpp: the enemies choices at walls and their think step.
// STUB: to be written.
#include "world.h"
void enemy_think(Actor &) {}
void choose_enemy_direction(int) {}
