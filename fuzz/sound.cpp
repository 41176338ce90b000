// SPDX-License-Identifier: GPL-3.0-or-later
// sound.cpp: fuzz target for the sound loaders: hostile OGG Vorbis and WAV data read as an
// effect (decoded whole) and as a music loop (opened for streaming: its headers are read).
#include "fuzz_support.h"
#include "sound.h"
#include <SDL_mixer.h>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    enter_fuzz_tree();
    if (!sound_open) {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        require(open_sound(), "audio opens on the dummy driver");
        SDL_PauseAudio(1);   // the audio thread never mixes: each run reads the input alone
    }
    write_input("data/input.ogg", data, size);
    Mix_Chunk *effect = load_effect("data/input.ogg");
    if (effect)
        require(effect->alen % (2 * AUDIO_CHANNELS) == 0, "an effect holds whole sample frames");
    Mix_FreeChunk(effect);
    Mix_Music *loop = load_music("data/input.ogg");
    if (loop)
        Mix_FreeMusic(loop);
    return 0;
}
