// The exit code of a probe program: 64 plus one bit (128 and up) for every
// check that failed. A program that Ctrl+C or a crash ended never gets to say
// 64, and no failure bit hides in it.
#pragma once

class FailedChecks {
public:
    void Check(bool good) {
        if (!good) bits_ |= nextBit_;
        nextBit_ <<= 1;
    }
    int ExitCode() const { return 64 | bits_; }

private:
    int bits_ = 0;
    int nextBit_ = 128;
};
