#include "bench_stats.h"

#include <algorithm>
#include <cstdio>

namespace dpx::bench {

double TimeMs(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::vector<double> Ratios(const std::vector<double>& measured,
                           const std::vector<double>& baseline) {
  std::vector<double> ratios;
  for (std::size_t i = 0; i < measured.size() && i < baseline.size(); ++i)
    ratios.push_back(baseline[i] > 0 ? measured[i] / baseline[i] : 0.0);
  return ratios;
}

std::string WithRatioRange(const std::vector<double>& measured,
                           const std::vector<double>& baseline) {
  const std::vector<double> ratios = Ratios(measured, baseline);
  if (ratios.empty()) return "-";
  const auto [low, high] = std::minmax_element(ratios.begin(), ratios.end());
  char text[96];
  std::snprintf(text, sizeof text, "%.0f (%.2fx, %.2f to %.2fx)", Median(measured), Median(ratios),
                *low, *high);
  return text;
}

std::string WithRange(const std::vector<double>& values) {
  if (values.empty()) return "-";
  const auto [low, high] = std::minmax_element(values.begin(), values.end());
  char text[64];
  std::snprintf(text, sizeof text, "%.0f (%.0f to %.0f)", Median(values), *low, *high);
  return text;
}

}  // namespace dpx::bench
