// text_entry.cpp: the modal name entry field.
// STUB: to be written.
#include "gfx.h"
void text_entry(const char *, char *) {}
