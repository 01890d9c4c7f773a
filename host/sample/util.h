/* Helpers of the sample program. */
int square(int n);
void worker(void);
