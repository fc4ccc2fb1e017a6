#pragma once
#include <optional>
#include <string>
#include <vector>

// A look into a results database without changing it, for scripts and checks.
namespace ardentix::store {

// The first column of every row a query gives ("NULL" for a null), or why it failed (a missing
// file is not created).
struct ColumnRows {
    std::vector<std::string> values;
    std::optional<std::string> failure;
};
ColumnRows QueryColumn(const std::string& path, const std::string& sql);

}  // namespace ardentix::store
