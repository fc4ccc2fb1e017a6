#pragma once
#include <cstdint>

namespace ardentix {

// The program's one pseudo-random generator: a 32-bit linear congruential state.
// Each draw moves the state (state * 134775813 + 1, modulo 2^32) and scales it to 0..n-1.
// The sequences are part of the behaviour: a seeded scenario script replays them exactly.
class Random {
  public:
    void Seed(uint32_t state) { state_ = state; }
    uint32_t State() const { return state_; }

    // A uniform integer from 0 to n - 1; n must be at least 1.
    int operator()(int n);

  private:
    uint32_t state_ = 0;
};

}  // namespace ardentix
