// SPDX-License-Identifier: GPL-3.0-or-later
// check_content.cpp: checks a whole content tree (lists, maps, skins, font, texts) and prints
// every fault as "file:line: what is wrong"; run by hand or in CI as
// `check_content [content_dir]`. Exit status 1 when there is any fault; notes (campaign-wide
// remarks that a player's pack of a few maps may well have) are printed but do not fail, and
// a skin's missing or unreadable sounds are printed as warnings ("warning: file:line: what").
#include "checks.h"
#include "files.h"
#include "sound.h"
#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    const char *content_dir = argc > 1 ? argv[1] : "content";
    setenv("SDL_AUDIODRIVER", "dummy", 1);   // the sound files are read, never played
    for (const ContentFault &warning : check_skin_sounds(content_dir))
        printf("warning: %s\n", fault_line(warning).c_str());
    int count = 0;
    for (const ContentFault &fault : check_content(content_dir)) {
        printf("%s\n", fault_line(fault).c_str());
        count += !fault.note;
    }
    if (count > 0) {
        printf("%d faults in %s\n", count, content_dir);
        return 1;
    }
    printf("%s is fine\n", content_dir);
    return 0;
}
