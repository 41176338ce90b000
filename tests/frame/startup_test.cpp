// SPDX-License-Identifier: GPL-3.0-or-later
// startup_test.cpp: start-up and the quit sequence: the built game run in a scratch copy of
// the content tree, and the quit sequence run inside child processes.
#include <gtest/gtest.h>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include "test_support.h"
#include "test_skins.h"
#include "files.h"
#include "frame.h"
#include "gfx.h"
#include "menus.h"
#include "world.h"

// Stored files in a form the game never writes (a comment, CR LF line ends), so that any
// rewrite shows.
static const char STORED_CONFIG[] = "# settings\r\nTIMER: 22\r\nNAME: Tester\r\nSKIN: 1\r\nTEXTS: 0\r\n";
static const char STORED_SCORES[] = "# best runs\r\nAnn|500\r\nBob|400\r\n";
static const char WRITTEN_CONFIG[] = "TIMER: 22\nNAME: Tester\nSKIN: 1\nTEXTS: 0\nSOUND: 8\nMUSIC: 6\nFULLSCREEN: 1";

// The table as the game writes it: `first_lines`, then empty entries up to ten lines.
static std::string written_scores(const std::string &first_lines)
{
    std::string text = first_lines;
    while (std::count(text.begin(), text.end(), '\n') < HIGH_SCORE_COUNT)
        text += "|0\n";
    return text;
}

static std::string scratch_with_stored_files()
{
    std::string dir = enter_scratch_tree();
    write_file(dir + "/data/gobrant.cfg", STORED_CONFIG);
    write_file(dir + "/data/highscores.txt", STORED_SCORES);
    return dir;
}

// Both stored files written back in the game's own formats.
static void expect_stored_files_rewritten(const std::string &dir)
{
    EXPECT_EQ(read_file(dir + "/data/gobrant.cfg"), WRITTEN_CONFIG);
    EXPECT_EQ(read_file(dir + "/data/highscores.txt"), written_scores("Ann|500\nBob|400\n"));
}

static void expect_stored_files_untouched(const std::string &dir)
{
    EXPECT_EQ(read_file(dir + "/data/gobrant.cfg"), STORED_CONFIG);
    EXPECT_EQ(read_file(dir + "/data/highscores.txt"), STORED_SCORES);
}

// A missing or empty list ends start-up with its message before any stored file is touched.
TEST(StartupBinary, MissingOrEmptyListsEndWithTheirMessageAndLeaveTheFilesAlone)
{
    struct Case { const char *file, *content, *message; } cases[] = {
        {"/skins/skins.txt", nullptr, "ERROR opening file skins/skins.txt\n"},
        {"/skins/skins.txt", "# no skins yet\n\n", "ERROR no skins in skins/skins.txt\n"},
        {"/data/texts.txt", "", "ERROR no languages in data/texts.txt\n"},
    };
    for (const Case &c : cases) {
        std::string dir = scratch_with_stored_files();
        if (c.content)
            write_file(dir + c.file, c.content);
        else
            remove((dir + c.file).c_str());
        std::string output;
        EXPECT_EQ(run_game_binary(dir, output), 1) << c.message;
        EXPECT_EQ(output, c.message);
        expect_stored_files_untouched(dir);
    }
}

TEST(StartupBinary, MissingMenuMapEndsStartUp)
{
    std::string dir = scratch_with_stored_files();
    remove((dir + "/data/menumap.txt").c_str());
    std::string output;
    EXPECT_EQ(run_game_binary(dir, output), 1);
    EXPECT_NE(output.find("ERROR opening file data/menumap.txt\n\n"), std::string::npos) << output;
    // the configuration was read by then: both files are written back from what was read
    expect_stored_files_rewritten(dir);
}

// SIGTERM reaches the game as a quit event; the quit sequence writes both files back in
// their own formats.
TEST(StartupBinary, TerminatedGameQuitsAndWritesItsFiles)
{
    std::string dir = scratch_with_stored_files();
    std::string output;
    EXPECT_EQ(run_game_binary(dir, output, true), 0) << output;
    expect_stored_files_rewritten(dir);
}

// The game relies on SDL turning SIGTERM into a quit event under every driver.
TEST(Startup, TerminationSignalArrivesAsAQuitEvent)
{
    open_test_screen();
    EXPECT_EXIT(
        {
            drain_events();
            raise(SIGTERM);
            bool quit_seen = false;
            for (int i = 0; i < 200 && !quit_seen; i++)
                quit_seen = poll_event_or_rest() && event.type == SDL_QUIT;
            exit(quit_seen ? 3 : 4);
        },
        testing::ExitedWithCode(3), "");
}

TEST(Startup, VideoModeIsTheFullScreen1024By768In16Bits)
{
    open_test_screen();
    EXPECT_EXIT(
        {
            bool ok = set_video_mode() == 0 && screen->w == 1024 && screen->h == 768 &&
                      screen->format->BitsPerPixel == 16 && (screen->flags & SDL_FULLSCREEN);
            exit(ok ? 3 : 4);
        },
        testing::ExitedWithCode(3), "");
}

// SDL refusing to start: its message, status 1, and neither stored file touched.
TEST(Startup, FailingSdlStartEndsWithStatusOneBeforeTheQuitSequence)
{
    open_test_screen();
    std::string dir = scratch_with_stored_files();
    std::string out_path = dir + "/out.txt";
    EXPECT_EXIT(
        {
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
            setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
            if (!freopen(out_path.c_str(), "w", stdout))
                exit(5);
            start_game();
            exit(6);
        },
        testing::ExitedWithCode(1), "");
    EXPECT_EQ(read_file(out_path).rfind("\nERROR inicializace SDL ", 0), 0u) << read_file(out_path);
    expect_stored_files_untouched(dir);
}

// The quit sequence as the game runs it: registered with atexit, started by exit.
TEST(QuitSequence, WritesBackOnlyFilesThatWereRead)
{
    open_test_screen();
    std::string dir = scratch_with_stored_files();
    EXPECT_EXIT(
        {
            score = 0;
            high_scores_read = true;   // read at start-up, but the configuration never was
            config_read = false;
            atexit(shutdown_game);
            exit(0);
        },
        testing::ExitedWithCode(0), "");
    expect_stored_files_untouched(dir);

    EXPECT_EXIT(
        {
            score = 0;
            read_stored_files();
            atexit(shutdown_game);
            exit(0);
        },
        testing::ExitedWithCode(0), "");
    expect_stored_files_rewritten(dir);
}

// Either stored file that cannot be written (a folder in its place) ends the process with
// status 1, after the other file was written all the same.
TEST(QuitSequence, EitherUnwritableFileEndsWithStatusOneAfterBothWereTried)
{
    open_test_screen();
    for (const char *blocked : {CONFIG_PATH, HIGH_SCORES_PATH}) {
        std::string dir = scratch_with_stored_files();
        std::string path = dir + "/" + blocked;
        EXPECT_EXIT(
            {
                score = 0;
                read_stored_files();
                remove(path.c_str());
                system(("mkdir -p '" + path + "/in_the_way'").c_str());
                atexit(shutdown_game);
                exit(0);
            },
            testing::ExitedWithCode(1), "") << blocked;
        if (blocked == CONFIG_PATH)
            EXPECT_EQ(read_file(dir + "/data/highscores.txt"), written_scores("Ann|500\nBob|400\n"));
        else
            EXPECT_EQ(read_file(dir + "/data/gobrant.cfg"), WRITTEN_CONFIG);
    }
}

// A run left with a good score offers the name entry; a quit request while it is open takes
// the name typed so far, writes both files once and ends with status 0.
TEST(QuitSequence, QuitDuringTheNameEntryKeepsTheTypedName)
{
    open_test_screen();
    std::string dir = scratch_with_stored_files();
    EXPECT_EXIT(
        {
            install_synthetic_skin();
            read_stored_files();
            score = 450;
            drain_events();
            push_key(SDLK_a);
            push_key(SDLK_b);
            push_key(SDLK_F4, KMOD_LALT);
            push_event_of_type(SDL_QUIT);
            push_key(SDLK_c);
            atexit(shutdown_game);
            exit(0);
        },
        testing::ExitedWithCode(0), "");
    EXPECT_EQ(read_file(dir + "/data/highscores.txt"),
              written_scores("Ann|500\nTesterab|450\nBob|400\n"));
    EXPECT_EQ(read_file(dir + "/data/gobrant.cfg"), "TIMER: 22\nNAME: Testerab\nSKIN: 1\nTEXTS: 0\nSOUND: 8\nMUSIC: 6\nFULLSCREEN: 1");
}

// A fatal exit (not through a quit request) cannot open the name entry where nothing can wait
// inside exit (the web build), nor once the font is gone: the score enters the table under
// the configured name, the keys queued for an entry unread, and is saved.
TEST(QuitSequence, AFatalExitThatCannotAskEntersTheScoreUnderTheConfiguredName)
{
    open_test_screen();
    for (bool font_gone : {false, true}) {
        std::string dir = scratch_with_stored_files();
        EXPECT_EXIT(
            {
                install_synthetic_skin();
                read_stored_files();
                exit_cannot_wait = !font_gone;
                if (font_gone)
                    free_skin();
                score = 450;
                drain_events();
                push_keys({SDLK_a, SDLK_RETURN});
                atexit(shutdown_game);
                exit(1);
            },
            testing::ExitedWithCode(1), "") << "font gone: " << font_gone;
        EXPECT_EQ(read_file(dir + "/data/highscores.txt"),
                  written_scores("Ann|500\nTester|450\nBob|400\n"));
    }
}

// Everything start-up loaded is released, and a second run of the sequence does nothing.
TEST(QuitSequence, ReleasesEverythingOnce)
{
    open_test_screen();
    enter_scratch_tree(false);
    EXPECT_EXIT(
        {
            install_synthetic_skin();
            high_scores_read = config_read = false;
            skin_list.assign(1, "skin");
            language_list.assign(1, "language");
            map_list.assign(1, "one.txt");
            texts[TEXT_LEGEND_EXTRA_LIFE] = "seven";
            enemies.assign(3, Actor());
            enemy_count = 3;
            high_scores[0].first = "Ann";
            score = 0;
            shutdown_game();
            shutdown_game();
            bool released = skin_list.empty() && language_list.empty() && map_list.empty() &&
                            texts[TEXT_LEGEND_EXTRA_LIFE].empty() && enemies.empty() && enemy_count == 0 &&
                            high_scores[0].first.empty() && !font && !tile_sprites[0] &&
                            !player_sprites[1] && !screen && quit_in_progress;
            _exit(released ? 3 : 4);
        },
        testing::ExitedWithCode(3), "");
}

TEST(QuitSequence, QuitRequestExitsOnlyOutsideTheSequence)
{
    EXPECT_EXIT(request_quit(), testing::ExitedWithCode(0), "");
    quit_in_progress = true;
    request_quit();
    EXPECT_TRUE(quit_requested);
}

// What the player changes is saved when it changes, with no quit: on leaving the options menu
// and once a name is entered for a new best score. A quit's own name entry runs before exit:
// the table holds the typed name when the exit handlers start.
TEST(SavingOnChange, OptionsAndNamesAreSavedAtOnceAndTheQuitEntryRunsBeforeExit)
{
    menu_test::set_up_menus();
    std::string dir = scratch_with_stored_files();
    read_stored_files();
    push_keys({SDLK_RIGHT, SDLK_ESCAPE});   // one step faster on the speed row, then leave
    options_menu(80);
    EXPECT_EQ(read_file(dir + "/data/gobrant.cfg"), "TIMER: 21\nNAME: Tester\nSKIN: 1\nTEXTS: 0\nSOUND: 8\nMUSIC: 6\nFULLSCREEN: 1");

    score = 450;
    push_keys({SDLK_a, SDLK_RETURN});
    enter_high_score();
    EXPECT_EQ(read_file(dir + "/data/highscores.txt"), written_scores("Ann|500\nTestera|450\nBob|400\n"));

    EXPECT_EXIT(
        {
            score = 420;
            push_keys({SDLK_b, SDLK_RETURN});
            atexit(shutdown_game);
            check_at_exit([] { return high_scores[2].first == "Testerab"; },
                          "the name entry had not run before exit");
            request_quit();
        },
        testing::ExitedWithCode(0), "");
    EXPECT_EQ(read_file(dir + "/data/highscores.txt"),
              written_scores("Ann|500\nTestera|450\nTesterab|420\nBob|400\n"));
}
