// SPDX-License-Identifier: GPL-3.0-or-later
// config.cpp: fuzz target for the configuration: any file is read safely, and the settings
// the game can hold are written and read back identical.
#include "files.h"
#include "frame.h"
#include "fuzz_support.h"
#include <cstring>
#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    enter_fuzz_tree();
    skin_list = {"a", "b", "c"};
    language_list = {"cs", "en"};
    FuzzedDataProvider input(data, size);
    frame_delay = input.ConsumeIntegralInRange(20, 25);
    skin_index = input.ConsumeIntegralInRange<Uint8>(0, 2);
    language_index = input.ConsumeIntegralInRange<Uint8>(0, 1);
    std::vector<uint8_t> letters = input.ConsumeBytes<uint8_t>(input.ConsumeIntegralInRange(1, NAME_SIZE - 1));
    // A name with blanks reads back as its first word and an empty one as the default name:
    // the property is for names of letters.
    std::string name = typed_name(letters.data(), letters.size(), false);
    if (name.empty())
        name = "a";
    snprintf(player_name, NAME_SIZE, "%s", name.c_str());
    const int delay = frame_delay;
    const Uint8 skin = skin_index, language = language_index;

    write_config(CONFIG_PATH);
    frame_delay = 22;
    skin_index = language_index = 1;
    player_name[0] = '\0';
    read_config(CONFIG_PATH);
    require(frame_delay == delay && skin_index == skin && language_index == language,
            "the numbers read back as written");
    require(name == player_name, "the name reads back as written");

    std::vector<uint8_t> file = input.ConsumeRemainingBytes<uint8_t>();
    serve_input("data/input.txt", file.data(), file.size());
    read_config("data/input.txt");
    require(frame_delay >= 20 && frame_delay <= 25 && skin_index < skin_list.size()
                && language_index < language_list.size() && strlen(player_name) < NAME_SIZE,
            "any file gives settings in range");
    return 0;
}
