// A program that crashes: the test runner must report it as failed at once, never hang
// on a crash dialog.
#include <cstdio>

int main()
{
    std::printf("crashing now\n");
    std::fflush(stdout);
    volatile int* p = nullptr;
    *p = 1;
    return 0;
}
