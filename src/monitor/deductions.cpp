#include "monitor/deductions.h"

#include <utility>

#include "core/engine.h"

namespace ardentix {

void Deductions::Add(std::string line) {
    e_.screen.Edit(El::SummaryErrors).lines.push_back(std::move(line));
}

}  // namespace ardentix
