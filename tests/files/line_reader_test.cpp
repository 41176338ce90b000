// SPDX-License-Identifier: GPL-3.0-or-later
// line_reader_test.cpp: the line reader and the list files.
#include "files.h"
#include "test_support.h"
#include <gtest/gtest.h>

// Every content line the reader gives, read through a buffer of the given size.
static std::vector<std::string> content_lines(const std::string &text, size_t size = 256)
{
    FILE *file = stream_with(text);
    std::vector<char> buffer(size);
    std::vector<std::string> lines;
    while (read_line(file, buffer.data(), size))
        lines.push_back(buffer.data());
    fclose(file);
    return lines;
}

using Lines = std::vector<std::string>;

TEST(LineReader, SkipsCommentsAndEmptyLinesWhateverTheLineEnds)
{
    EXPECT_EQ(content_lines("# head\n\nfirst\n  second \n"), (Lines{"first", "  second "}));
    EXPECT_EQ(content_lines("# head\r\n\r\nfirst\r\n  second \r\n"), (Lines{"first", "  second "}));
    EXPECT_EQ(content_lines("first\rsecond\r"), (Lines{"first", "second"}));
    EXPECT_EQ(content_lines("a # not a comment\n#comment\n"), (Lines{"a # not a comment"}));
    EXPECT_EQ(content_lines("# only\n#comments\n\n"), Lines{});
    EXPECT_EQ(content_lines(""), Lines{});
    EXPECT_EQ(content_lines(std::string("cs\r\0\0s\nen", 9)), (Lines{"cs", "en"}));

    // The whole-line reader keeps the same rule: a zero byte ends a line's text, and a line
    // that starts with one is skipped.
    FILE *file = stream_with(std::string("\0NAME: x\nab\0cd\n", 15));
    std::string line;
    ASSERT_TRUE(read_line(file, line));
    EXPECT_EQ(line, "ab");
    EXPECT_FALSE(read_line(file, line));
    fclose(file);
}

TEST(LineReader, ReadsALastLineWithoutLineEndOnce)
{
    FILE *file = stream_with("one\ntwo");
    char buffer[16];
    ASSERT_TRUE(read_line(file, buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "one");
    ASSERT_TRUE(read_line(file, buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "two");
    EXPECT_FALSE(read_line(file, buffer, sizeof buffer));
    EXPECT_FALSE(read_line(file, buffer, sizeof buffer));
    fclose(file);
}

TEST(LineReader, ALongLineKeepsWhatFitsAndTheNextLineIsReadWhole)
{
    std::string long_line(10000, 'x');
    // A guard byte after the buffer shows whether the reader wrote past it.
    char buffer[9] = {0, 0, 0, 0, 0, 0, 0, 0, 'G'};
    FILE *file = stream_with(long_line + "\nnext\n" + long_line);
    ASSERT_TRUE(read_line(file, buffer, 8));
    EXPECT_STREQ(buffer, "xxxxxxx");
    ASSERT_TRUE(read_line(file, buffer, 8));
    EXPECT_STREQ(buffer, "next");
    ASSERT_TRUE(read_line(file, buffer, 8));
    EXPECT_STREQ(buffer, "xxxxxxx");
    EXPECT_FALSE(read_line(file, buffer, 8));
    EXPECT_EQ(buffer[8], 'G');
    fclose(file);

    // A long comment stays a comment to its end.
    EXPECT_EQ(content_lines("#" + long_line + "\nreal\n", 8), (Lines{"real"}));
}

// An entry that is not a plain name is refused with a message and skipped.
TEST(ListFile, KeepsPlainNamesWholeInFileOrder)
{
    enter_scratch_tree(false);
    write_file("list.txt", "# skins\n\nmeadow\r\n../../../../etc\n  circuit \r\n/abs\nsub/dir\n"
                           "back\\slash\nup..\n" + std::string(10000, 'y') + "\nlast");
    std::vector<std::string> list{"kept"};
    testing::internal::CaptureStdout();
    read_list("list.txt", list);
    std::string refused;
    for (const char *name : {"../../../../etc", "/abs", "sub/dir", "back\\slash", "up.."})
        refused += "ERROR not a plain name in list.txt: " + std::string(name) + "\n";
    EXPECT_EQ(testing::internal::GetCapturedStdout(), refused);
    ASSERT_EQ(list.size(), 5u);
    EXPECT_EQ(list[0], "kept");
    EXPECT_EQ(list[1], "meadow");
    EXPECT_EQ(list[2], "  circuit ");
    EXPECT_EQ(list[3], std::string(TEXT_BUFFER_SIZE - 1, 'y'));
    EXPECT_EQ(list[4], "last");
}

TEST(ListFileDeathTest, AMissingListEndsTheProgramWithItsMessage)
{
    enter_scratch_tree(false);
    std::vector<std::string> list;
    EXPECT_EXIT((stdout_to_stderr(), read_list("skins/skins.txt", list)),
                testing::ExitedWithCode(1), "^ERROR opening file skins/skins.txt\n$");
}
