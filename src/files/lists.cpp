// lists.cpp: the skin list and the language list, read once by start-up.
#include "files.h"
#include <cstdlib>

const char *const SKIN_LIST_PATH = "skins/skins.txt";
const char *const LANGUAGE_LIST_PATH = "data/texts.txt";
std::vector<std::string> skin_list;
std::vector<std::string> language_list;

// Appends every content line of the file, whole and untrimmed, to list. Uses text_buffer.
// A list the game cannot run without: a missing file ends the program.
void read_list(const char *path, std::vector<std::string> &list)
{
    FILE *file = open_required_file(path);
    while (read_line(file, text_buffer, TEXT_BUFFER_SIZE))
        list.push_back(text_buffer);
    fclose(file);
}
