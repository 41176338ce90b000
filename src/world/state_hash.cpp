// SPDX-License-Identifier: GPL-3.0-or-later
// state_hash.cpp: one number for the whole game state, so that two runs of the same input
// can be compared frame by frame; every variable of the run and of the level is named here.
#include "world.h"
#include "files.h"

namespace {

// FNV-1a over the values fed to it, one field at a time (no padding bytes).
struct StateHash {
    Uint64 value = 14695981039346656037ull;
    void bytes(const void *data, size_t size)
    {
        const Uint8 *p = static_cast<const Uint8 *>(data);
        for (size_t i = 0; i < size; i++)
            value = (value ^ p[i]) * 1099511628211ull;
    }
    template <typename T> void add(const T &field) { bytes(&field, sizeof field); }
    void add(const std::string &text)
    {
        add(text.size());
        bytes(text.data(), text.size());
    }
};

void add_actor(StateHash &h, const Actor &a)
{
    for (auto field : {a.rect.x, a.rect.y})
        h.add(field);
    for (auto field : {a.rect.w, a.rect.h})
        h.add(field);
    for (Uint8 field : {a.cell_x, a.cell_y, a.direction, a.wanted_direction, a.step_counter,
                        a.phase, a.speed, a.last_direction, a.next_speed, a.exit_x, a.exit_y,
                        a.entry_x, a.entry_y})
        h.add(field);
    for (int i = 0; i < 3; i++) {
        h.add(a.trail_x[i]);
        h.add(a.trail_y[i]);
    }
    h.add(a.knockout);
}

void add_map(StateHash &h, const LevelMap &map)
{
    h.bytes(map.cells, sizeof map.cells);
    h.add(map.dots_left);
    h.add(map.teleports.size());
    for (const TeleportPair &pair : map.teleports)
        for (Uint8 field : {pair.x1, pair.x2, pair.y1, pair.y2, pair.letter})
            h.add(field);
}

} // namespace

Uint64 game_state_hash()
{
    StateHash h;
    add_map(h, level_map);
    add_map(h, menu_map);
    h.add(map_list.size());
    for (const std::string &name : map_list)
        h.add(name);
    h.add(level_index);
    add_actor(h, player);
    h.add(player_start_x);
    h.add(player_start_y);
    h.add(enemy_start_x.size());
    for (size_t i = 0; i < enemy_start_x.size(); i++) {
        h.add(enemy_start_x[i]);
        h.add(enemy_start_y[i]);
    }
    h.add(enemy_count);
    h.add(enemies.size());
    for (const Actor &enemy : enemies)
        add_actor(h, enemy);
    for (Uint8 field : {lives, catch_interval, catch_streak, power_mode, decoy_x, decoy_y,
                        saved_player_x, saved_player_y, think_tick, think_period, boost_flag,
                        message_frames})
        h.add(field);
    for (Uint16 field : {power_timer, power_charges, decoy_count, decoy_timer})
        h.add(field);
    h.add(score);
    h.add(boost_reserve);
    h.add(frame_delay);
    h.add(std::string(player_name));
    for (const auto &entry : high_scores) {
        h.add(entry.first);
        h.add(entry.second);
    }
    return h.value;
}
