// Times a piece of work by the processor time of the calling thread, so that
// other work on a shared machine does not count, with the wall-clock time
// beside it; reports a time as a multiple of a reference measured in the run.
// The processor time is counted in steps of 10 ms (under Wine), so each piece
// of work is repeated until those steps are small beside it.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdio>

class ProcessorStopwatch {
public:
    double ProcessorMs() const { return ThreadMs() - startProcessor_; }
    double WallMs() const {
        const auto elapsed = std::chrono::steady_clock::now() - startWall_;
        return std::chrono::duration<double, std::milli>(elapsed).count();
    }

    // One line: the time per repeat, its wall-clock time and its ratio.
    void Report(const char* what, int repeats, double referenceMs) const {
        const double processor = ProcessorMs() / repeats;
        std::printf("%-38s %9.3f ms (wall %9.3f ms) = %8.2f x reference\n", what, processor,
                    WallMs() / repeats, processor / referenceMs);
    }

private:
    static double ThreadMs() {
        FILETIME created, ended, kernel, user;
        GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user);
        auto ms = [](FILETIME t) {  // 100 ns units
            const unsigned long long high = t.dwHighDateTime;
            return ((high << 32) | t.dwLowDateTime) / 1e4;
        };
        return ms(kernel) + ms(user);
    }

    double startProcessor_ = ThreadMs();
    std::chrono::steady_clock::time_point startWall_ = std::chrono::steady_clock::now();
};
