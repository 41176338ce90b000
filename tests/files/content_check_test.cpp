// SPDX-License-Identifier: GPL-3.0-or-later
// content_check_test.cpp: the shipped content passes the content check, and a fault of each
// kind planted in a scratch copy of it is reported at its file and line.
#include "checks.h"
#include "files.h"
#include "world.h"
#include "test_support.h"
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Replaces text entry `entry` of a language file (content lines counted as the game does).
void set_text(const std::string &file, int entry, const std::string &text)
{
    std::string all = read_file(file), out;
    int content = 0;
    for (const std::string &line : split_lines(all)) {
        bool is_content = is_content_line(line);
        out += (is_content && content == entry ? text : line) + "\n";
        content += is_content;
    }
    write_file(file, out);
}

const char *const EN = "data/texts/meadow_en.txt";

struct Planted {
    void (*plant)();
    const char *where;      // the start of the fault line the check must print
    const char *what;       // and a piece of the rest of it
};

const Planted PLANTED[] = {
    {[] { unlink("skins/skins.txt"); }, "./skins/skins.txt:1:", "cannot be read"},
    {[] { write_file("data/texts.txt", "# none\n"); }, "./data/texts.txt:1:", "names no languages"},
    {[] { write_file("maps/AAA_maplist.txt", "# levels\n\ngone.txt\n"); },
     "./maps/AAA_maplist.txt:3:", "names maps/gone.txt, which cannot be read"},
    // The game's own name rule; only regular files are read, and none larger than a valid
    // one: a FIFO, a device or a huge map is refused before reading (it would hang the check).
    {[] { write_file("maps/AAA_maplist.txt", "level01.txt\n../maps/level02.txt\n"); },
     "./maps/AAA_maplist.txt:2:", "not a plain name: ../maps/level02.txt"},
    {[] {
         mkfifo("maps/fifo.txt", 0600);
         write_file("maps/AAA_maplist.txt", "fifo.txt\n");
     },
     "./maps/AAA_maplist.txt:1:", "names maps/fifo.txt, which is not a regular file"},
    {[] {
         write_file("maps/huge.txt", "1");
         truncate("maps/huge.txt", 200 << 20);
         write_file("maps/AAA_maplist.txt", "huge.txt\n");
     },
     "./maps/AAA_maplist.txt:1:", "which is larger than any valid file"},
    {[] {
         unlink("skins/meadow/boost.bmp");
         symlink("/dev/zero", "skins/meadow/boost.bmp");
     },
     "./skins/meadow/boost.bmp:1:", "is not a regular file"},
    {[] { write_file("data/menumap.txt", "1111\n"); }, "./data/menumap.txt:1:", "has 1 rows, not 24"},
    {[] {
         write_map("bad.txt", {"1111111", "1300021", "1111111"});
         write_file("maps/AAA_maplist.txt", "bad.txt\n");
     },
     "./maps/bad.txt:2:", "has 0 enemy starts, not 1 to 6"},
    {[] { unlink("skins/meadow/boost.bmp"); }, "./skins/meadow/boost.bmp:1:", "is missing"},
    {[] { save_flat_bmp("skins/circuit/zed.bmp", 30, 32, 0, 0, 200); },
     "./skins/circuit/zed.bmp:1:", "is 30x32; the game draws it 32x32"},
    {[] { save_flat_bmp("skins/meadow/nuzky.bmp", 48, 32, 0, 255, 0); },
     "./skins/meadow/nuzky.bmp:1:", "is 48x32; the game draws it 32x32 or 64x32"},
    {[] { save_flat_bmp("data/font.bmp", 40, 20, 255, 0, 255); },
     "./data/font.bmp:1:", "has 1 glyph markers in its top row; the font needs 125"},
    {[] { set_text(EN, TEXT_ITEM_QUIT, "# the last text made a comment"); },
     "./data/texts/meadow_en.txt:43:", "has 42 texts; the game reads exactly 43"},
    {[] { set_text(EN, TEXT_PAUSE, "Pause \xE4"); },
     "./data/texts/meadow_en.txt:27:", "character 228 (0xE4) has no glyph in the font"},
    // A line that starts with a zero byte is no text: the faults after it keep their lines.
    {[] {
         write_file(EN, std::string("\0skipped\n", 9) + read_file(EN));
         set_text(EN, TEXT_PAUSE, "Pause \xE4");
     },
     "./data/texts/meadow_en.txt:28:", "character 228 (0xE4) has no glyph in the font"},
    {[] { set_text(EN, TEXT_LEGEND_ENEMY, std::string(40, 'm')); },
     "./data/texts/meadow_en.txt:14:", "drawn 80 px into the legend it has room for"},
    {[] { set_text(EN, TEXT_ITEM_CONTINUE, "Continue the game you were playing"); },
     "./data/texts/meadow_en.txt:38:", "px wide, wider than the main menu's box"},
    {[] { set_text(EN, TEXT_LEVEL_DONE, std::string(90, 'm')); },
     "./data/texts/meadow_en.txt:26:", "its message box would leave the screen"},
    {[] { set_text(EN, TEXT_FPS_LABEL, "Frames per second:"); },
     "./data/texts/meadow_en.txt:22:", "runs into the frame rate at x 60"},
    {[] { set_text(EN, TEXT_OPTION_SPEED, "The speed of the game"); },
     "./data/texts/meadow_en.txt:33:", "into the arrows of the options menu"},
    {[] { set_text(EN, TEXT_SCORE_LABEL, std::string(40, 'm')); },
     "./data/texts/meadow_en.txt:21:", "a score of 999999 after it would leave the screen"},
    {[] { set_text(EN, TEXT_LIVES_LABEL, std::string(40, 'm')); },
     "./data/texts/meadow_en.txt:20:", "life icons after it would leave the screen"},
    {[] { set_text(EN, TEXT_SCORE_LABEL, std::string(20, 'm')); },
     "./data/texts/meadow_en.txt:21:", "wider than the end-of-run box"},
};

} // namespace

TEST(ContentCheck, ShippedContentIsFine)
{
    for (const ContentFault &fault : check_content(std::string(SOURCE_DIR) + "/content"))
        ADD_FAILURE() << fault_line(fault);
}

TEST(ContentCheck, EachPlantedFaultIsReportedAtItsFileAndLine)
{
    for (const Planted &planted : PLANTED) {
        std::string root = enter_scratch_tree();
        planted.plant();
        std::string report;
        bool found = false;
        for (const ContentFault &fault : check_content(".")) {
            std::string line = fault_line(fault);
            report += line + "\n";
            found = found || (line.rfind(planted.where, 0) == 0 && line.find(planted.what) != std::string::npos);
        }
        EXPECT_TRUE(found) << "expected " << planted.where << " " << planted.what << " in:\n" << report;
        leave_scratch_tree(root);
    }
}

// A player's pack of one plain map uses few cell kinds: that is a note, not a fault. A text
// file saved as UTF-8 gets one fault naming its encoding, not one per accented character.
TEST(ContentCheck, APlayersPackIsJudgedByItsOwnFaults)
{
    std::string root = enter_scratch_tree();
    write_file("maps/AAA_maplist.txt", "level01.txt\n");   // no floor, life or teleports
    set_text(EN, TEXT_PAUSE, "Pauza \xC3\xA1");
    set_text(EN, TEXT_LEVEL_DONE, "Hotovo \xC4\x9B");
    int notes = 0, in_en = 0;
    std::string report;
    for (const ContentFault &fault : check_content(".")) {
        report += fault_line(fault) + "\n";
        notes += fault.note;
        if (!fault.note)
            in_en += fault.file == std::string("./") + EN && fault.what.find("is UTF-8") != std::string::npos ? 1 : 100;
    }
    EXPECT_GT(notes, 0) << report;
    EXPECT_EQ(in_en, 1) << report;
    leave_scratch_tree(root);
}
