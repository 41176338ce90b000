// SPDX-License-Identifier: GPL-3.0-or-later
// texts.cpp: fuzz target for the language text reader.
#include "files.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    enter_fuzz_tree();
    skin_list = {"skin"};
    language_list = {"xx"};
    skin_index = language_index = 0;
    serve_input("data/texts/skin_xx.txt", data, size);
    for (std::string &text : texts)
        text.clear();
    require(load_texts() == 0, "the text file is read");
    for (const std::string &text : texts)
        require(text.size() < TEXT_LINE_SIZE && text.find_first_of("\r\n") == std::string::npos,
                "a text is one line that fits the reader");
    return 0;
}
