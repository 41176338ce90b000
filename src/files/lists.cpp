// lists.cpp: the skin list and the language list.
// STUB: to be written.
#include "files.h"
const char *const SKIN_LIST_PATH = "skins/skins.txt";
const char *const LANGUAGE_LIST_PATH = "data/texts.txt";
std::vector<std::string> skin_list;
std::vector<std::string> language_list;
void read_list(const char *, std::vector<std::string> &) {}
