// skins.cpp: the sprite set of the skin in use and the font.
// STUB: to be written.
#include "gfx.h"
SDL_Surface *tile_sprites[6];
SDL_Surface *teleport_sprite;
SDL_Surface *death_sprite;
SDL_Surface *life_icon;
SDL_Surface *dots_icon;
SDL_Surface *boost_icon;
SDL_Surface *knot_icon;
SDL_Surface *decoy_sprite;
SDL_Surface *arrow_left_sprite;
SDL_Surface *arrow_right_sprite;
SDL_Surface *player_sprites[5];
SDL_Surface *player_power_sprites[5];
SDL_Surface *enemy_sprites[5];
SDL_Rect actor_frame_rect;
char skin_path[256];
BitmapFont *font;
void load_skin() {}
void free_skin() {}
