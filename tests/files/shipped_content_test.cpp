// SPDX-License-Identifier: GPL-3.0-or-later
// shipped_content_test.cpp: the data files that ship with the game read as the game expects.
#include "editor.h"
#include "files.h"
#include "frame.h"
#include "test_support.h"
#include <gtest/gtest.h>
#include <cstring>
#include <set>

static std::string shipped(const std::string &path)
{
    return std::string(SOURCE_DIR) + "/content/" + path;
}

// Bytes the game's font can draw, plus the space and the line feed.
static std::set<unsigned char> drawable_bytes()
{
    std::set<unsigned char> bytes{' ', '\n'};
    for (int code = 33; code <= 126; code++)
        bytes.insert((unsigned char)code);
    for (int code : {236, 154, 232, 248, 158, 253, 225, 237, 233, 239, 242, 243, 157, 250, 249,
                     204, 138, 200, 216, 142, 221, 193, 205, 201, 207, 210, 211, 141, 218, 217})
        bytes.insert((unsigned char)code);
    return bytes;
}

TEST(ShippedContent, ListsConfigurationAndHighScoresRead)
{
    skin_list.clear();
    language_list.clear();
    read_list(shipped(SKIN_LIST_PATH).c_str(), skin_list);
    read_list(shipped(LANGUAGE_LIST_PATH).c_str(), language_list);
    EXPECT_EQ(skin_list, (std::vector<std::string>{"meadow", "circuit"}));
    EXPECT_EQ(language_list, (std::vector<std::string>{"cs", "en"}));

    frame_delay = 20;
    read_config(shipped(CONFIG_PATH).c_str());
    EXPECT_EQ(frame_delay, 25);
    EXPECT_STREQ(player_name, "Player");
    EXPECT_EQ(skin_index, 0);
    EXPECT_EQ(language_index, 1);

    ASSERT_EQ(read_high_scores(shipped(HIGH_SCORES_PATH).c_str()), 0);
    for (int i = 0; i < HIGH_SCORE_COUNT; i++) {
        EXPECT_FALSE(high_scores[i].first.empty()) << "entry " << i;
        EXPECT_GT(high_scores[i].second, 0u) << "entry " << i;
        if (i > 0) {
            EXPECT_GE(high_scores[i - 1].second, high_scores[i].second) << "entry " << i;
        }
    }
}

TEST(ShippedContent, EveryTextFileHas43DrawableLines)
{
    const std::vector<std::string> skins{"meadow", "circuit"}, languages{"cs", "en"};
    const std::set<unsigned char> drawable = drawable_bytes();
    for (const auto &skin : skins) {
        for (const auto &language : languages) {
            std::string path = shipped("data/texts/" + skin + "_" + language + ".txt");
            SCOPED_TRACE(path);
            std::string text = read_file(path);
            ASSERT_FALSE(text.empty());
            for (unsigned char byte : text)
                EXPECT_TRUE(drawable.count(byte)) << "byte " << int(byte);

            FILE *file = fopen(path.c_str(), "r");
            ASSERT_NE(file, nullptr);
            char line[TEXT_LINE_SIZE];
            int count = 0;
            while (read_line(file, line, sizeof line)) {
                EXPECT_LE(strlen(line), 60u) << "line " << count << ": " << line;
                if (count >= 18 && count <= 20) {   // the status panel's labels
                    EXPECT_LE(strlen(line), 7u) << "line " << count << ": " << line;
                }
                count++;
            }
            fclose(file);
            EXPECT_EQ(count, TEXT_COUNT);
        }
    }
}

// The editor's texts and the later options rows' words: one file per language, whole and
// drawable.
TEST(ShippedContent, EveryEditorAndOptionTextFileIsWholeAndDrawable)
{
    const std::set<unsigned char> drawable = drawable_bytes();
    const struct { const char *prefix; int count; } kinds[] = {
        {"editor_", EDITOR_TEXT_COUNT}, {"options_", OPTION_TEXT_COUNT}};
    for (const auto &kind : kinds)
    for (const std::string language : {"cs", "en"}) {
        std::string path = shipped("data/texts/" + std::string(kind.prefix) + language + ".txt");
        SCOPED_TRACE(path);
        for (unsigned char byte : read_file(path))
            EXPECT_TRUE(drawable.count(byte)) << "byte " << int(byte);
        std::vector<std::string> table(kind.count + 1);
        ASSERT_EQ(read_text_table(path.c_str(), table.data(), kind.count + 1), 0);
        EXPECT_FALSE(table[kind.count - 1].empty()) << "too few lines";
        EXPECT_TRUE(table[kind.count].empty()) << "too many lines";
        for (const std::string &line : table)
            EXPECT_LE(line.size(), 80u) << line;   // fits the window's width
    }
}
