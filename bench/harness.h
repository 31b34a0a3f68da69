// A small benchmark harness: warm-up, repeated timed batches, median.
#pragma once
#include <windows.h>
#include <algorithm>
#include <utility>
#include <vector>

namespace bench {

inline double NowSeconds() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / frequency;
}

struct Options {
  int warmupBatches = 2;
  int batches = 15;      // timed repetitions; the median is reported
  int perBatch = 1000;   // calls per batch
};

inline double Median(std::vector<double> samples) {
  std::nth_element(samples.begin(), samples.begin() + samples.size() / 2, samples.end());
  return samples[samples.size() / 2];
}

// Median time of one call of fn, in seconds.
template <class Fn>
double MedianSeconds(Fn&& fn, const Options& options = {}) {
  for (int b = 0; b < options.warmupBatches; ++b)
    for (int i = 0; i < options.perBatch; ++i) fn();
  std::vector<double> samples;
  samples.reserve(options.batches);
  for (int b = 0; b < options.batches; ++b) {
    const double start = NowSeconds();
    for (int i = 0; i < options.perBatch; ++i) fn();
    samples.push_back((NowSeconds() - start) / options.perBatch);
  }
  return Median(std::move(samples));
}

}  // namespace bench
