// check_content.cpp: checks a whole content tree (lists, maps, skins, font, texts) and prints
// every fault as "file:line: what is wrong"; run by hand or in CI as
// `check_content [content_dir]`. Exit status 1 when there is any fault. A skin's missing or
// unreadable sounds are printed as warnings ("warning: file:line: what") and are no fault.
#include "files.h"
#include "sound.h"
#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    const char *content_dir = argc > 1 ? argv[1] : "content";
    setenv("SDL_AUDIODRIVER", "dummy", 1);   // the sound files are read, never played
    std::vector<ContentFault> warnings = check_skin_sounds(content_dir);
    for (const ContentFault &warning : warnings)
        printf("warning: %s\n", fault_line(warning).c_str());
    std::vector<ContentFault> faults = check_content(content_dir);
    for (const ContentFault &fault : faults)
        printf("%s\n", fault_line(fault).c_str());
    if (!faults.empty()) {
        printf("%d faults in %s\n", (int)faults.size(), content_dir);
        return 1;
    }
    printf("%s is fine\n", content_dir);
    return 0;
}
