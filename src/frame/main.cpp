// main.cpp: the gobrant executable: start-up, then the main loop, which never returns.
#include "frame.h"

int main(int, char **)
{
    start_game();
    main_loop();
    return 0;
}
