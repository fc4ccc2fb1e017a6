#include <string>

#include "core/ports.h"

namespace ardentix {

std::string ClockText(const std::string& longTime) {
    return longTime.substr(0, longTime.size() == 10 ? 4 : 5);
}

}  // namespace ardentix
