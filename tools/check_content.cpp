// check_content.cpp: checks a whole content tree (lists, maps, skins, font, texts) and prints
// every fault as "file:line: what is wrong"; run by hand or in CI as
// `check_content [content_dir]`. Exit status 1 when there is any fault; notes (campaign-wide
// remarks that a player's pack of a few maps may well have) are printed but do not fail.
#include "files.h"
#include <cstdio>

int main(int argc, char **argv)
{
    const char *content_dir = argc > 1 ? argv[1] : "content";
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
