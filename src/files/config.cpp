// config.cpp: the configuration file.
// STUB: to be written.
#include "files.h"
const char *const CONFIG_PATH = "data/gobrant.cfg";
char player_name[NAME_SIZE];
Uint8 skin_index = 0;
Uint8 language_index = 0;
bool config_read = false;
void read_config(const char *) {}
void write_config(const char *) {}
