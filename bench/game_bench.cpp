// SPDX-License-Identifier: GPL-3.0-or-later
// game_bench.cpp: the game's benchmarks on the dummy driver, each beside its physical floor
// (the raw blits and fills that the same work makes, replayed straight into SDL on the same
// surfaces, or the bare SDL reads of the same files), ending with a table of the ratios.
#include <benchmark/benchmark.h>
#include "bench_support.h"
#include "files.h"
#include "frame.h"
#include "gfx.h"
#include "menus.h"
#include "world.h"
#include <ctime>
#include <cstdio>
#include <map>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const int FRAMES_PER_BATCH = 400;   // play frames per measured batch: about 10 s of play
const char *const PER_COUNTER = "per";   // how many pieces one iteration measures

void enter_content_once()
{
    static bool entered = false;
    if (entered)
        return;
    enter_shipped_content();
    set_test_clock(1000, 1);   // waiting screens then move the clock on instead of sleeping
    entered = true;
}

// --- Start-up, measured in a fresh child process per iteration ---

int child_pipe = -1;

double child_start;

// SDL flips inside SDL_SetVideoMode too; the game's own first flip comes after `screen` is set.
void report_child_time_and_leave()
{
    if (!screen)
        return;
    double seconds = clock_seconds(CLOCK_PROCESS_CPUTIME_ID) - child_start;
    if (write(child_pipe, &seconds, sizeof seconds) != sizeof seconds)
        _exit(2);
    _exit(0);
}

// Runs `work` in a child on the dummy driver in the content tree; the child reports the
// processor time from its start to its first flip (or to the end of `work`) and ends there.
double time_in_child(void (*work)())
{
    int ends[2];
    if (pipe(ends) != 0)
        return 0;
    pid_t child = fork();
    if (child == 0) {
        close(ends[0]);
        child_pipe = ends[1];
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        if (chdir(GOBRANT_SOURCE_DIR "/content") != 0)
            _exit(2);
        flip_hook = report_child_time_and_leave;
        child_start = clock_seconds(CLOCK_PROCESS_CPUTIME_ID);
        work();
        report_child_time_and_leave();
    }
    close(ends[1]);
    double seconds = 0;
    if (read(ends[0], &seconds, sizeof seconds) != sizeof seconds)
        seconds = 0;
    close(ends[0]);
    waitpid(child, nullptr, 0);
    return seconds;
}

void run_in_children(benchmark::State &state, void (*work)())
{
    for (auto _ : state) {
        double seconds = time_in_child(work);
        if (seconds <= 0)
            state.SkipWithError("the child did not report");
        state.SetIterationTime(seconds);
    }
}

void start_video()
{
    if (SDL_Init(SDL_INIT_VIDEO) < 0 || set_video_mode() != 0)
        _exit(2);
}

void BM_StartUp(benchmark::State &state) { run_in_children(state, start_game); }
void BM_StartUp_VideoFloor(benchmark::State &state) { run_in_children(state, start_video); }

// --- Loads ---

void BM_SkinLoad(benchmark::State &state)
{
    enter_content_once();
    for (auto _ : state)
        load_skin();
}

// The font sheet and the skin's 18 bitmaps, read and converted by SDL alone.
void BM_SkinLoad_Floor(benchmark::State &state)
{
    enter_content_once();
    std::vector<std::string> paths = {std::string(FONT_DIRECTORY) + FONT_FILE};
    for (const SkinFile &file : SKIN_FILES)
        paths.push_back(std::string(skin_path) + file.name);
    for (auto _ : state)
        for (const std::string &path : paths) {
            SDL_Surface *loaded = SDL_LoadBMP(path.c_str());
            SDL_Surface *converted = SDL_DisplayFormat(loaded);
            SDL_FreeSurface(loaded);
            SDL_FreeSurface(converted);
        }
}

void BM_TextsLoad(benchmark::State &state)
{
    enter_content_once();
    for (auto _ : state)
        load_texts();
}

// The language file's bytes, read whole.
void BM_TextsLoad_Floor(benchmark::State &state)
{
    enter_content_once();
    load_texts();
    std::string path = text_buffer;   // the file load_texts has just read
    char bytes[1 << 16];
    for (auto _ : state) {
        FILE *file = fopen(path.c_str(), "rb");
        benchmark::DoNotOptimize(fread(bytes, 1, sizeof bytes, file));
        fclose(file);
    }
}

// --- Drawing and play: each piece beside the replay of its own recorded blits ---

int batch_frames = 0;   // frames of play in the last batch

struct Piece {
    void (*setup)();     // untimed, once
    void (*prepare)();   // untimed, before every run of the work
    void (*work)();
    int per;             // pieces per run of the work; 0: the frames of the last batch
};

void count_pieces(benchmark::State &state, const Piece &piece)
{
    state.counters[PER_COUNTER] = piece.per ? piece.per : batch_frames;
}

void figure(benchmark::State &state, Piece piece)
{
    enter_content_once();
    if (piece.setup)
        piece.setup();
    for (auto _ : state) {
        if (piece.prepare) {
            state.PauseTiming();
            piece.prepare();
            state.ResumeTiming();
        }
        piece.work();
    }
    count_pieces(state, piece);
}

void floor_of(benchmark::State &state, Piece piece)
{
    enter_content_once();
    if (piece.setup)
        piece.setup();
    if (piece.prepare)
        piece.prepare();
    std::vector<BlitOp> ops;
    record_blits(ops, piece.work);
    for (auto _ : state)
        replay_blits(ops);
    count_pieces(state, piece);
    state.counters["blits"] = double(ops.size()) / state.counters[PER_COUNTER];
}

void draw_level_maze() { draw_maze(level_map); }

int played_level = 0;
std::mt19937 player_random;

// The same start every batch: the level afresh, the enemy seed and the player's seed.
void prepare_play()
{
    start_play_on(played_level);
    player_random.seed(played_level + 1);
}

void play_batch()
{
    for (batch_frames = 0; batch_frames < FRAMES_PER_BATCH && !level_nearly_done(); batch_frames++) {
        push_random_player_key(player_random);
        handle_play_input();
        update_frame();
    }
}


// The main menu opens over a game in progress, is drawn and left with Continue.
void prepare_main_menu()
{
    if (lives == 0)
        start_play_on(0);
    push_key(SDLK_RETURN);
}

void prepare_options_menu() { push_key(SDLK_ESCAPE); }
void open_options_menu() { options_menu(0); }

// The map list alone, without starting SDL: start-up is measured in children forked from
// this process, which must not have started SDL yet.
void read_level_names()
{
    if (chdir(GOBRANT_SOURCE_DIR "/content") == 0)
        read_map_list(MAP_LIST_PATH);
}

// Registers the piece and its floor; `level` is the shipped level that prepare_play starts.
void register_with_floor(const std::string &name, Piece piece, int level = 0)
{
    benchmark::RegisterBenchmark(name.c_str(), [piece, level](benchmark::State &state) {
        played_level = level;
        figure(state, piece);
    });
    benchmark::RegisterBenchmark((name + "/floor").c_str(), [piece, level](benchmark::State &state) {
        played_level = level;
        floor_of(state, piece);
    });
}

// Collects every run's processor time per piece in milliseconds while the console shows
// them (the machine may be shared: processor time does not count the waits for a core).
// Runs timed by hand report a child's processor time as their real time.
class TableReporter : public benchmark::ConsoleReporter {
public:
    TableReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}
    std::map<std::string, double> ms;
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            auto per = run.counters.find(PER_COUNTER);
            double pieces = per == run.counters.end() ? 1 : double(per->second);
            std::string name = run.benchmark_name();
            bool by_hand = run.run_name.time_type == "manual_time";
            if (by_hand)
                name = name.substr(0, name.rfind("/manual_time"));
            double time = by_hand ? run.GetAdjustedRealTime() : run.GetAdjustedCPUTime();
            ms[name] = time / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e3 / pieces;
        }
    }
};

std::vector<std::string> figure_names;

void print_table(const std::map<std::string, double> &ms)
{
    printf("\n%-34s %12s %12s %8s\n", "figure", "ms", "floor ms", "ratio");
    for (const std::string &name : figure_names) {
        auto found = ms.find(name);
        if (found == ms.end())
            continue;
        double floor = 0;
        if (name == "start_up") {
            for (const char *part : {"start_up/video_floor", "skin_load/floor", "texts_load/floor",
                                     "draw_maze/floor"})
                floor += ms.count(part) ? ms.at(part) : 0;
        } else if (ms.count(name + "/floor")) {
            floor = ms.at(name + "/floor");
        }
        printf("%-34s %12.4f %12.4f %8.2f\n", name.c_str(), found->second, floor,
               floor > 0 ? found->second / floor : 0.0);
    }
}

} // namespace

int main(int argc, char **argv)
{
    benchmark::RegisterBenchmark("start_up", BM_StartUp)->UseManualTime()->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("start_up/video_floor", BM_StartUp_VideoFloor)
        ->UseManualTime()->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("skin_load", BM_SkinLoad)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("skin_load/floor", BM_SkinLoad_Floor)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("texts_load", BM_TextsLoad);
    benchmark::RegisterBenchmark("texts_load/floor", BM_TextsLoad_Floor);
    figure_names = {"start_up", "skin_load", "texts_load", "draw_maze"};
    register_with_floor("draw_maze", {prepare_play, nullptr, draw_level_maze, 1});
    read_level_names();
    for (int level = 0; level < int(map_list.size()); level++) {
        std::string name = "play_frame/" + map_list[level];
        register_with_floor(name, {nullptr, prepare_play, play_batch, 0}, level);
        figure_names.push_back(name);
    }
    const std::pair<const char *, Piece> screens[] = {
        {"main_menu", {nullptr, prepare_main_menu, main_menu, 1}},
        {"options_menu", {nullptr, prepare_options_menu, open_options_menu, 1}},
        {"high_scores", {nullptr, nullptr, draw_high_score_screen, 1}},
        {"credits", {nullptr, nullptr, draw_credits_screen, 1}},
        {"legend", {nullptr, nullptr, draw_legend_screen, 1}},
    };
    for (const auto &screen_piece : screens) {
        register_with_floor(screen_piece.first, screen_piece.second);
        figure_names.push_back(screen_piece.first);
    }
    benchmark::Initialize(&argc, argv);
    TableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    print_table(reporter.ms);
    return 0;
}
