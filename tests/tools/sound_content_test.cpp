// SPDX-License-Identifier: GPL-3.0-or-later
// sound_content_test.cpp: checks the shipped sounds and music (every file of the sound table
// for every skin, decodable, neither silent nor clipped, within the size budget, loops that
// join without a click or a gap) and that make_sounds makes the same bytes on every run.
#ifdef GOBRANT_MAKE_SOUNDS
#include "files.h"
#include "sound_events.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

const long SKIN_SOUNDS_BUDGET = 1500000;   // bytes of one skin's whole sound folder
const int JOIN_WINDOW = 2205;               // 50 ms at 44.1 kHz, each side of a loop's join
const int JOIN_NEIGHBOURS = 64;             // samples each side that a click would stand out from

// A decoded file: samples of every channel interleaved, from -1 to 1.
struct Decoded {
    int channels = 0;
    long rate = 0;
    std::vector<float> samples;
    size_t frames() const { return channels ? samples.size() / channels : 0; }
};

bool decode(const std::string &path, Decoded &out)
{
    OggVorbis_File file;
    if (ov_fopen(path.c_str(), &file) != 0)
        return false;
    vorbis_info *info = ov_info(&file, -1);
    out.channels = info->channels;
    out.rate = info->rate;
    for (;;) {
        float **pcm;
        int section;
        long count = ov_read_float(&file, &pcm, 4096, &section);
        if (count < 0) {
            ov_clear(&file);
            return false;
        }
        if (count == 0)
            break;
        for (long i = 0; i < count; i++)
            for (int c = 0; c < out.channels; c++)
                out.samples.push_back(pcm[c][i]);
    }
    ov_clear(&file);
    return true;
}

std::vector<std::string> shipped_skins()
{
    std::vector<std::string> skins;
    read_list((std::string(SOURCE_DIR) + "/content/" + SKIN_LIST_PATH).c_str(), skins);
    return skins;
}

std::string sound_folder(const std::string &content, const std::string &skin)
{
    char folder[TEXT_BUFFER_SIZE + 64];
    snprintf(folder, sizeof folder, SOUND_FOLDER_FORMAT, skin.c_str());
    return content + "/" + folder;
}

float peak(const std::vector<float> &samples, size_t from, size_t to)
{
    float loudest = 0;
    for (size_t i = from; i < to; i++)
        loudest = std::max(loudest, std::fabs(samples[i]));
    return loudest;
}

double rms(const std::vector<float> &samples, size_t from, size_t to)
{
    double sum = 0;
    for (size_t i = from; i < to; i++)
        sum += samples[i] * samples[i];
    return std::sqrt(sum / std::max<size_t>(1, to - from));
}

}  // namespace

// Every skin has every effect and loop of the table: 44.1 kHz, heard but not clipped, short
// effects and 20 to 40 s loops, the whole folder within its budget; each loop's last sample
// flows into its first (no bend sharper than the music's own beside it) with sound on both
// sides.
TEST(ShippedSounds, EverySkinHasEveryFileAndLoopsJoin)
{
    std::vector<std::string> skins = shipped_skins();
    ASSERT_FALSE(skins.empty());
    for (const std::string &skin : skins) {
        std::string folder = sound_folder(std::string(SOURCE_DIR) + "/content", skin);
        long total = 0;
        std::vector<std::pair<const char *, bool>> files;   // name, whether a loop of music
        for (const char *name : SOUND_FILES)
            files.push_back({name, false});
        for (const char *name : MUSIC_FILES)
            files.push_back({name, true});
        for (auto [name, music] : files) {
            std::string path = folder + name;
            SCOPED_TRACE(path);
            struct stat info;
            ASSERT_EQ(0, stat(path.c_str(), &info));
            total += info.st_size;
            Decoded sound;
            ASSERT_TRUE(decode(path, sound));
            EXPECT_EQ(44100, sound.rate);
            float loudest = peak(sound.samples, 0, sound.samples.size());
            EXPECT_GT(loudest, 0.1f);
            EXPECT_LT(loudest, 0.98f);
            double seconds = (double)sound.frames() / sound.rate;
            EXPECT_TRUE(music ? seconds >= 20 && seconds <= 40 : seconds > 0.02 && seconds < 3) << seconds;
            if (!music)
                continue;
            ASSERT_EQ(2, sound.channels);
            size_t frames = sound.frames();
            for (int c = 0; c < sound.channels; c++) {
                std::vector<float> channel;
                for (size_t i = c; i < sound.samples.size(); i += sound.channels)
                    channel.push_back(sound.samples[i]);
                // A click is a bend sharper than any the signal makes near it: the join's
                // second differences against those of the samples either side.
                std::vector<float> around(channel.end() - JOIN_NEIGHBOURS, channel.end());
                around.insert(around.end(), channel.begin(), channel.begin() + JOIN_NEIGHBOURS);
                float join_bend = 0, local_bend = 0;
                for (int i = 1; i + 1 < 2 * JOIN_NEIGHBOURS; i++) {
                    float bend = std::fabs(around[i + 1] - 2 * around[i] + around[i - 1]);
                    bool at_join = i == JOIN_NEIGHBOURS - 1 || i == JOIN_NEIGHBOURS;
                    (at_join ? join_bend : local_bend) = std::max(at_join ? join_bend : local_bend, bend);
                }
                EXPECT_LE(join_bend, 2.5f * local_bend) << "a click at the join of channel " << c;
                double whole = rms(channel, 0, frames);
                EXPECT_GT(rms(channel, frames - JOIN_WINDOW, frames), whole * 0.05) << "silence before the join";
                EXPECT_GT(rms(channel, 0, JOIN_WINDOW), whole * 0.05) << "silence after the join";
            }
        }
        EXPECT_LT(total, SKIN_SOUNDS_BUDGET) << skin;
    }
}

// make_sounds makes the same bytes on every run, the very bytes that are shipped, and
// refuses sources that lack a recipe for a sound of the table.
TEST(MakeSounds, SameBytesEveryRunAndAsShipped)
{
    std::string root = enter_scratch_tree(false);
    std::string sources = std::string(SOURCE_DIR) + "/tools/sounds";
    std::string shipped = std::string(SOURCE_DIR) + "/content";
    std::vector<std::string> skins = shipped_skins();
    std::string list;
    for (const std::string &skin : skins)
        list += skin + "\n";
    const char *const made[] = {"dot1.ogg", "menu_move.ogg"};
    for (const char *run : {"first", "second"}) {
        mkdir((std::string(run)).c_str(), 0755);
        mkdir((std::string(run) + "/skins").c_str(), 0755);
        write_file(std::string(run) + "/" + SKIN_LIST_PATH, list);
        std::string command = std::string(GOBRANT_MAKE_SOUNDS) + " '" + sources + "' " + run + " " +
                              made[0] + " " + made[1] + " > /dev/null";
        ASSERT_EQ(0, system(command.c_str())) << command;
    }
    for (const std::string &skin : skins)
        for (const char *name : made) {
            SCOPED_TRACE(skin + " " + name);
            std::string first = read_file(sound_folder("first", skin) + name);
            EXPECT_GT(first.size(), 100u);
            EXPECT_EQ(first, read_file(sound_folder("second", skin) + name));
            EXPECT_EQ(first, read_file(sound_folder(shipped, skin) + name)) << "shipped file is stale";
        }

    mkdir("partial", 0755);
    mkdir(("partial/" + skins[0]).c_str(), 0755);
    write_file("partial/" + skins[0] + "/effects.txt", "[dot1.ogg]\nlayer wave=sine freq=C5 # one\n");
    std::string command = std::string(GOBRANT_MAKE_SOUNDS) + " partial first 2> refused.txt";
    EXPECT_NE(0, system(command.c_str()));
    EXPECT_NE(std::string::npos, read_file("refused.txt").find(std::string("no recipe for ") + SOUND_FILES[1]));
    leave_scratch_tree(root);
}
#endif
