#pragma once

#include <chrono>
#include <functional>
#include <vector>

namespace dpx::bench {

// Milliseconds that `work` took, by the steady clock.
double TimeMs(const std::function<void()>& work);

// The middle value (the mean of the two middle ones for an even count); 0 for none.
double Median(std::vector<double> values);

}  // namespace dpx::bench
