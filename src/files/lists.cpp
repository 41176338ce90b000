// SPDX-License-Identifier: GPL-3.0-or-later
// lists.cpp: the skin list and the language list, read once by start-up.
#include "files.h"
#include <cstdlib>
#include <cstring>

const char *const SKIN_LIST_PATH = "skins/skins.txt";
const char *const LANGUAGE_LIST_PATH = "data/texts.txt";
std::vector<std::string> skin_list;
std::vector<std::string> language_list;

// A plain name names a file or folder right inside the folder it is looked up in: no "/" or
// "\\" that would lead into another folder, no ".." that would lead out.
bool is_plain_name(const char *name)
{
    return !strpbrk(name, "/\\") && !strstr(name, "..");
}

void read_names(FILE *file, const char *path, std::vector<std::string> &list)
{
    char line[TEXT_BUFFER_SIZE];
    while (read_line(file, line, sizeof line)) {
        if (is_plain_name(line))
            list.push_back(line);
        else
            printf("ERROR not a plain name in %s: %s\n", path, line);
    }
}

// Appends every plain name of the file, whole and untrimmed, to list.
// A list the game cannot run without: a missing file ends the program.
void read_list(const char *path, std::vector<std::string> &list)
{
    FILE *file = open_required_file(path);
    read_names(file, path, list);
    fclose(file);
}
