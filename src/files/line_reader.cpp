// SPDX-License-Identifier: GPL-3.0-or-later
// line_reader.cpp: the one line reader of every text file, and the shared text buffer;
// called by every reader of the game's files (lists, configuration, texts, scores, maps).
#include "files.h"
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

std::string line_text(const std::string &line)
{
    return line.substr(0, line.find('\0'));
}

bool is_content_line(const std::string &line)
{
    return !line.empty() && line[0] != '#' && line[0] != '\0';
}

std::vector<LineSpan> line_spans(const std::string &text)
{
    std::vector<LineSpan> spans;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        size_t next = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        spans.push_back(LineSpan{start, end, std::min(next, text.size())});
        start = next;
    }
    return spans;
}

std::vector<std::string> split_lines(const std::string &text)
{
    std::vector<std::string> lines;
    for (const LineSpan &span : line_spans(text))
        lines.push_back(text.substr(span.start, span.end - span.start));
    return lines;
}

bool read_line(FILE *file, std::string &line)
{
    for (;;) {
        bool at_end = read_raw_line(file, line);
        if (is_content_line(line)) {
            line = line_text(line);
            return true;
        }
        if (at_end)
            return false;
    }
}

bool read_line(FILE *file, char *buffer, size_t size)
{
    if (size == 0)
        return false;
    std::string line;
    bool found = read_line(file, line);
    size_t length = line.copy(buffer, size - 1);
    buffer[length] = '\0';
    return found;
}

std::string file_refusal(const std::string &path, long long max_size)
{
    struct stat status;
    if (stat(path.c_str(), &status) != 0)
        return "cannot be read";
    if (!S_ISREG(status.st_mode))
        return "is not a regular file";
    if (status.st_size > max_size)
        return "is larger than any valid file (" + std::to_string((long long)status.st_size) + " bytes)";
    return std::string();
}

// Opened without blocking, so that a FIFO put in a file's place cannot hold the reader, and
// checked on the open file itself; at most MAX_TEXT_FILE_SIZE + 1 bytes are ever read.
bool read_whole_file(const std::string &path, std::string &text)
{
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status;
    bool fine = fstat(fd, &status) == 0 && S_ISREG(status.st_mode)
             && status.st_size <= MAX_TEXT_FILE_SIZE;
    text.clear();
    char block[65536];
    while (fine) {
        ssize_t got = read(fd, block, sizeof block);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            fine = got == 0;
            break;
        }
        text.append(block, (size_t)got);
        fine = (long long)text.size() <= MAX_TEXT_FILE_SIZE;
    }
    close(fd);
    return fine;
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
