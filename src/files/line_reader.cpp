// line_reader.cpp: the one line reader of every text file, and the shared text buffer.
// STUB: to be written.
#include "files.h"
char text_buffer[TEXT_BUFFER_SIZE];
bool read_line(FILE *, char *, size_t) { return false; }
