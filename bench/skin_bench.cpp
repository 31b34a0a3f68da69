// Measures each cost of the skin against its floor, the platform work that the
// same result needs at least, in one process and in alternating batches, and
// prints a table of ratios with their targets.
//
//   skin_bench.exe [--requests FILE]   timing pass; FILE holds request counts
//   skin_bench.exe --count             counting pass: the operations between
//                                      markers, for a trace of Wine's server
//   skin_bench.exe --startup           the start-up rows alone
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "bench/harness.h"
#include "bench/startup.h"
#include "skin/attach.h"
#include "skin/draw/properties.h"
#include "skin/fade.h"
#include "skin/skin.h"

namespace {

using bench::Schedule;
using bench::Side;

constexpr double kRowTarget = 1.3;      // every row against its floor
constexpr double kFlatTarget = 1.3;     // attach per button at N against at 10 buttons
constexpr double kStartupTarget = 1.1;  // start-up against the same form unskinned
constexpr double kGdiProcessLimit = 10000;  // Windows' default GDI objects per process
constexpr int kCountedButtons = 10;
constexpr int kStarts = 21;  // per program, after one warm-up start each
constexpr int kRepaintRounds = 15;  // a repaint batch is short at every N: many rounds are cheap

constexpr UINT kRepaintFlags = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW;
constexpr int kHostWidth = 1280, kHostHeight = 1024;
// One button size for every count, so that a row's figures differ in N alone.
constexpr int kButtonWidth = 36, kButtonHeight = 20, kButtonGap = 2;
constexpr int kCommandWidth = 185, kCommandHeight = 41;  // Command1's size
constexpr int kCornerDiameter = 3;  // the skin's rounded region
constexpr BYTE kFloorAlpha = 128;
constexpr int kLooks = 4;  // a push button's surfaces: normal, hover, pressed, disabled

bool g_counting = false;

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

LRESULT CALLBACK PlainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void RegisterClasses() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = PlainProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"SkinBenchHost";  // a plain kind: the skin only subclasses it
  RegisterClassExW(&wc);
  wc.lpszClassName = L"ThunderFormDC";  // a form kind, which the skin walks into
  RegisterClassExW(&wc);
}

// A shown top-level window of a plain class; the skinned side's at the left,
// the floor's beside it, so that neither covers the other.
HWND CreateHost(int x) {
  HWND host = CreateWindowExW(0, L"SkinBenchHost", L"bench", WS_POPUP | WS_CLIPCHILDREN | WS_VISIBLE, x, 0,
                              kHostWidth, kHostHeight, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  UpdateWindow(host);
  return host;
}

HWND CreateButton(HWND parent, int x, int y, int w, int h, const wchar_t* text) {
  return CreateWindowExW(0, L"Button", text, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, x, y, w, h, parent, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

// A form-kind child of the host, filling it unless placed, with n buttons of
// one size in rows.
HWND CreateButtonForm(HWND host, int n, std::vector<HWND>& buttons, RECT place = {0, 0, kHostWidth, kHostHeight}) {
  const int width = place.right - place.left;
  HWND form = CreateWindowExW(0, L"ThunderFormDC", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, place.left,
                              place.top, width, place.bottom - place.top, host, nullptr, GetModuleHandleW(nullptr),
                              nullptr);
  const int columns = width / (kButtonWidth + kButtonGap);
  for (int i = 0; i < n; ++i)
    buttons.push_back(CreateButton(form, (i % columns) * (kButtonWidth + kButtonGap),
                                   (i / columns) * (kButtonHeight + kButtonGap), kButtonWidth, kButtonHeight,
                                   L"按钮"));
  UpdateWindow(form);
  Pump();
  return form;
}

// What a push button's set-up needs from the platform whoever draws it: four
// window-sized surfaces compatible with its device context, and its rounded
// region, set without a redraw.
struct FloorButton {
  HDC dc[kLooks] = {};
  HBITMAP bitmap[kLooks] = {};
};

void GiveRegion(HWND b) {
  RECT r{};
  GetWindowRect(b, &r);
  SetWindowRgn(b, CreateRoundRectRgn(0, 0, r.right - r.left + 1, r.bottom - r.top + 1, kCornerDiameter,
                                     kCornerDiameter),
               FALSE);
}

void FloorSetUp(const std::vector<HWND>& buttons, std::vector<FloorButton>& made) {
  made.assign(buttons.size(), FloorButton{});
  for (size_t k = 0; k < buttons.size(); ++k) {
    HWND b = buttons[k];
    HDC windowDc = GetWindowDC(b);
    RECT r{};
    GetWindowRect(b, &r);
    for (int i = 0; i < kLooks; ++i) {
      made[k].dc[i] = CreateCompatibleDC(windowDc);
      made[k].bitmap[i] = CreateCompatibleBitmap(windowDc, r.right - r.left, r.bottom - r.top);
      SelectObject(made[k].dc[i], made[k].bitmap[i]);
    }
    ReleaseDC(b, windowDc);
    GiveRegion(b);
  }
}

void FloorUndo(const std::vector<HWND>& buttons, std::vector<FloorButton>& made) {
  for (size_t k = 0; k < buttons.size(); ++k) {
    for (int i = 0; i < kLooks; ++i) {
      DeleteDC(made[k].dc[i]);
      DeleteObject(made[k].bitmap[i]);
    }
    SetWindowRgn(buttons[k], nullptr, FALSE);
  }
  made.clear();
}

// ---------------------------------------------------------------------------

struct Row {
  std::string key;    // names the row's request counts
  std::string what;
  double measured;    // skin, per unit
  double baseline;    // floor, per unit
  double ratio;
  const char* unit;
  double target;      // ratio at most; 0: for information
  bool counted;       // request counts exist for this row
};

std::vector<Row> g_rows;

const double g_start = bench::NowSeconds();

// A line on stderr per row, with the seconds since the start.
void Progress(const char* what) {
  std::fprintf(stderr, "skin_bench: %6.1f s  %s done\n", bench::NowSeconds() - g_start, what);
}
std::map<std::string, double> g_requests;  // "<key>|skin" and "<key>|floor": requests per unit

void Compare(const std::string& key, const std::string& what, const Side& skin, const Side& floor,
             const Schedule& s, double scale, const char* unit, double target = kRowTarget) {
  if (g_counting) {
    const std::wstring wkey(key.begin(), key.end());
    bench::CountSide(wkey + L"|skin", skin, s);
    bench::CountSide(wkey + L"|floor", floor, s);
    return;
  }
  const bench::Comparison c = bench::Alternate(skin, floor, s);
  g_rows.push_back({key, what, c.skin * scale, c.floor * scale, c.ratio, unit, target, true});
  Progress(what.c_str());
}

// 1 and 2: one button of Command1's size, skinned on its own, beside an unskinned one.
void MessageAndFadeRows(HWND host) {
  HWND skinned = CreateButton(host, 10, 10, kCommandWidth, kCommandHeight, L"在桌面创建“上帝模式”图标");
  HWND plain = CreateButton(host, 10, 60, kCommandWidth, kCommandHeight, L"在桌面创建“上帝模式”图标");
  skin::AttachSkin(skinned);
  Pump();

  Compare("message", "unhandled message: skinned vs unskinned button",
          {[&] { SendMessageW(skinned, WM_APP + 7, 0, 0); }, {}},
          {[&] { SendMessageW(plain, WM_APP + 7, 0, 0); }, {}}, {2, 21, 5000, 1, 200}, 1e6, "us");

  // Without a timer running every WM_TIMER is one step, through the whole
  // fade and round again; the floor blends the same surface once.
  const HDC surface = skin::GetSurfaceDc(skinned, 1);
  Compare("fade", "fade step vs GetDC + AlphaBlend + ReleaseDC",
          {[&] { SendMessageW(skinned, WM_TIMER, 0, 0); }, {}},
          {[&] {
             HDC dc = GetDC(skinned);
             AlphaBlend(dc, 0, 0, kCommandWidth, kCommandHeight, surface, 0, 0, kCommandWidth, kCommandHeight,
                        BLENDFUNCTION{AC_SRC_OVER, 0, kFloorAlpha, 0});
             ReleaseDC(skinned, dc);
           },
           {}},
          {2, 21, 200, 1, 50}, 1e6, "us");
  skin::StopStateTimer(skinned);
  DestroyWindow(skinned);
  DestroyWindow(plain);
  Pump();
}

int BatchFor(int buttons) { return buttons >= 100 ? 1 : 100 / buttons; }

// Attaching a form, per button; detached again between two attaches. A small
// form attaches several times per batch, so that no batch is short enough
// for one slice of another process's time to double it.
Side AttachOf(HWND form, int buttons) {
  return {[form] { skin::AttachSkin(form); },
          [form] {
            skin::DetachSkin(form);
            Pump();
          },
          buttons, BatchFor(buttons)};
}

// 3 and 4 at n buttons: attach per button against the floor's set-up (in
// attachRounds rounds), then repaint per button against unskinned buttons
// with the same regions.
void ButtonRows(HWND skinHost, HWND floorHost, int n, int attachRounds) {
  std::vector<HWND> skinButtons, floorButtons;
  HWND skinForm = CreateButtonForm(skinHost, n, skinButtons);
  HWND floorForm = CreateButtonForm(floorHost, n, floorButtons);
  std::vector<FloorButton> made;
  const std::string N = std::to_string(n);

  Compare("attach" + N, "attach per button, " + N + " buttons vs surfaces + region",
          AttachOf(skinForm, n),
          {[&] {
             FloorSetUp(floorButtons, made);
             RedrawWindow(floorForm, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
           },
           [&] {
             FloorUndo(floorButtons, made);
             Pump();
           },
           n, BatchFor(n)},
          {1, attachRounds, 1, n, 1}, 1e6, "us");

  skin::AttachSkin(skinForm);
  for (HWND b : floorButtons) GiveRegion(b);
  RedrawWindow(floorForm, nullptr, nullptr, kRepaintFlags);
  Pump();
  Compare("repaint" + N, "repaint per button, " + N + " buttons vs unskinned, same regions",
          {[&] { RedrawWindow(skinForm, nullptr, nullptr, kRepaintFlags); }, {}},
          {[&] { RedrawWindow(floorForm, nullptr, nullptr, kRepaintFlags); }, {}},
          {1, kRepaintRounds, n >= 1000 ? 1 : 200 / n, n, 1}, 1e6, "us");

  skin::DetachSkin(skinForm);
  DestroyWindow(skinForm);
  DestroyWindow(floorForm);
  Pump();
}

// Attach per button stays flat: 100 and 1000 buttons against 10, the forms
// side by side and attached in turns, so that the figures share their moments.
void FlatnessRows(HWND host) {
  std::vector<HWND> b10, b100, b1000;
  HWND form1000 = CreateButtonForm(host, 1000, b1000, {0, 0, kHostWidth, 700});
  HWND form10 = CreateButtonForm(host, 10, b10, {0, 700, kHostWidth / 2, kHostHeight});
  HWND form100 = CreateButtonForm(host, 100, b100, {kHostWidth / 2, 700, kHostWidth, kHostHeight});
  Compare("flat100", "attach per button, 100 vs 10 buttons", AttachOf(form100, 100), AttachOf(form10, 10),
          {1, 9, 1, 1, 1}, 1e6, "us", kFlatTarget);
  Compare("flat1000", "attach per button, 1000 vs 10 buttons", AttachOf(form1000, 1000), AttachOf(form10, 10),
          {1, 7, 1, 1, 1}, 1e6, "us", kFlatTarget);
  DestroyWindow(form10);
  DestroyWindow(form100);
  DestroyWindow(form1000);
  Pump();
}

// 5: process start to the first painted window: the tool, the same form with
// the skin not begun, and a minimal window, started in turns.
void StartupRows() {
  const std::wstring tool = bench::BesideThisProgram(L"..\\app\\GodMode.exe");
  const std::wstring unskinned = bench::BesideThisProgram(L"form1_unskinned.exe");
  const std::wstring minimal = bench::BesideThisProgram(L"minimal_window.exe");
  std::vector<double> toolStarts, unskinnedStarts, minimalStarts, vsUnskinned, vsMinimal;
  for (int i = 0; i <= kStarts; ++i) {
    double t, u, m;
    if (i % 2 == 0) {
      t = bench::StartToFirstPaint(tool);
      u = bench::StartToFirstPaint(unskinned);
      m = bench::StartToFirstPaint(minimal);
    } else {
      m = bench::StartToFirstPaint(minimal);
      u = bench::StartToFirstPaint(unskinned);
      t = bench::StartToFirstPaint(tool);
    }
    if (t < 0 || u < 0 || m < 0) {
      std::fprintf(stderr, "skin_bench: a program of the start-up rows showed no painted window\n");
      std::exit(1);
    }
    if (i == 0) continue;  // warm-up: files into the cache, Wine's services up
    toolStarts.push_back(t);
    unskinnedStarts.push_back(u);
    minimalStarts.push_back(m);
    vsUnskinned.push_back(t / u);
    vsMinimal.push_back(t / m);
  }
  const double toolMs = bench::Median(toolStarts) * 1e3;
  g_rows.push_back({"", "start-up: tool vs the same form, skin not begun", toolMs,
                    bench::Median(unskinnedStarts) * 1e3, bench::Median(vsUnskinned), "ms", kStartupTarget, false});
  g_rows.push_back({"", "start-up: tool vs a minimal window", toolMs, bench::Median(minimalStarts) * 1e3,
                    bench::Median(vsMinimal), "ms", kRowTarget, false});
  Progress("start-up");
}

// Lines "<key>|skin <requests per unit>" and "<key>|floor ..." from scripts/bench.sh.
void ReadRequestCounts(const char* path) {
  std::ifstream in(path);
  std::string key;
  double value;
  while (in >> key >> value) g_requests[key] = value;
}

std::string Requests(const Row& r, const char* side) {
  if (!r.counted) return "n/c";
  const auto found = g_requests.find(r.key + "|" + side);
  if (found == g_requests.end()) return "-";
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", found->second);
  return text;
}

void PrintTable() {
  std::printf("| %-64s | %10s | %6s | %10s | %6s | %6s | %-7s | %-4s |\n", "skin vs floor", "skin", "req", "floor",
              "req", "ratio", "target", "");
  std::printf("|%s|%s:|%s:|%s:|%s:|%s:|%s|%s|\n", std::string(66, '-').c_str(), std::string(11, '-').c_str(),
              std::string(7, '-').c_str(), std::string(11, '-').c_str(), std::string(7, '-').c_str(),
              std::string(7, '-').c_str(), std::string(9, '-').c_str(), std::string(6, '-').c_str());
  for (const Row& r : g_rows) {
    char target[16] = "(info)";
    if (r.target > 0) std::snprintf(target, sizeof target, "<= %.1fx", r.target);
    const char* verdict = r.target <= 0 ? "" : r.ratio <= r.target ? "met" : "MISS";
    const std::string what = r.what + " (" + r.unit + ")";
    std::printf("| %-64s | %10.2f | %6s | %10.2f | %6s | %6.2f | %-7s | %-4s |\n", what.c_str(), r.measured,
                Requests(r, "skin").c_str(), r.baseline, Requests(r, "floor").c_str(), r.ratio, target, verdict);
  }
}

}  // namespace

int main(int argc, char** argv) {
  bool startupOnly = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--count") == 0) g_counting = true;
    if (std::strcmp(argv[i], "--startup") == 0) startupOnly = true;
    if (std::strcmp(argv[i], "--requests") == 0 && i + 1 < argc) ReadRequestCounts(argv[++i]);
  }
  RegisterClasses();
  // Keeps the skin's images alive between the measured attaches, so that no
  // attach includes building them.
  HWND keeper = CreateWindowExW(0, L"SkinBenchHost", L"keeper", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  skin::BeginSkin(keeper);

  if (!startupOnly) {
    if (GetSystemMetrics(SM_CXSCREEN) < 2 * kHostWidth)
      std::fprintf(stderr, "skin_bench: the screen is narrower than %d pixels: the floor's window covers part "
                           "of the skin's\n", 2 * kHostWidth);
    HWND skinHost = CreateHost(0);
    HWND floorHost = CreateHost(kHostWidth);
    Pump();
    MessageAndFadeRows(skinHost);
    ButtonRows(skinHost, floorHost, 10, 15);
    ButtonRows(skinHost, floorHost, 100, 9);
    ButtonRows(skinHost, floorHost, 1000, 5);
    FlatnessRows(skinHost);
    ShowWindow(skinHost, SW_HIDE);
    ShowWindow(floorHost, SW_HIDE);
  }
  if (g_counting) return 0;
  StartupRows();
  const double gdiPerButton = bench::GdiObjectsPerSkinnedButton(kCountedButtons);

  skin::EndSkin(keeper);
  DestroyWindow(keeper);

  PrintTable();
  std::printf("\nskin and floor: medians per operation (per button where so named) of alternating batches in\n"
              "one process; ratio: the median of the per-round ratios. req: Wine server requests per\n"
              "operation (per button) from a traced pass; n/c: not counted (other processes, or derived).\n");
  if (gdiPerButton > 0)
    std::printf("GDI objects per skinned push button: %.0f; skinned push buttons alone would reach the\n"
                "10,000-object limit of a Windows process at %.0f buttons.\n",
                gdiPerButton, kGdiProcessLimit / gdiPerButton);
  return 0;
}
