// SPDX-License-Identifier: GPL-3.0-or-later
// save_faults_test.cpp: the quit sequence's saves in child processes killed at each step of
// the saves, on a read-only data folder and on a full disk.
#include <gtest/gtest.h>
#include <cerrno>
#include <csignal>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include "test_support.h"
#include "files.h"
#include "frame.h"
#include "world.h"

// The steps of a save that reach the disk (the sync of a file or folder, the rename) are
// wrapped at link time (-Wl,--wrap): a child armed with stop_at_step stops itself just
// before and just after each, so that the test can kill it at exactly that moment.
extern "C" int __real_fsync(int fd);
extern "C" int __real_rename(const char *from, const char *to);
static int stop_at_step = -1;   // -1: never; otherwise the step boundary to stop at
static int steps_passed = 0;

static void step_boundary()
{
    if (steps_passed++ == stop_at_step)
        raise(SIGSTOP);
}

extern "C" int __wrap_fsync(int fd)
{
    step_boundary();
    int result = __real_fsync(fd);
    step_boundary();
    return result;
}

extern "C" int __wrap_rename(const char *from, const char *to)
{
    step_boundary();
    int result = __real_rename(from, to);
    step_boundary();
    return result;
}

namespace {

const char OLD_CONFIG[] = "TIMER: 21\nNAME: Old\nSKIN: 0\nTEXTS: 0";
const char OLD_SCORES[] = "Ann|500\nBob|400\n";

void write_old_files()
{
    write_file(CONFIG_PATH, OLD_CONFIG);
    write_file(HIGH_SCORES_PATH, OLD_SCORES);
}

// A scratch tree holding only data/ with the old stored files.
std::string enter_data_tree()
{
    std::string dir = enter_scratch_tree(false);
    mkdir("data", 0755);
    write_old_files();
    return dir;
}

// Forks a game process that reads the stored files, takes a new best score and a new name,
// runs `prepare`, writes a byte to ready_fd and ends with exit(0), so that the quit sequence
// saves both files. Its standard output goes to out_path.
pid_t start_quitting_game(int ready_fd, const std::string &out_path, void (*prepare)() = nullptr)
{
    pid_t pid = fork();
    if (pid != 0)
        return pid;
    steps_passed = 0;   // the saves of earlier tests in this process passed steps too
    if (!freopen(out_path.c_str(), "w", stdout))
        _exit(5);
    read_stored_files();
    snprintf(player_name, NAME_SIZE, "Newcomer");
    high_scores[0] = {"Newcomer", 900};
    score = 0;
    if (prepare)
        prepare();
    atexit(shutdown_game);
    if (ready_fd >= 0 && write(ready_fd, "r", 1) != 1)
        _exit(6);
    exit(0);
}

int wait_status(pid_t pid)
{
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

// Runs a quitting game to its end; its exit status, its output in `output`.
int run_quitting_game(std::string &output, void (*prepare)() = nullptr)
{
    std::string out_path = scratch_root() + "/save-faults-" + std::to_string(getpid());
    int status = wait_status(start_quitting_game(-1, out_path, prepare));
    output = read_file(out_path);
    unlink(out_path.c_str());
    return status;
}

// Mounts a tmpfs of `size` on data/ and writes the old files onto it, where the test may
// mount one (as root); it is unmounted when the returned guard goes.
struct DataDisk {
    bool mounted;
    explicit DataDisk(const char *size)
        : mounted(mount("tmpfs", "data", "tmpfs", 0, (std::string("size=") + size).c_str()) == 0)
    {
        if (mounted)
            write_old_files();
    }
    ~DataDisk()
    {
        if (mounted)
            umount2("data", MNT_DETACH);
    }
};

int entries_in(const char *folder)
{
    return system(("exit $(ls -A '" + std::string(folder) + "' | wc -l)").c_str()) >> 8;
}

} // namespace

// SIGKILL at every step boundary of the saves, from the first sync to the end of the last save:
// each stored file is always its old or its new version, whole;
// the temporary files that kills leave are gone after the next save. On a tmpfs where
// possible, whose syncs cost nothing.
TEST(SaveFaults, KillsAtEachStepOfTheQuitSequenceLeaveEachFileOldOrNewAndWhole)
{
    enter_data_tree();
    DataDisk disk("1m");
    ASSERT_EQ(wait_status(start_quitting_game(-1, "/dev/null")), 0);
    const std::string new_config = read_file(CONFIG_PATH), new_scores = read_file(HIGH_SCORES_PATH);
    ASSERT_NE(new_config, OLD_CONFIG);
    ASSERT_NE(new_scores, OLD_SCORES);

    // Kill n at the n-th step boundary (0: just before the first sync, when both saves have
    // only written temporary files); the first child that ends without stopping has passed them all.
    int kills = 0, mixed = 0;
    for (int moment = 0;; moment++) {
        write_old_files();
        stop_at_step = moment;
        pid_t pid = start_quitting_game(-1, "/dev/null");
        stop_at_step = -1;
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, WUNTRACED), pid);
        if (WIFEXITED(status)) {
            EXPECT_EQ(WEXITSTATUS(status), 0);
            EXPECT_EQ(read_file(CONFIG_PATH), new_config);
            EXPECT_EQ(read_file(HIGH_SCORES_PATH), new_scores);
            break;
        }
        ASSERT_TRUE(WIFSTOPPED(status)) << "moment " << moment;
        kill(pid, SIGKILL);
        wait_status(pid);
        kills++;
        std::string config = read_file(CONFIG_PATH), scores = read_file(HIGH_SCORES_PATH);
        ASSERT_TRUE(config == OLD_CONFIG || config == new_config) << "moment " << moment << ":\n" << config;
        ASSERT_TRUE(scores == OLD_SCORES || scores == new_scores) << "moment " << moment << ":\n" << scores;
        if (moment == 0) {
            EXPECT_TRUE(config == OLD_CONFIG && scores == OLD_SCORES) << "a save before the first sync";
        }
        mixed += (config == OLD_CONFIG) != (scores == OLD_SCORES);
    }
    // Each of the two saves has at least a file sync, a rename and a folder sync.
    EXPECT_GE(kills, 2 * 3 * 2);
    EXPECT_GT(mixed, 0) << "no kill came between the two saves";

    std::string output;
    ASSERT_EQ(run_quitting_game(output), 0) << output;
    EXPECT_EQ(entries_in("data"), 2) << "temporary files were left";
}

// A data folder the game may not write to: both saves are tried, both old files stay byte
// for byte, the messages name the files and the status is 1. A root process, which may write
// anywhere, runs the game as the unprivileged user "nobody".
TEST(SaveFaults, AReadOnlyDataFolderKeepsTheOldFilesAndEndsWithStatusOne)
{
    std::string dir = enter_data_tree();
    chmod(dir.c_str(), 0755);
    chmod("data", 0555);
    std::string output;
    int status = run_quitting_game(output, [] {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(7);
    });
    chmod("data", 0755);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(output, "ERROR opening file data/highscores.txt\n\nERROR opening file data/gobrant.cfg\n");
    EXPECT_EQ(read_file(CONFIG_PATH), OLD_CONFIG);
    EXPECT_EQ(read_file(HIGH_SCORES_PATH), OLD_SCORES);
}

// A full disk: a small file system filled to the last byte where the test may mount one,
// otherwise the save code's seam failing the sync of every written file as a full disk does.
TEST(SaveFaults, AFullDiskKeepsTheOldFilesAndEndsWithStatusOne)
{
    enter_data_tree();
    DataDisk disk("64k");
    bool mounted = disk.mounted;
    if (mounted) {
        FILE *filler = fopen("data/filler", "w");
        ASSERT_NE(filler, nullptr);
        while (fputc('x', filler) != EOF && fflush(filler) == 0) {
        }
        fclose(filler);
    }
    std::string output;
    int status = run_quitting_game(output, mounted ? nullptr : +[] { set_test_write_failure(ENOSPC); });
    EXPECT_EQ(status, 1);
    EXPECT_EQ(output, "ERROR writing file data/highscores.txt: No space left on device\n\n"
                      "ERROR writing file data/gobrant.cfg: No space left on device\n");
    EXPECT_EQ(read_file(CONFIG_PATH), OLD_CONFIG);
    EXPECT_EQ(read_file(HIGH_SCORES_PATH), OLD_SCORES);
    EXPECT_EQ(entries_in("data"), mounted ? 3 : 2) << "temporary files were left";
}
