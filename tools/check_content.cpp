// check_content.cpp: checks a whole content tree (lists, maps, skins, font, texts) and prints
// every fault as "file:line: what is wrong"; run by hand or in CI as
// `check_content [content_dir]`. Exit status 1 when there is any fault.
#include "files.h"
#include <cstdio>

int main(int argc, char **argv)
{
    const char *content_dir = argc > 1 ? argv[1] : "content";
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
