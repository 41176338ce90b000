// check_maps.cpp: checks the maps of a content tree (the map list, every level it names and
// the menu map) and prints every fault; run by hand or in CI as `check_maps [content_dir]`.
#include "world.h"
#include <cstdio>

int main(int argc, char **argv)
{
    const char *content_dir = argc > 1 ? argv[1] : "content";
    std::vector<std::string> faults = check_content_maps(content_dir);
    for (const std::string &line : faults)
        printf("%s\n", line.c_str());
    if (!faults.empty()) {
        printf("%d faults in the maps of %s\n", (int)faults.size(), content_dir);
        return 1;
    }
    printf("The maps of %s are fine\n", content_dir);
    return 0;
}
