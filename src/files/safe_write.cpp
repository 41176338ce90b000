// SPDX-License-Identifier: GPL-3.0-or-later
// safe_write.cpp: replacing stored files whole or not at all; used by the writers of the
// configuration and of the high-score table.
#include "files.h"
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// A temporary file is named "<stored name>" TEMP_MARK and six characters from mkstemp.
static const char TEMP_MARK[] = ".saving-";
static const size_t TEMP_UNIQUE_LENGTH = 6;

int injected_sync_error = 0;

void set_test_write_failure(int error)
{
    injected_sync_error = error;
}

// The folder of path ("." when it has none) and its last component.
static void split_path(const char *path, std::string &folder, std::string &name)
{
    std::string whole = path;
    size_t slash = whole.rfind('/');
    folder = slash == std::string::npos ? "." : slash == 0 ? "/" : whole.substr(0, slash);
    name = slash == std::string::npos ? whole : whole.substr(slash + 1);
}

// Whether entry is a temporary file name that open_replacement makes for `name`.
static bool is_temp_name_of(const char *entry, const std::string &name)
{
    std::string prefix = name + TEMP_MARK;
    if (strncmp(entry, prefix.c_str(), prefix.size()) != 0)
        return false;
    const char *unique = entry + prefix.size();
    if (strlen(unique) != TEMP_UNIQUE_LENGTH)
        return false;
    for (; *unique; unique++)
        if (!isalnum((unsigned char)*unique))
            return false;
    return true;
}

// Removes the regular files beside path that an interrupted save of path left behind;
// nothing else in the folder is touched. Failures are ignored (the save then goes on).
static void remove_leftover_replacements(const char *path)
{
    std::string folder, name;
    split_path(path, folder, name);
    DIR *dir = opendir(folder.c_str());
    if (!dir)
        return;
    while (const dirent *entry = readdir(dir)) {
        if (!is_temp_name_of(entry->d_name, name))
            continue;
        std::string leftover = folder + "/" + entry->d_name;
        struct stat status;
        if (lstat(leftover.c_str(), &status) == 0 && S_ISREG(status.st_mode))
            unlink(leftover.c_str());
    }
    closedir(dir);
}

// The mode a new file gets: the old file's mode if there is one, else the usual 0666 less
// the process's umask (which can only be read by setting it).
static mode_t replacement_mode(const char *path)
{
    struct stat old_file;
    if (stat(path, &old_file) == 0)
        return old_file.st_mode & 07777;
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// Clears away what earlier interrupted saves of path left, then opens a fresh temporary file
// beside path (same folder, so that the final rename stays on one file system) and returns it
// with its name in temp_path; null when it cannot be made.
FILE *open_replacement(const char *path, std::string &temp_path)
{
    remove_leftover_replacements(path);
    std::string pattern = std::string(path) + TEMP_MARK + std::string(TEMP_UNIQUE_LENGTH, 'X');
    int fd = mkstemp(&pattern[0]);
    if (fd < 0)
        return nullptr;
    FILE *file = fdopen(fd, "w");
    if (!file || fchmod(fd, replacement_mode(path)) != 0) {
        if (file)
            fclose(file);
        else
            close(fd);
        unlink(pattern.c_str());
        return nullptr;
    }
    temp_path = pattern;
    return file;
}

// Brings the data of an open file or folder to the disk.
static bool sync_to_disk(int fd)
{
    if (injected_sync_error != 0) {
        errno = injected_sync_error;
        return false;
    }
    return fsync(fd) == 0;
}

// Brings the folder's entries (the rename just made) to the disk. File systems that cannot
// sync a folder say so with EINVAL; the rename then stands as it is.
static bool sync_folder_of(const char *path)
{
    std::string folder, name;
    split_path(path, folder, name);
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return false;
    bool synced = sync_to_disk(fd) || errno == EINVAL;
    int error = errno;
    close(fd);
    errno = error;
    return synced;
}

// Flushes the written file to the disk, closes it and puts it in the place of path, but only
// if every write succeeded; otherwise the temporary file goes and the old file stays whole.
// Then syncs the folder, so that the new file is on the disk by the time this returns true.
// On false, errno tells what failed.
bool commit_replacement(FILE *file, const std::string &temp_path, const char *path)
{
    if (!file)
        return false;
    bool written = fflush(file) == 0 && !ferror(file) && sync_to_disk(fileno(file));
    int error = errno;
    bool closed = fclose(file) == 0;
    if (written && !closed)
        error = errno;
    if (written && closed && rename(temp_path.c_str(), path) == 0)
        return sync_folder_of(path);
    if (written && closed)
        error = errno;
    unlink(temp_path.c_str());
    errno = error ? error : EIO;
    return false;
}

int save_file(const char *path, void (*write_content)(FILE *), const char *line_ends)
{
    std::string temp_path;
    FILE *file = open_replacement(path, temp_path);
    if (!file) {
        printf("ERROR opening file %s%s", path, line_ends);
        return 1;
    }
    write_content(file);
    if (!commit_replacement(file, temp_path, path)) {
        printf("ERROR writing file %s: %s%s", path, strerror(errno), line_ends);
        return 1;
    }
    return 0;
}

void (*stored_files_saved)() = nullptr;

int save_stored_files()
{
    bool failed = high_scores_unreadable;
    if (!config_read)
        return failed ? 1 : 0;
    if (high_scores_read && !high_scores_unreadable)
        failed |= write_high_scores(HIGH_SCORES_PATH) != 0;
    failed |= write_config(CONFIG_PATH) != 0;
    if (stored_files_saved)
        stored_files_saved();
    return failed ? 1 : 0;
}
