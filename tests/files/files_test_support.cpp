// files_test_support.cpp: helpers for the data-file tests (see files_test_support.h).
#include "files_test_support.h"
#include <unistd.h>

FILE *stream_with(const std::string &text)
{
    FILE *file = tmpfile();
    fwrite(text.data(), 1, text.size(), file);
    rewind(file);
    return file;
}

void stdout_to_stderr()
{
    fflush(stdout);
    dup2(STDERR_FILENO, STDOUT_FILENO);
}
