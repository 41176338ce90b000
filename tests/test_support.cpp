// test_support.cpp: shared helpers for the tests (see test_support.h).
#include "test_support.h"
#include "frame.h"
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

const char *const SOURCE_DIR = GOBRANT_SOURCE_DIR;

void open_test_screen()
{
    if (screen)
        return;
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO) < 0)
        throw std::runtime_error(SDL_GetError());
    screen = SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, SCREEN_DEPTH, SDL_SWSURFACE);
    if (!screen)
        throw std::runtime_error(SDL_GetError());
}

std::string enter_scratch_tree(bool copy_content)
{
    char pattern[] = "/tmp/gobrant-test-XXXXXX";
    const char *dir = mkdtemp(pattern);
    if (!dir)
        throw std::runtime_error("mkdtemp failed");
    std::string path = dir;
    if (copy_content) {
        std::string command = "cp -r '" + std::string(SOURCE_DIR) + "/content/.' '" + path + "'";
        if (system(command.c_str()) != 0)
            throw std::runtime_error("copying the content tree failed");
    }
    if (chdir(path.c_str()) != 0)
        throw std::runtime_error("chdir failed");
    return path;
}

std::string read_file(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void write_file(const std::string &path, const std::string &text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

int run_game_binary(const std::string &dir, std::string &output, int term_after_ms)
{
    std::string out_path = dir + "/.stdout";
    pid_t pid = fork();
    if (pid == 0) {
        if (chdir(dir.c_str()) != 0)
            _exit(127);
        FILE *out = freopen(out_path.c_str(), "w", stdout);
        if (!out)
            _exit(127);
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        execl(GOBRANT_BINARY, GOBRANT_BINARY, (char *)nullptr);
        _exit(127);
    }
    if (term_after_ms > 0) {
        usleep(term_after_ms * 1000);
        kill(pid, SIGTERM);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    output = read_file(out_path);
    unlink(out_path.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
