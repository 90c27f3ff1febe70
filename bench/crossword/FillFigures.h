#pragma once

// The figures the fill benchmarks report.

#include <algorithm>
#include <vector>

// The value below which the share (0 .. 1) of the values lie (nearest rank); 0 for none.
inline double Percentile(std::vector<double> values, double share) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(share * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(at, values.size() - 1)];
}
