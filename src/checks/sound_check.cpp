// SPDX-License-Identifier: GPL-3.0-or-later
// sound_check.cpp: the content checker's warnings for every skin's sounds and music that are
// missing or that SDL_mixer cannot read; the game plays on without them, so none is a fault.
#include "checks.h"
#include "sound.h"
#include "files.h"
#include <SDL_mixer.h>
#include <cstdio>

// One warning for a file of the skin's sound folder, or none when SDL_mixer reads it.
static void check_sound_file(std::vector<ContentFault> &warnings, const std::string &root,
                             const std::string &path, bool is_music)
{
    FILE *file = fopen((root + path).c_str(), "rb");
    if (!file) {
        warnings.push_back({root + path, 1, "is missing: the game plays silence instead"});
        return;
    }
    fclose(file);
    bool readable;
    if (is_music) {
        Mix_Music *loop = load_music(root + path);
        readable = loop != nullptr;
        if (loop)
            Mix_FreeMusic(loop);
    } else {
        Mix_Chunk *chunk = load_effect(root + path);
        readable = chunk != nullptr;
        Mix_FreeChunk(chunk);
    }
    if (!readable)
        warnings.push_back({root + path, 1, std::string("is not readable (") + Mix_GetError() +
                                                "): the game plays silence instead"});
}

std::vector<ContentFault> check_skin_sounds(const std::string &content_dir)
{
    std::vector<ContentFault> warnings;
    const std::string root = content_dir + "/";
    std::vector<std::string> skins;
    read_list((root + SKIN_LIST_PATH).c_str(), skins);
    bool opened_here = !sound_open;
    if (opened_here && (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0 ||
                        Mix_OpenAudio(AUDIO_RATE, AUDIO_S16SYS, AUDIO_CHANNELS, AUDIO_BUFFER_FRAMES) < 0)) {
        warnings.push_back({root + SKIN_LIST_PATH, 1,
                            std::string("sounds not checked: no audio (") + SDL_GetError() + ")"});
        return warnings;
    }
    char folder[TEXT_BUFFER_SIZE];
    for (const std::string &skin : skins) {
        snprintf(folder, sizeof folder, SOUND_FOLDER_FORMAT, skin.c_str());
        for (const char *name : SOUND_FILES)
            check_sound_file(warnings, root, std::string(folder) + name, false);
        for (const char *name : MUSIC_FILES)
            check_sound_file(warnings, root, std::string(folder) + name, true);
    }
    if (opened_here) {
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    return warnings;
}
