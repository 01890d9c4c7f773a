/* The sample program: a loop, a call, a struct and an array. */
#include "util.h"

struct point {
    int x;
    int y;
};

int buffer[4];
struct point origin;
int total;

int main(void)
{
    int i;
    total = 0;
    origin.x = 1; origin.y = 2;
    for (i = 0; i < 4; i++) {
        buffer[i] = square(i);
        total = total + buffer[i];
    }
    origin.x = total;
    return total;
}
