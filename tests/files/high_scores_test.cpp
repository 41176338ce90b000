// SPDX-License-Identifier: GPL-3.0-or-later
// high_scores_test.cpp: the high-score file, the order of the table and the entry of a score.
#include "files.h"
#include "test_support.h"
#include "frame.h"
#include "gfx.h"
#include "world.h"
#include <gtest/gtest.h>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

static void set_table(const std::vector<Uint32> &scores)
{
    for (int i = 0; i < HIGH_SCORE_COUNT; i++) {
        Uint32 points = i < (int)scores.size() ? scores[i] : 0;
        high_scores[i] = {points ? "p" + std::to_string(i) : std::string(), points};
    }
}

// A full table whose lowest entry is 10.
static const std::vector<Uint32> FULL_TABLE = {100, 90, 80, 70, 60, 50, 40, 30, 20, 10};

static std::vector<Uint32> table_scores()
{
    std::vector<Uint32> scores;
    for (const auto &entry : high_scores)
        scores.push_back(entry.second);
    return scores;
}

// A long name keeps its score, shortened as the writer shortens it; a line whose score is
// not a 32-bit number is skipped and the next line takes its place.
TEST(HighScores, AShortFileGivesEmptyEntriesAndIsWrittenBackWithTenLines)
{
    enter_scratch_tree(false);
    set_table({900, 800});
    write_file("scores.txt",
               "# best first\r\nAnna Maria|300\r\n\r\nno separator here\n" + std::string(10000, 'z') +
                   "|5\nNeg|-1\nHuge|99999999999\nOver|4294967296\nBob|  120 points\nCyril|abc\n"
                   "Max|+4294967295\n");
    high_scores_read = false;
    EXPECT_EQ(read_high_scores("scores.txt"), 0);
    EXPECT_TRUE(high_scores_read);
    std::string long_name(HIGH_SCORE_LINE_SIZE - 1 - 2, 'z');   // "|5" fills the line
    EXPECT_EQ(high_scores[0], std::make_pair(std::string("Anna Maria"), Uint32(300)));
    EXPECT_EQ(high_scores[1], std::make_pair(long_name, Uint32(5)));
    EXPECT_EQ(high_scores[2], std::make_pair(std::string("Bob"), Uint32(120)));
    EXPECT_EQ(high_scores[3], std::make_pair(std::string("Max"), Uint32(4294967295u)));
    for (int i = 4; i < HIGH_SCORE_COUNT; i++)
        EXPECT_EQ(high_scores[i], std::make_pair(std::string(), Uint32(0))) << "entry " << i;

    write_high_scores("scores.txt");
    EXPECT_EQ(read_file("scores.txt"), "Anna Maria|300\n" + long_name +
                                           "|5\nBob|120\nMax|4294967295\n|0\n|0\n|0\n|0\n|0\n|0\n");
}

TEST(HighScores, ReadsAtMostTenEntries)
{
    enter_scratch_tree(false);
    std::string text;
    for (int i = 12; i > 0; i--)
        text += "n" + std::to_string(i) + "|" + std::to_string(i * 10) + "\n";
    write_file("scores.txt", text);
    ASSERT_EQ(read_high_scores("scores.txt"), 0);
    EXPECT_EQ(high_scores[0].first, "n12");
    EXPECT_EQ(high_scores[9], std::make_pair(std::string("n3"), Uint32(30)));
}

TEST(HighScores, AMissingFileLeavesTheTableAndSaysSo)
{
    enter_scratch_tree(false);
    set_table({700});
    high_scores_read = false;
    testing::internal::CaptureStdout();
    EXPECT_EQ(read_high_scores("data/highscores.txt"), 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "ERROR opening file data/highscores.txt\n\n");
    EXPECT_TRUE(high_scores_read);
    EXPECT_EQ(high_scores[0].second, 700u);
}

// A name starting with "#" (a configured one) would make its line a comment: it is
// written without the leading "#", and every row reads back.
TEST(HighScores, NamesThatWouldNotReadBackAreShortenedOnWriting)
{
    enter_scratch_tree(false);
    set_table({4000000000u, 7, 6});
    high_scores[0].first = std::string(300, 'a');
    high_scores[1].first = "left|right";
    high_scores[2].first = "##hash";
    write_high_scores("scores.txt");
    std::string text = read_file("scores.txt");
    std::string first_line = text.substr(0, text.find('\n'));
    EXPECT_EQ(first_line.size(), size_t(HIGH_SCORE_LINE_SIZE - 1));

    auto written = high_scores[0];
    read_high_scores("scores.txt");
    EXPECT_EQ(high_scores[0].first, written.first.substr(0, HIGH_SCORE_LINE_SIZE - 1 - 11));
    EXPECT_EQ(high_scores[0].second, 4000000000u);
    EXPECT_EQ(high_scores[1], std::make_pair(std::string("left"), Uint32(7)));
    EXPECT_EQ(high_scores[2], std::make_pair(std::string("hash"), Uint32(6)));
}

TEST(HighScoresDeathTest, AFailedWriteLeavesTheOldFileAndSaysSo)
{
    enter_scratch_tree(false);
    set_table({50});
    testing::internal::CaptureStdout();
    EXPECT_EQ(write_high_scores("nowhere/highscores.txt"), 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "ERROR opening file nowhere/highscores.txt\n\n");

    // The disk fills up halfway through the ten lines: the old file stays whole.
    write_file("scores.txt", "Old|1\n");
    high_scores[0].first = std::string(200, 'a');
    auto write_on_a_full_disk = [] {
        stdout_to_stderr();
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{100, 100};
        setrlimit(RLIMIT_FSIZE, &limit);
        exit(write_high_scores("scores.txt"));
    };
    EXPECT_EXIT(write_on_a_full_disk(), testing::ExitedWithCode(1),
                "^ERROR writing file scores.txt: File too large\n\n$");
    EXPECT_EQ(read_file("scores.txt"), "Old|1\n");
}

TEST(HighScores, ANewScoreGoesBelowEqualScores)
{
    set_table({500, 400, 400, 100});
    const int places[][2] = {{600, 0}, {400, 3}, {401, 1}, {1, 4}, {0, -1}};
    for (const auto &c : places)
        EXPECT_EQ(high_score_place(c[0]), c[1]) << c[0] << " points";

    set_table(FULL_TABLE);
    EXPECT_EQ(high_score_place(10), -1);
    EXPECT_EQ(high_score_place(11), 9);
}

TEST(HighScores, AScoreThatBeatsNoEntryLeavesTheTableAndIsCleared)
{
    for (Uint32 points : {0u, 10u}) {
        set_table(FULL_TABLE);
        score = points;
        enter_high_score();
        EXPECT_EQ(score, 0u);
        EXPECT_EQ(table_scores(), FULL_TABLE);
        EXPECT_EQ(high_scores[9].first, "p9");
    }
    set_table({});
    score = 0;
    enter_high_score();
    EXPECT_EQ(table_scores(), std::vector<Uint32>(HIGH_SCORE_COUNT, 0));
}

TEST(HighScores, AnEnteredScoreTakesItsPlaceWithTheTypedName)
{
    enter_shipped_skin();
    texts[TEXT_NAME_PROMPT] = "Your name:";

    set_table({500, 400, 400, 100});
    snprintf(player_name, NAME_SIZE, "Jo");
    push_key(SDLK_e);
    push_key(SDLK_RETURN);
    score = 400;
    enter_high_score();
    EXPECT_EQ(score, 0u);
    EXPECT_STREQ(player_name, "Joe");
    EXPECT_EQ(table_scores(), (std::vector<Uint32>{500, 400, 400, 400, 100, 0, 0, 0, 0, 0}));
    EXPECT_EQ(high_scores[2].first, "p2");
    EXPECT_EQ(high_scores[3].first, "Joe");
    EXPECT_EQ(high_scores[4].first, "p3");

    // A new best moves every entry down and drops the former tenth.
    set_table(FULL_TABLE);
    push_key(SDLK_SPACE);
    push_key(SDLK_RETURN);
    score = 1000;
    enter_high_score();
    EXPECT_EQ(table_scores(), (std::vector<Uint32>{1000, 100, 90, 80, 70, 60, 50, 40, 30, 20}));
    EXPECT_EQ(high_scores[0].first, "Joe ");
    EXPECT_EQ(high_scores[9].first, "p8");
}

// Whether any pixel of the row segment from x0 to x1 is neither black nor red.
static bool has_drawing(int x0, int x1, int y)
{
    for (int x = x0; x < x1; x++) {
        Uint32 pixel = get_pixel(screen, x, y);
        if (pixel != 0 && pixel != red_pixel())
            return true;
    }
    return false;
}

TEST(HighScores, TheRunSummaryBoxFitsItsWidestLine)
{
    enter_shipped_skin();
    texts[TEXT_SCORE_LABEL] = "Score:";
    texts[TEXT_SUMMARY_FIRST] = "a";
    texts[TEXT_SUMMARY_SECOND] = "the widest closing line of the box";
    texts[TEXT_SUMMARY_THIRD] = "b";
    score = 1234;
    show_run_summary("Over");

    int h = font_height(font);
    int w = font_text_width(font, texts[TEXT_SUMMARY_SECOND].c_str());
    int x = (SCREEN_WIDTH - w) / 2, y = (SCREEN_HEIGHT - (5 * h + 60)) / 2;
    SDL_LockSurface(screen);
    EXPECT_EQ(get_pixel(screen, x - 10, y - 10), red_pixel());
    EXPECT_EQ(get_pixel(screen, x - 6, y + 5 * h + 60 + 9), red_pixel());
    EXPECT_EQ(get_pixel(screen, x - 5, y - 5), 0u);
    EXPECT_EQ(get_pixel(screen, x + w + 4, y + 5 * h + 60 + 4), 0u);
    EXPECT_NE(get_pixel(screen, x + w + 10, y), red_pixel());   // just outside the frame
    // The widest line fills the box from edge to edge; the title row stays in the middle.
    int closing_row = y + 3 * h + 40 + h / 2;
    EXPECT_TRUE(has_drawing(x, x + 20, closing_row));
    EXPECT_TRUE(has_drawing(x + w - 20, x + w, closing_row));
    EXPECT_FALSE(has_drawing(x, x + 20, y + h / 2));
    EXPECT_TRUE(has_drawing(x, x + w, y + h + 20 + h / 2));   // the score line
    SDL_UnlockSurface(screen);
    score = 0;
}
