// SPDX-License-Identifier: GPL-3.0-or-later
// editor_texts.cpp: the editor's own texts, one file per language beside the game's texts.
#include "editor.h"
#include "files.h"

std::string editor_texts[EDITOR_TEXT_COUNT];

// Fills editor_texts from "data/texts/editor_<language>.txt" for language_index; a missing
// file leaves the table as it was. Returns 0 when read, 1 when the file cannot be opened.
int load_editor_texts()
{
    const char *language = language_index < language_list.size()
        ? language_list[language_index].c_str() : "";
    snprintf(text_buffer, TEXT_BUFFER_SIZE, "%seditor_%s.txt", TEXTS_FOLDER, language);
    return read_text_table(text_buffer, editor_texts, EDITOR_TEXT_COUNT);
}

std::string editor_text(int index, const std::string &value)
{
    std::string text = editor_texts[index];
    size_t at = text.find("%s");
    if (at != std::string::npos)
        text.replace(at, 2, value);
    return text;
}

std::string editor_text_with(int index, const std::vector<std::string> &values)
{
    std::string text = editor_texts[index];
    size_t at = 0;
    for (const std::string &value : values) {
        at = text.find("%s", at);
        if (at == std::string::npos)
            break;
        text.replace(at, 2, value);
        at += value.size();
    }
    return text;
}
