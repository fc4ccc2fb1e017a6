#include "core/element_names.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <utility>

namespace ardentix {

namespace {

constexpr std::array<std::string_view, kElementCount> kNames = {
#define ARDENTIX_ELEMENT_NAME(handle, name) name,
    ARDENTIX_ELEMENTS(ARDENTIX_ELEMENT_NAME)
#undef ARDENTIX_ELEMENT_NAME
};

// The names in order with their elements, for the lookup by name.
std::array<std::pair<std::string_view, El>, kElementCount> sortedNames() {
    std::array<std::pair<std::string_view, El>, kElementCount> sorted{};
    for (size_t i = 0; i < kElementCount; ++i)
        sorted[i] = {kNames[i], static_cast<El>(i)};
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

}  // namespace

std::string_view NameOf(El el) {
    return kNames[static_cast<size_t>(el)];
}

std::optional<El> ElementNamed(std::string_view name) {
    static const auto sorted = sortedNames();
    const auto it =
        std::lower_bound(sorted.begin(), sorted.end(), name,
                         [](const auto& entry, std::string_view n) { return entry.first < n; });
    if (it == sorted.end() || it->first != name) return std::nullopt;
    return it->second;
}

El ElementCalled(std::string_view name) {
    const std::optional<El> el = ElementNamed(name);
    if (!el) throw std::invalid_argument("no element named " + std::string(name));
    return *el;
}

}  // namespace ardentix
