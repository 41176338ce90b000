// SPDX-License-Identifier: GPL-3.0-or-later
// high_scores.cpp: fuzz target for the high-score table: any file is read safely, and a table
// the game can hold is written and read back with every score and name.
#include "files.h"
#include "fuzz_support.h"
#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    enter_fuzz_tree();
    FuzzedDataProvider input(data, size);
    std::pair<std::string, Uint32> table[HIGH_SCORE_COUNT];
    for (auto &entry : table) {
        std::vector<uint8_t> letters = input.ConsumeBytes<uint8_t>(input.ConsumeIntegralInRange(0, NAME_SIZE - 1));
        entry = {typed_name(letters.data(), letters.size(), true), input.ConsumeIntegral<Uint32>()};
    }
    for (int i = 0; i < HIGH_SCORE_COUNT; i++)
        high_scores[i] = table[i];
    write_high_scores(HIGH_SCORES_PATH);
    for (auto &entry : high_scores)
        entry = {"x", 1};
    read_high_scores(HIGH_SCORES_PATH);
    for (int i = 0; i < HIGH_SCORE_COUNT; i++) {
        const std::string &name = high_scores[i].first;
        require(high_scores[i].second == table[i].second, "every score reads back in its place");
        // A name too long for its line may come back shortened, never changed otherwise.
        require(table[i].first.compare(0, name.size(), name) == 0, "a name reads back whole or shortened");
        size_t line = table[i].first.size() + 1 + std::to_string(table[i].second).size();
        require(line >= HIGH_SCORE_LINE_SIZE || name == table[i].first, "a name that fits its line reads back whole");
    }

    std::vector<uint8_t> file = input.ConsumeRemainingBytes<uint8_t>();
    serve_input("data/input.txt", file.data(), file.size());
    read_high_scores("data/input.txt");
    for (const auto &entry : high_scores)
        require(entry.first.find('|') == std::string::npos, "a name holds no separator");
    return 0;
}
