/* Preloaded before libfaketime into Wine's 32-bit loader. That Wine asks the
 * C library for 64-bit time (__clock_gettime64 and kin), which libfaketime
 * 0.9.10 does not fake; these pass such calls on to the 32-bit functions that
 * libfaketime does fake. Built without the C library's headers, so that no
 * i386 development package is needed: the layouts are those of i386 Linux. */

typedef long long Time64;
struct Timespec32 {
    long seconds;
    long nanoseconds;
};
struct Timespec64 {
    Time64 seconds;
    long nanoseconds;
    long padding;
};
struct Timeval32 {
    long seconds;
    long microseconds;
};
struct Timeval64 {
    Time64 seconds;
    long long microseconds;
};

int clock_gettime(int clock, struct Timespec32* now);
int gettimeofday(struct Timeval32* now, void* zone);

int __clock_gettime64(int clock, struct Timespec64* now) {
    struct Timespec32 old;
    const int result = clock_gettime(clock, &old);
    if (result == 0) {
        now->seconds = old.seconds;
        now->nanoseconds = old.nanoseconds;
        now->padding = 0;
    }
    return result;
}

int __gettimeofday64(struct Timeval64* now, void* zone) {
    struct Timeval32 old;
    const int result = gettimeofday(&old, zone);
    if (result == 0 && now) {
        now->seconds = old.seconds;
        now->microseconds = old.microseconds;
    }
    return result;
}

Time64 __time64(Time64* out) {
    struct Timespec32 now;
    if (clock_gettime(0 /* CLOCK_REALTIME */, &now) != 0) return -1;
    if (out) *out = now.seconds;
    return now.seconds;
}
