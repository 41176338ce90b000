// edit_check.cpp: the live check of the map being edited, with the content checker's rules.
#include "editor.h"
#include "world.h"

std::vector<EditFault> edit_faults;

// Every fault of the map as it stands, one line each.
void check_edit_map()
{
    edit_faults.clear();
    for (const std::string &line : check_level_map(edit_map_text()))
        edit_faults.push_back(EditFault{line, {}});
}
