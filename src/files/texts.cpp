// SPDX-License-Identifier: GPL-3.0-or-later
// texts.cpp: the language text table; loaded by start-up and by the options menu when the
// skin or the language changes.
#include "files.h"

std::string texts[TEXT_COUNT];
std::string option_texts[OPTION_TEXT_COUNT];
const char *const TEXT_FILE_FORMAT = "%s%s_%s.txt";
const char *const OPTION_TEXT_FILE_FORMAT = "%soptions_%s.txt";

// The list's entry at index, or an empty name (whose file then cannot be found).
static const char *list_entry(const std::vector<std::string> &list, Uint8 index)
{
    return index < list.size() ? list[index].c_str() : "";
}

// Fills texts from "data/texts/<skin>_<language>.txt" for skin_index and language_index,
// composing the name in text_buffer. A short file replaces only the first entries; a missing
// one leaves the table as it was. Returns 0 when read, 1 when the file cannot be opened.
int load_texts()
{
    snprintf(text_buffer, TEXT_BUFFER_SIZE, TEXT_FILE_FORMAT, TEXTS_FOLDER,
             list_entry(skin_list, skin_index), list_entry(language_list, language_index));
    int result = read_text_table(text_buffer, texts, TEXT_COUNT);
    load_option_texts();
    return result;
}

// Fills option_texts from "data/texts/options_<language>.txt" for language_index; a language
// without that file takes the first language's words. Quiet, so that a language made before
// these rows existed loads as it did: returns 0 when read, 1 when neither file can be opened
// (the table then stays as it was).
int load_option_texts()
{
    for (Uint8 index : {language_index, Uint8(0)}) {
        snprintf(text_buffer, TEXT_BUFFER_SIZE, OPTION_TEXT_FILE_FORMAT, TEXTS_FOLDER,
                 list_entry(language_list, index));
        if (FILE *file = fopen(text_buffer, "r")) {
            fclose(file);
            return read_text_table(text_buffer, option_texts, OPTION_TEXT_COUNT);
        }
    }
    return 1;
}

// The first `count` content lines of the file into table[0..count-1]; a short file replaces
// only the first entries, a missing one none. Returns 0 when read, 1 when it cannot be opened.
int read_text_table(const char *path, std::string *table, int count)
{
    FILE *file = open_text_file(path);
    if (!file)
        return 1;
    char line[TEXT_LINE_SIZE];
    for (int i = 0; i < count && read_line(file, line, sizeof line); i++)
        table[i] = line;
    fclose(file);
    return 0;
}
