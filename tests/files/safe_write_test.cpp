// safe_write_test.cpp: stored files are replaced whole or not at all.
#include "files.h"
#include "test_support.h"
#include <gtest/gtest.h>
#include <sys/stat.h>

static int files_in_working_directory()
{
    return system("exit $(ls -A | wc -l)") >> 8;
}

TEST(SafeWrite, TheOldFileStaysUntilTheNewOneIsComplete)
{
    enter_scratch_tree(false);
    write_file("stored.txt", "old");
    chmod("stored.txt", 0640);
    std::string temp_path;
    FILE *file = open_replacement("stored.txt", temp_path);
    ASSERT_NE(file, nullptr);
    fputs("new", file);
    fflush(file);
    EXPECT_EQ(read_file("stored.txt"), "old");
    EXPECT_TRUE(commit_replacement(file, temp_path, "stored.txt"));
    EXPECT_EQ(read_file("stored.txt"), "new");
    struct stat status;
    ASSERT_EQ(stat("stored.txt", &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
    EXPECT_EQ(files_in_working_directory(), 1);
}

TEST(SafeWrite, AFailedWriteKeepsTheOldFileAndRemovesTheTemporaryOne)
{
    enter_scratch_tree(false);
    write_file("stored.txt", "old");
    std::string temp_path;
    FILE *file = open_replacement("stored.txt", temp_path);
    ASSERT_NE(file, nullptr);
    fputs("half", file);
    fgetc(file);   // reading a stream opened for writing fails and marks it in error
    ASSERT_TRUE(ferror(file));
    EXPECT_FALSE(commit_replacement(file, temp_path, "stored.txt"));
    EXPECT_EQ(read_file("stored.txt"), "old");
    EXPECT_EQ(files_in_working_directory(), 1);

    EXPECT_EQ(open_replacement("nowhere/stored.txt", temp_path), nullptr);
    EXPECT_FALSE(commit_replacement(nullptr, temp_path, "nowhere/stored.txt"));
}
