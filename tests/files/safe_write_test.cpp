// SPDX-License-Identifier: GPL-3.0-or-later
// safe_write_test.cpp: stored files are replaced whole or not at all.
#include "files.h"
#include "test_support.h"
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Saves interrupted before their rename leave temporary files; the next save of the same file
// removes them, and only them.
TEST(SafeWrite, TheNextSaveRemovesLeftoversOfInterruptedSavesAndNothingElse)
{
    enter_scratch_tree(false);
    write_file("stored.txt", "old");
    std::string other, leftover;
    fclose(open_replacement("other.txt", other));
    fclose(open_replacement("stored.txt", leftover));
    std::string folder_named_alike = leftover.substr(0, leftover.size() - 6) + "Folder";
    mkdir(folder_named_alike.c_str(), 0755);
    std::vector<std::string> kept = {other, leftover + "0", leftover.substr(0, leftover.size() - 1),
                                     "stored.txt.bak", "stored.txt", folder_named_alike};
    for (size_t i = 1; i < 4; i++)
        write_file(kept[i], "not ours");

    std::string temp_path;
    FILE *file = open_replacement("stored.txt", temp_path);
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(commit_replacement(file, temp_path, "stored.txt"));
    EXPECT_NE(access(leftover.c_str(), F_OK), 0) << leftover;
    for (const std::string &name : kept)
        EXPECT_EQ(access(name.c_str(), F_OK), 0) << name;
    EXPECT_EQ(files_in_working_directory(), (int)kept.size());
}
