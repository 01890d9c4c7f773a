/* Helpers of the sample program. */
#include "util.h"

int ticks;

int square(int n)
{
    int result;
    result = n * n;
    return result;
}

void worker(void)
{
    while (ticks < 100)
        ticks = ticks + 1;
}
