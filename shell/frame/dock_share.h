// A docked window's share of its row as the host keeps it: whole percent.
#pragma once

#include <cmath>
#include <cstdint>

// Rounded, not cut: most shares have no exact float (0.29f is 0.28999...), and a cut would lose
// a percent on every report.
inline int32_t SharePercent(float share) {
    return static_cast<int32_t>(std::lround(share * 100.0f));
}
