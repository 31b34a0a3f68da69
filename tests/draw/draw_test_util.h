// Helpers shared by the draw tests.
#pragma once
#include <windows.h>

#include <vector>

namespace drawtest {

// Leaves only `keep` free GDI slots until destroyed.
class GdiTableFiller {
 public:
  explicit GdiTableFiller(int keep) {
    for (HBITMAP b; (b = CreateBitmap(1, 1, 1, 1, nullptr)) != nullptr;) made_.push_back(b);
    for (int i = 0; i < keep && !made_.empty(); ++i) {
      DeleteObject(made_.back());
      made_.pop_back();
    }
  }
  GdiTableFiller(const GdiTableFiller&) = delete;
  GdiTableFiller& operator=(const GdiTableFiller&) = delete;
  ~GdiTableFiller() {
    for (HBITMAP b : made_) DeleteObject(b);
  }

 private:
  std::vector<HBITMAP> made_;
};

}  // namespace drawtest
