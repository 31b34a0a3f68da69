// Measures what the skin costs over the platform's own controls, side by side
// in one run, and prints a table of ratios.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/form1.h"
#include "app/form_runtime.h"
#include "bench/harness.h"
#include "bench/startup.h"
#include "skin/attach.h"
#include "skin/draw/images.h"
#include "skin/draw/properties.h"
#include "skin/fade.h"
#include "skin/skin.h"

namespace {

constexpr double kTickSeconds = 0.015;
constexpr int kStarts = 11;              // per program, after one warm-up start each
constexpr int kCountedButtons = 10;
constexpr double kGdiProcessLimit = 10000;  // Windows' default GDI objects per process
constexpr UINT kRepaintFlags = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW;

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

LRESULT CALLBACK ContainerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// A container of a form-kind class (the kind the skin walks into; "Form"
// itself belongs to the form runtime) with n buttons side by side, none
// overlapping another: Command1's size when they fit, smaller when many.
HWND CreateButtonForm(int n, std::vector<HWND>* buttons = nullptr) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = ContainerProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"ThunderFormDC";
    RegisterClassExW(&wc);
    registered = true;
  }
  HWND form = CreateWindowExW(0, L"ThunderFormDC", L"bench", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 1280, 1024,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  const bool small = n > 100;
  const int w = small ? 30 : 185, h = small ? 20 : 41, columns = 1280 / (w + 2);
  for (int i = 0; i < n; ++i) {
    HWND b = CreateWindowExW(0, L"Button", small ? L"按钮" : L"在桌面创建“上帝模式”图标",
                             WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, (i % columns) * (w + 2), (i / columns) * (h + 2),
                             w, h, form, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (buttons) buttons->push_back(b);
  }
  ShowWindow(form, SW_SHOWNORMAL);
  UpdateWindow(form);
  Pump();
  return form;
}

form::FormDef WithoutEvents(form::FormDef def) {
  def.events = nullptr;
  def.eventCount = 0;
  return def;
}

struct Row {
  const char* what;
  double measured;
  double baseline;
  const char* unit;
  const char* target;
  bool met;
};

void PrintRow(const Row& r) {
  std::printf("| %-58s | %12.2f | %12.2f | %8.3f | %-14s | %-4s |\n", r.what, r.measured, r.baseline,
              r.baseline > 0 ? r.measured / r.baseline : 0.0, r.target, r.met ? "met" : "MISS");
}

// 1 to 5: the skin's costs inside one process.
void AddSkinRows(std::vector<Row>& rows) {
  using bench::MedianSeconds;
  // 1. A message the skin does not handle, through the same button unskinned and skinned.
  {
    std::vector<HWND> buttons;
    HWND form = CreateButtonForm(1, &buttons);
    const bench::Options many{3, 21, 20000};
    const double plain = MedianSeconds([&] { SendMessageW(buttons[0], WM_APP + 7, 0, 0); }, many);
    skin::AttachSkin(buttons[0]);
    const double skinned = MedianSeconds([&] { SendMessageW(buttons[0], WM_APP + 7, 0, 0); }, many);
    rows.push_back({"1. unhandled message, skinned vs unskinned (us)", skinned * 1e6, plain * 1e6, "us",
                    "<= 1.5x", skinned <= 1.5 * plain});

    // 2. One fade step of a Command1-sized button, as a share of the 15 ms tick.
    skin::StopStateTimer(buttons[0]);
    const double step = MedianSeconds([&] { SendMessageW(buttons[0], WM_TIMER, 0, 0); }, {2, 15, 200});
    skin::StopStateTimer(buttons[0]);
    rows.push_back({"2. one fade step (WM_TIMER + AlphaBlend) vs 15 ms tick (us)", step * 1e6, kTickSeconds * 1e6,
                    "us", "< 2%", step < 0.02 * kTickSeconds});
    DestroyWindow(form);
  }

  // 3. A full repaint of Form1, skinned against unskinned.
  {
    const form::FormDef plainSpec = WithoutEvents(godmode::Form1());
    form::Form* plain = form::Form::Load(plainSpec, false);
    form::Form* skinned = form::Form::Load(godmode::Form1(), false);
    Pump();
    const bench::Options paints{2, 15, 20};

    const double plainPaint = MedianSeconds([&] { RedrawWindow(plain->hwnd(), nullptr, nullptr, kRepaintFlags); }, paints);
    const double skinPaint = MedianSeconds([&] { RedrawWindow(skinned->hwnd(), nullptr, nullptr, kRepaintFlags); }, paints);
    rows.push_back({"3. full repaint of Form1, skinned vs unskinned (us)", skinPaint * 1e6, plainPaint * 1e6, "us",
                    "<= 2x", skinPaint <= 2 * plainPaint});
    DestroyWindow(plain->hwnd());
    DestroyWindow(skinned->hwnd());
    Pump();
  }

  // 4. Building the images, and attaching Form1, against creating it.
  {
    const form::FormDef plainSpec = WithoutEvents(godmode::Form1());
    const bench::Options once{1, 11, 1};
    const double build = MedianSeconds([] {
      skin::SkinImages images;
      skin::BuildSkinBitmaps(images);
    }, once);
    // Creation alone: destroying a shown top-level window takes Wine seconds
    // (it waits for the X server), which is no part of creating it.
    std::vector<double> creations;
    for (int i = 0; i < 7; ++i) {
      const double start = bench::NowSeconds();
      form::Form* f = form::Form::Load(plainSpec, false);
      creations.push_back(bench::NowSeconds() - start);
      DestroyWindow(f->hwnd());
    }
    const double create = bench::Median(creations);
    form::Form* f = form::Form::Load(plainSpec, false);
    std::vector<double> attaches;
    for (int i = 0; i < 11; ++i) {
      const double start = bench::NowSeconds();
      skin::BeginSkin(f->hwnd());
      attaches.push_back(bench::NowSeconds() - start);
      skin::EndSkin(f->hwnd());
    }
    const double attach = bench::Median(attaches);
    DestroyWindow(f->hwnd());
    rows.push_back({"4a. BuildSkinBitmaps vs creating Form1 (us)", build * 1e6, create * 1e6, "us", "(info)", true});
    rows.push_back({"4b. attaching Form1 (BeginSkin) vs creating Form1 (us)", attach * 1e6, create * 1e6, "us",
                    "< 25%", attach < 0.25 * create});
  }

  // 5. Growth with the number of controls: cost per button at 10, 100, 1000.
  double attachPer10 = 0, paintPer10 = 0;
  for (int n : {10, 100, 1000}) {
    HWND form = CreateButtonForm(n);
    const bench::Options once{1, 5, 1};
    const double attach = MedianSeconds([&] {
      skin::AttachSkin(form);
      skin::DetachSkin(form);
    }, once);
    skin::AttachSkin(form);
    Pump();
    const double paint = MedianSeconds([&] { RedrawWindow(form, nullptr, nullptr, kRepaintFlags); }, once);
    skin::DetachSkin(form);
    DestroyWindow(form);
    Pump();
    const double attachPer = attach / n * 1e6, paintPer = paint / n * 1e6;
    if (n == 10) {
      attachPer10 = attachPer;
      paintPer10 = paintPer;
    }
    static char attachLabel[3][80], paintLabel[3][80];
    const int k = n == 10 ? 0 : n == 100 ? 1 : 2;
    std::snprintf(attachLabel[k], sizeof attachLabel[k], "5. attach+detach per button, %d buttons vs 10 (us)", n);
    std::snprintf(paintLabel[k], sizeof paintLabel[k], "5. skinned repaint per button, %d buttons vs 10 (us)", n);
    rows.push_back({attachLabel[k], attachPer, attachPer10, "us", "linear (~1x)", attachPer <= 2 * attachPer10});
    rows.push_back({paintLabel[k], paintPer, paintPer10, "us", "linear (~1x)", paintPer <= 2 * paintPer10});
  }

}

// 6. Process start to the first painted Form1, against a minimal one-window
// program, started in turns so that both see the same machine.
void AddStartupRow(std::vector<Row>& rows) {
  const std::wstring tool = bench::BesideThisProgram(L"..\\app\\GodMode.exe");
  const std::wstring minimal = bench::BesideThisProgram(L"minimal_window.exe");
  const std::wstring withDlls = bench::BesideThisProgram(L"minimal_window_dlls.exe");
  std::vector<double> toolStarts, minimalStarts, dllStarts;
  for (int i = 0; i <= kStarts; ++i) {
    const double m = bench::StartToFirstPaint(minimal);
    const double t = bench::StartToFirstPaint(tool);
    const double d = bench::StartToFirstPaint(withDlls);
    if (m < 0 || t < 0 || d < 0) {
      std::fprintf(stderr, "skin_bench: GodMode.exe or a minimal window program showed no painted window\n");
      std::exit(1);
    }
    if (i == 0) continue;  // warm-up: files into the cache, Wine's services up
    minimalStarts.push_back(m);
    toolStarts.push_back(t);
    dllStarts.push_back(d);
  }
  const double toolMs = bench::Median(toolStarts) * 1e3, minimalMs = bench::Median(minimalStarts) * 1e3;
  const double dllMs = bench::Median(dllStarts) * 1e3;
  rows.push_back({"6. start to first painted Form1 vs minimal window (ms)", toolMs, minimalMs, "ms", "<= 1.2x",
                  toolMs <= 1.2 * minimalMs});
  rows.push_back({"6b. minimal window with the tool's DLLs vs minimal (ms)", dllMs, minimalMs, "ms", "(info)", true});
}

// 7. The GDI objects one skinned push button holds, against the per-process limit.
void AddGdiRow(std::vector<Row>& rows) {
  const double perButton = bench::GdiObjectsPerSkinnedButton(kCountedButtons);
  rows.push_back({"7. GDI objects per skinned push button vs 10,000 limit", perButton, kGdiProcessLimit,
                  "objects", "(info)", true});
}

}  // namespace

int main(int argc, char** argv) {
  // --startup: rows 6 and 7 only.
  const bool startupOnly = argc > 1 && std::strcmp(argv[1], "--startup") == 0;
  // Keeps the images alive between the measured attaches, so that attach
  // time does not include building them (measured on its own below).
  HWND keeper = CreateButtonForm(0);
  skin::BeginSkin(keeper);

  std::vector<Row> rows;
  if (!startupOnly) AddSkinRows(rows);
  AddStartupRow(rows);
  AddGdiRow(rows);

  skin::EndSkin(keeper);
  DestroyWindow(keeper);

  std::printf("| %-58s | %12s | %12s | %8s | %-14s | %-4s |\n", "measure", "measured", "baseline", "ratio",
              "target", "");
  std::printf("|%s|%s|%s|%s|%s|%s|\n", std::string(60, '-').c_str(), std::string(14, '-').c_str(),
              std::string(14, '-').c_str(), std::string(10, '-').c_str(), std::string(16, '-').c_str(),
              std::string(6, '-').c_str());
  for (const Row& r : rows) PrintRow(r);
  const double perButton = rows.back().measured;
  if (perButton > 0)
    std::printf("\nAt %.0f GDI objects each, skinned push buttons alone would reach the 10,000-object limit of a\n"
                "Windows process at %.0f buttons.\n", perButton, kGdiProcessLimit / perButton);
  std::printf("\nTimes are medians under Wine on this machine, not Windows times.\n");
  return 0;
}
