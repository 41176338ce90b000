// SPDX-License-Identifier: GPL-3.0-or-later
// config_test.cpp: reading and writing the configuration file.
#include "files.h"
#include "test_support.h"
#include "frame.h"
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <csignal>

// The globals read_config reads and writes, back at their start-up values, with three skins
// and two languages listed.
static void reset_config_state()
{
    reset_frame_program_state();
    reset_files_program_state();
    skin_list = {"meadow", "circuit", "third"};
    language_list = {"cs", "en"};
}

static void read_config_text(const std::string &text)
{
    reset_config_state();
    write_file("test.cfg", text);
    read_config("test.cfg");
}

class Config : public ::testing::Test {
protected:
    void SetUp() override { enter_scratch_tree(false); }
};
using ConfigDeathTest = Config;

// Lines are taken by position; a line whose key does not match keeps the value in memory.
TEST_F(Config, ReadsTheFourSettingsClampsThemAndKeepsWhatIsMissing)
{
    const struct { const char *text; int delay; const char *name; int skin, language; } cases[] = {
        {"# settings\nTIMER: 22\n\nNAME: Anna Maria\nSKIN: 2\nTEXTS: 1\n", 22, "Anna", 2, 1},
        // 258 keeps its low 8 bits; -1 is 255, beyond the two languages
        {"TIMER: 10\nNAME:Bob\nSKIN: 258\nTEXTS: -1\n", FASTEST_FRAME_DELAY, "Bob", 2, 0},
        {"TIMER:22\r\nNAME: x\r\nSKIN: 3\r\nTEXTS: +1 extra\r\n", 22, "x", 0, 1},
        {"TIMER: 40\nNAME: a\nSKIN: 99999999999999999999999\nTEXTS: 1\n",
         SLOWEST_FRAME_DELAY, "a", 0, 1},
        {"TIMER: 21\nNAME:\n", 21, "jmeno", 0, 0},
        {"NAME: Eva\nTIMER: 21\nSKIN: 1\nTEXTS: 1\n", 25, "jmeno", 1, 1},
        {"timer: 21\nNAME: Eva\n SKIN: 1\nTEXTS 1\n", 25, "Eva", 0, 0},
        {"", 25, "jmeno", 0, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        read_config_text(c.text);
        EXPECT_TRUE(config_read);
        EXPECT_EQ(frame_delay, c.delay);
        EXPECT_STREQ(player_name, c.name);
        EXPECT_EQ(skin_index, c.skin);
        EXPECT_EQ(language_index, c.language);
    }
}

// The later settings follow the four in any order; a four-line file keeps their defaults, a
// value out of range is held inside it, and the written file gives them back.
TEST_F(Config, LaterSettingsFollowTheFourAndComeBackWhenWritten)
{
    read_config_text("TIMER: 21\nNAME: Eva\nSKIN: 1\nTEXTS: 1\n");
    EXPECT_EQ(sound_volume, DEFAULT_SOUND_VOLUME);
    EXPECT_EQ(music_volume, DEFAULT_MUSIC_VOLUME);
    EXPECT_TRUE(fullscreen);
    read_config_text("TIMER: 21\nNAME: Eva\nSKIN: 1\nTEXTS: 1\nFULLSCREEN: 0\nMUSIC: 99\nSOUND: -4\n");
    EXPECT_EQ(skin_index, 1);
    EXPECT_EQ(sound_volume, 0);
    EXPECT_EQ(music_volume, MAX_VOLUME);
    EXPECT_FALSE(fullscreen);
    sound_volume = 3;
    write_config("test.cfg");
    EXPECT_EQ(read_file("test.cfg"),
              "TIMER: 21\nNAME: Eva\nSKIN: 1\nTEXTS: 1\nSOUND: 3\nMUSIC: 10\nFULLSCREEN: 0");
    sound_volume = music_volume = 5;
    fullscreen = true;
    read_config("test.cfg");
    EXPECT_EQ(sound_volume, 3);
    EXPECT_EQ(music_volume, MAX_VOLUME);
    EXPECT_FALSE(fullscreen);
}

TEST_F(Config, LongLinesAndNamesStayInTheirBuffers)
{
    std::string long_name(10000, 'n');
    read_config_text("TIMER: 21\nNAME: " + long_name + "\nSKIN: 1\nTEXTS: 1\n");
    EXPECT_EQ(frame_delay, 21);
    EXPECT_EQ(std::string(player_name), std::string(NAME_SIZE - 1, 'n'));
    EXPECT_EQ(skin_index, 1);
    EXPECT_EQ(language_index, 1);
}

TEST_F(Config, WrittenFileEndsAfterTheLastSettingAndReadsBackTheSame)
{
    reset_config_state();
    frame_delay = 23;
    snprintf(player_name, NAME_SIZE, "Player");
    skin_index = 1;
    language_index = 1;
    write_config("test.cfg");
    EXPECT_EQ(read_file("test.cfg"), "TIMER: 23\nNAME: Player\nSKIN: 1\nTEXTS: 1\nSOUND: 8\nMUSIC: 6\nFULLSCREEN: 1");

    read_config("test.cfg");
    EXPECT_EQ(frame_delay, 23);
    EXPECT_STREQ(player_name, "Player");
    EXPECT_EQ(skin_index, 1);
    EXPECT_EQ(language_index, 1);

    // The longest name comes back whole, however often it is written and read.
    std::string longest(NAME_SIZE - 1, 'L');
    snprintf(player_name, NAME_SIZE, "%s", longest.c_str());
    for (int i = 0; i < 2; i++) {
        write_config("test.cfg");
        read_config("test.cfg");
    }
    EXPECT_EQ(player_name, longest);

    // A name with blanks comes back as its first word.
    snprintf(player_name, NAME_SIZE, "Anna Maria");
    write_config("test.cfg");
    read_config("test.cfg");
    EXPECT_STREQ(player_name, "Anna");
}

TEST_F(ConfigDeathTest, AMissingFileEndsTheProgramWithItsMessage)
{
    reset_config_state();
    EXPECT_EXIT((stdout_to_stderr(), read_config("data/gobrant.cfg")),
                testing::ExitedWithCode(1), "^ERROR opening file data/gobrant.cfg\n$");
}

TEST_F(ConfigDeathTest, AFailedWriteSaysWhatFailedAndLeavesTheOldFileWhole)
{
    reset_config_state();
    testing::internal::CaptureStdout();
    EXPECT_EQ(write_config("nowhere/gobrant.cfg"), 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "ERROR opening file nowhere/gobrant.cfg\n");

    write_file("test.cfg", "TIMER: 21\nNAME: Old\nSKIN: 0\nTEXTS: 0");
    snprintf(player_name, NAME_SIZE, "%s", std::string(200, 'z').c_str());
    // The disk fills up halfway: the file size limit stops the 230-byte file after 100 bytes
    // (and leaves room for the message in the death test's capture of standard error).
    auto write_on_a_full_disk = [] {
        stdout_to_stderr();
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{100, 100};
        setrlimit(RLIMIT_FSIZE, &limit);
        exit(write_config("test.cfg"));
    };
    EXPECT_EXIT(write_on_a_full_disk(), testing::ExitedWithCode(1),
                "^ERROR writing file test.cfg: File too large\n$");
    EXPECT_EQ(read_file("test.cfg"), "TIMER: 21\nNAME: Old\nSKIN: 0\nTEXTS: 0");
    EXPECT_EQ(system("test $(ls -A | wc -l) -eq 1"), 0) << "a temporary file was left behind";
}
