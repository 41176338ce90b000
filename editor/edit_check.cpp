// SPDX-License-Identifier: GPL-3.0-or-later
// edit_check.cpp: the live check of the map being edited, with the content checker's rules;
// its faults are told in the configured language, one line for each kind of fault.
#include "editor.h"
#include "checks.h"
#include "world.h"
#include <algorithm>

std::vector<EditFault> edit_faults;
size_t edit_fault_count = 0;
static std::vector<std::string> checked_rows;   // check state: the rows edit_faults belong to

static const size_t CELLS_NAMED = 8;   // cells a fault line names before "..."

// "x,y x,y ..." of the first cells.
static std::string cell_names(const std::vector<std::pair<int, int>> &cells)
{
    std::string names;
    for (size_t i = 0; i < cells.size() && i < CELLS_NAMED; i++)
        names += (i ? " " : "") + std::to_string(cells[i].first) + "," + std::to_string(cells[i].second);
    if (cells.size() > CELLS_NAMED)
        names += " ...";
    return names;
}

void reset_edit_check_state()
{
    edit_faults.clear();
    edit_fault_count = 0;
    checked_rows.clear();
}

bool edit_map_checked()
{
    return edit_rows == checked_rows;
}

// Checks the map as it will be saved; faults of one kind are gathered into one line that
// names their cells, in the order the check found the kinds.
void check_edit_map()
{
    reset_edit_check_state();
    checked_rows = edit_rows;
    std::vector<MapFault> faults = check_map_text(edit_map_text());
    edit_fault_count = faults.size();
    std::vector<EditFault> by_kind(MAP_FAULT_KIND_COUNT);
    std::vector<int> order;
    for (const MapFault &fault : faults) {
        if (std::find(order.begin(), order.end(), fault.kind) == order.end())
            order.push_back(fault.kind);
        for (const auto &cell : fault.cells)
            by_kind[fault.kind].cells.push_back(cell);
    }
    for (int kind : order) {
        EditFault &fault = by_kind[kind];
        std::string value = kind == MAP_FAULT_ENEMY_STARTS ? std::to_string(MAX_LEVEL_ENEMIES)
                                                           : cell_names(fault.cells);
        fault.line = editor_text(ET_FAULT_FIRST + kind, value);
        edit_faults.push_back(fault);
    }
}
