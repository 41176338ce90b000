// safe_write.cpp: replacing stored files whole or not at all; used by the writers of the
// configuration and of the high-score table.
#include "files.h"
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

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

// Opens a fresh temporary file beside path (same folder, so that the final rename stays on
// one file system) and returns it with its name in temp_path; null when it cannot be made.
FILE *open_replacement(const char *path, std::string &temp_path)
{
    std::string pattern = std::string(path) + ".XXXXXX";
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

// Flushes the written file to the disk, closes it and puts it in the place of path, but only
// if every write succeeded; otherwise the temporary file goes and the old file stays whole.
bool commit_replacement(FILE *file, const std::string &temp_path, const char *path)
{
    if (!file)
        return false;
    bool written = fflush(file) == 0 && !ferror(file) && fsync(fileno(file)) == 0;
    bool closed = fclose(file) == 0;
    if (written && closed && rename(temp_path.c_str(), path) == 0)
        return true;
    unlink(temp_path.c_str());
    return false;
}
