#include "core/random.h"

#include <cassert>

namespace ardentix {

int Random::operator()(int n) {
    assert(n >= 1);
    state_ = state_ * 134775813u + 1u;
    return static_cast<int>((static_cast<uint64_t>(state_) * static_cast<uint32_t>(n)) >> 32);
}

}  // namespace ardentix
