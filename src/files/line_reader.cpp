// line_reader.cpp: the one line reader of every text file, and the shared text buffer;
// called by every reader of the game's files (lists, configuration, texts, scores, maps).
#include "files.h"
#include <cstdlib>
#include <fstream>
#include <sstream>

char text_buffer[TEXT_BUFFER_SIZE];

// Reads one raw line into line, whole: characters up to a line feed, a carriage return or the
// end of the file. Returns true when the line ended at the end of the file.
static bool read_raw_line(FILE *file, std::string &line)
{
    line.clear();
    int c;
    while ((c = fgetc(file)) != EOF && c != '\n' && c != '\r')
        line += (char)c;
    return c == EOF;
}

static bool is_content_line(const std::string &line)
{
    return !line.empty() && line[0] != '#';
}

bool read_line(FILE *file, std::string &line)
{
    for (;;) {
        bool at_end = read_raw_line(file, line);
        if (is_content_line(line))
            return true;
        if (at_end)
            return false;
    }
}

bool read_line(FILE *file, char *buffer, size_t size)
{
    if (size == 0)
        return false;
    std::string line;
    bool found;
    // A line that starts with a null byte reads as empty in the buffer: it is skipped too.
    do {
        found = read_line(file, line);
        size_t length = line.copy(buffer, size - 1);
        buffer[length] = '\0';
    } while (found && buffer[0] == '\0');
    return found;
}

bool read_whole_file(const std::string &path, std::string &text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::stringstream content;
    content << in.rdbuf();
    text = content.str();
    return true;
}

FILE *open_text_file(const char *path)
{
    FILE *file = fopen(path, "r");
    if (!file)
        printf("ERROR opening file %s\n\n", path);
    return file;
}

FILE *open_required_file(const char *path)
{
    FILE *file = fopen(path, "r");
    if (!file) {
        printf("ERROR opening file %s\n", path);
        exit(1);
    }
    return file;
}
