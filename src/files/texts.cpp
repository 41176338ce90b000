// texts.cpp: the language text table.
// STUB: to be written.
#include "files.h"
std::string texts[TEXT_COUNT];
int load_texts() { return 1; }
