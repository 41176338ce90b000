// SPDX-License-Identifier: GPL-3.0-or-later
// texts_test.cpp: loading the language text table.
#include "files.h"
#include "test_support.h"
#include <gtest/gtest.h>
#include <sys/stat.h>

static void select_texts(const char *skin, const char *language)
{
    skin_list = {"other", skin};
    language_list = {language};
    skin_index = 1;
    language_index = 0;
}

static void clear_texts()
{
    for (auto &text : texts)
        text.clear();
}

TEST(Texts, LoadsTheFirst43ContentLinesOfTheSkinAndLanguage)
{
    enter_scratch_tree(false);
    mkdir("data", 0755);
    mkdir("data/texts", 0755);
    std::string file = "# meadow, English\n\n";
    for (int i = 0; i < TEXT_COUNT + 1; i++)
        file += "text " + std::to_string(i) + (i == 5 ? " #5 keeps its hash" : "") + "\r\n";
    write_file("data/texts/meadow_en.txt", file);
    write_file("data/texts/meadow_xx.txt", "short 0\n" + std::string(10000, 'w') + "\nshort 2");

    clear_texts();
    select_texts("meadow", "en");
    EXPECT_EQ(load_texts(), 0);
    EXPECT_EQ(texts[TEXT_LEGEND_TITLE], "text 0");
    EXPECT_EQ(texts[TEXT_LEGEND_LIVES], "text 5 #5 keeps its hash");
    EXPECT_EQ(texts[TEXT_ITEM_QUIT], "text 42");

    select_texts("meadow", "xx");
    EXPECT_EQ(load_texts(), 0);
    EXPECT_EQ(texts[TEXT_LEGEND_TITLE], "short 0");
    EXPECT_EQ(texts[TEXT_LEGEND_BOOST], std::string(TEXT_LINE_SIZE - 1, 'w'));
    EXPECT_EQ(texts[TEXT_LEGEND_POWER], "short 2");
    EXPECT_EQ(texts[TEXT_LEGEND_DECOY], "text 3");
    EXPECT_EQ(texts[TEXT_ITEM_QUIT], "text 42");
}

TEST(Texts, AMissingFileLeavesTheTableAndSaysSo)
{
    enter_scratch_tree(false);
    clear_texts();
    texts[TEXT_LEGEND_EXTRA_LIFE] = "kept";
    select_texts("circuit", "de");
    testing::internal::CaptureStdout();
    EXPECT_EQ(load_texts(), 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "ERROR opening file data/texts/circuit_de.txt\n\n");
    EXPECT_EQ(texts[TEXT_LEGEND_EXTRA_LIFE], "kept");
    EXPECT_EQ(texts[TEXT_LEGEND_TELEPORT], "");
}
