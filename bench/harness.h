// A small benchmark harness: an operation of the skin and its floor (the
// platform work the same result needs at least), timed in alternating
// batches in one process, so that both see the same machine at the same
// moments; or, in counting mode, run between markers that a trace of Wine's
// server can be cut at.
#pragma once
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
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

inline double Median(std::vector<double> samples) {
  if (samples.empty()) return 0;
  std::nth_element(samples.begin(), samples.begin() + samples.size() / 2, samples.end());
  return samples[samples.size() / 2];
}

// One side of a comparison: the operation timed, and what puts things back
// between two operations (untimed, not counted; empty when nothing needs it).
struct Side {
  std::function<void()> op;
  std::function<void()> reset;
  int units = 0;     // what one operation is divided into, when not the schedule's
  int perBatch = 0;  // operations per batch, when not the schedule's
};

struct Schedule {
  int warmups = 1;    // batches of each side before the timed ones
  int rounds = 15;    // timed batches of each side, the two sides in turn
  int perBatch = 1;   // operations per batch
  int units = 1;      // what one operation is divided into (buttons): results are per unit
  int countOps = 1;   // operations run between markers in counting mode
};

// Medians per unit, in seconds, and the median of the per-round ratios: a
// round's two batches ran side by side, so their ratio moves least with load.
struct Comparison {
  double skin = 0, floor = 0, ratio = 0;
};

inline int UnitsOf(const Side& side, const Schedule& s) { return side.units > 0 ? side.units : s.units; }
inline int PerBatchOf(const Side& side, const Schedule& s) { return side.perBatch > 0 ? side.perBatch : s.perBatch; }

// Seconds per operation of one batch.
inline double TimeBatch(const Side& side, int perBatch) {
  if (!side.reset) {
    const double start = NowSeconds();
    for (int i = 0; i < perBatch; ++i) side.op();
    return (NowSeconds() - start) / perBatch;
  }
  double total = 0;
  for (int i = 0; i < perBatch; ++i) {
    const double start = NowSeconds();
    side.op();
    total += NowSeconds() - start;
    side.reset();
  }
  return total / perBatch;
}

inline Comparison Alternate(const Side& skin, const Side& floor, const Schedule& s) {
  for (int i = 0; i < s.warmups; ++i) {
    TimeBatch(skin, PerBatchOf(skin, s));
    TimeBatch(floor, PerBatchOf(floor, s));
  }
  std::vector<double> skinTimes, floorTimes, ratios;
  for (int r = 0; r < s.rounds; ++r) {
    // Each side goes first in every other round: neither always runs on a
    // cache or a scheduler slice the other has just warmed or used up.
    double a, b;
    if (r % 2 == 0) {
      a = TimeBatch(skin, PerBatchOf(skin, s));
      b = TimeBatch(floor, PerBatchOf(floor, s));
    } else {
      b = TimeBatch(floor, PerBatchOf(floor, s));
      a = TimeBatch(skin, PerBatchOf(skin, s));
    }
    a /= UnitsOf(skin, s);
    b /= UnitsOf(floor, s);
    skinTimes.push_back(a);
    floorTimes.push_back(b);
    if (b > 0) ratios.push_back(a / b);
  }
  return {Median(skinTimes), Median(floorTimes), Median(ratios)};
}

// Counting mode: a global atom added with a name is one server request whose
// trace line carries the name. Between "skin-bench|B|<key>|<units>" and
// "skin-bench|E|<key>" the trace holds the requests of the operations alone.
inline void Marker(const std::wstring& name) { GlobalAddAtomW((L"skin-bench|" + name).c_str()); }

inline void CountSide(const std::wstring& key, const Side& side, const Schedule& s) {
  TimeBatch(side, 1);  // first-use work stays out of the count
  const std::wstring units = std::to_wstring(UnitsOf(side, s));
  if (!side.reset) {
    Marker(L"B|" + key + L"|" + std::to_wstring(s.countOps * UnitsOf(side, s)));
    for (int i = 0; i < s.countOps; ++i) side.op();
    Marker(L"E|" + key);
    return;
  }
  for (int i = 0; i < s.countOps; ++i) {
    Marker(L"B|" + key + L"|" + units);
    side.op();
    Marker(L"E|" + key);
    side.reset();
  }
}

}  // namespace bench
