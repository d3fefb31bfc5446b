#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace dpx::bench {

// Milliseconds that `work` took, by the steady clock.
double TimeMs(const std::function<void()>& work);

// The middle value (the mean of the two middle ones for an even count); 0 for none.
double Median(std::vector<double> values);

// Each round's `measured` over the same round's `baseline`.
std::vector<double> Ratios(const std::vector<double>& measured,
                           const std::vector<double>& baseline);

// "M (Rx, A to Bx)": the median of `measured` in milliseconds, the median of the rounds' ratios
// to `baseline` and their range over the rounds.
std::string WithRatioRange(const std::vector<double>& measured,
                           const std::vector<double>& baseline);

// "M (A to B)": the median and the range, in milliseconds.
std::string WithRange(const std::vector<double>& values);

}  // namespace dpx::bench
