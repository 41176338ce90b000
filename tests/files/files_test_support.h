// files_test_support.h: small helpers shared by the data-file tests.
#pragma once
#include <cstdio>
#include <string>

// An open read-only stream holding text (a temporary file, removed when closed).
FILE *stream_with(const std::string &text);

// The data-file code writes its messages to standard output, which a death test does not
// capture; the dying code calls this first so that the messages land on standard error.
void stdout_to_stderr();
