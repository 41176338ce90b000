// SPDX-License-Identifier: GPL-3.0-or-later
// lists.cpp: fuzz target for the skin and language list reader and the map list reader.
#include "files.h"
#include "fuzz_support.h"
#include "world.h"
#include <cstring>

static const char *const LIST_PATH = "data/list.txt";

// Every entry read is a whole content line (not empty, no comment, no line end, fits the
// buffer) and a plain name.
static void check_entries(const std::vector<std::string> &list)
{
    for (const std::string &entry : list)
        require(!entry.empty() && entry[0] != '#' && entry.size() < TEXT_BUFFER_SIZE
                    && entry.find_first_of("\r\n") == std::string::npos,
                "a list entry is one content line");
    for (const std::string &entry : list)
        require(entry.find_first_of("/\\") == std::string::npos && entry.find("..") == std::string::npos,
                "a list entry is a plain name, leading nowhere outside its folder");
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    enter_fuzz_tree();
    serve_input(LIST_PATH, data, size);
    std::vector<std::string> list;
    read_list(LIST_PATH, list);
    check_entries(list);
    map_list.clear();
    read_map_list(LIST_PATH);
    check_entries(map_list);
    return 0;
}
