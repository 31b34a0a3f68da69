// Runs under code page 1252, which cannot spell Chinese: a Unicode window
// keeps every character through the skin, in its caption, on its buttons, in
// a header item and in what is typed into a text box.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "skin/draw/images.h"
#include "skin/draw/painters.h"
#include "skin/draw/primitives.h"
#include "skin/draw/properties.h"
#include "skin/skin.h"
#include "tests/support/win32_test.h"

namespace {

constexpr wchar_t kTitle[] = L"上帝模式 - Tarvel 论坛";
constexpr wchar_t kCaption[] = L"在桌面创建“上帝模式”图标";
constexpr wchar_t kHeaderText[] = L"名称";
constexpr wchar_t kTyped[] = L"中文";
constexpr UINT kCaptionFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;

LRESULT CALLBACK WideFormProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

HWND CreateWideForm() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = WideFormProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"ThunderRT6FormDC";
  RegisterClassExW(&wc);
  HWND form = CreateWindowExW(0, wc.lpszClassName, kTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40, 420,
                              240, nullptr, nullptr, wc.hInstance, nullptr);
  ShowWindow(form, SW_SHOWNORMAL);
  UpdateWindow(form);
  return form;
}

HWND WideChild(HWND parent, const wchar_t* cls, const wchar_t* text, int y, int w, int h) {
  return CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE, 10, y, w, h, parent, nullptr, nullptr, nullptr);
}

// The text as the ANSI code page returns it: what an ANSI path makes of it.
std::wstring ThroughCodePage(const wchar_t* text) {
  char ansi[256] = {};
  WideCharToMultiByte(CP_ACP, 0, text, -1, ansi, sizeof(ansi), nullptr, nullptr);
  wchar_t back[256] = {};
  MultiByteToWideChar(CP_ACP, 0, ansi, -1, back, 256);
  return back;
}

// A face cell drawn over w x h with the text on it, as the painters compose
// a look: nine-grid face, then the text in black on a transparent background.
skin::Surface Look(HDC image, int cellX, int cellY, int cellW, int cellH, int margin, int w, int h, HFONT font,
                   const std::wstring& text, RECT textRect) {
  skin::Surface look = skin::CreateSurface(w, h);
  skin::DrawSkinImage(look.dc(), 0, 0, w, h, image, cellX, cellY, cellW, cellH, margin, margin, margin, margin);
  SelectObject(look.dc(), font);
  SetBkMode(look.dc(), TRANSPARENT);
  SetTextColor(look.dc(), 0);
  DrawTextW(look.dc(), text.c_str(), -1, &textRect, kCaptionFormat);
  return look;
}

int Differences(HDC a, int ax, HDC b, int w, int h) {
  int n = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) n += GetPixel(a, ax + x, y) != GetPixel(b, x, y);
  return n;
}

}  // namespace

TEST(CodePage1252, UnicodeWindowsKeepEveryCharacterThroughTheSkin) {
  ASSERT_EQ(GetACP(), 1252u) << "runs in the en_US.UTF-8 prefix";
  ASSERT_NE(ThroughCodePage(kCaption), kCaption) << "the code page must lose these characters";

  test::Window form(CreateWideForm());
  const int bw = 240, bh = 32, iw = 120;
  HWND button = WideChild(form, L"Button", kCaption, 10, bw, bh);
  HWND header = WideChild(form, WC_HEADERW, L"", 60, 300, 24);
  HWND edit = WideChild(form, L"Edit", L"", 100, 200, 24);
  HFONT font = CreateFontW(-14, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"宋体");
  for (HWND w : {button, header}) SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  HDITEMW item{};
  item.mask = HDI_WIDTH | HDI_TEXT;
  item.cxy = iw;
  item.pszText = const_cast<wchar_t*>(kHeaderText);
  SendMessageW(header, HDM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  ASSERT_EQ(skin::BeginSkin(form), 1);
  const skin::SkinImages& images = skin::CurrentSkinImages();

  // What other programs read, and what the title bar shows.
  EXPECT_EQ(test::WindowTextW(form), kTitle);
  EXPECT_EQ(test::WindowTextW(button), kCaption);

  // The caption as drawn on the normal look, ink included.
  const RECT captionRect{2, 2, bw - 2, bh - 2};
  const skin::Surface wanted = Look(images.Button.dc(), 0, 0, 7, 21, 3, bw, bh, font, kCaption, captionRect);
  const skin::Surface lossy =
      Look(images.Button.dc(), 0, 0, 7, 21, 3, bw, bh, font, ThroughCodePage(kCaption), captionRect);
  ASSERT_GT(Differences(wanted.dc(), 0, lossy.dc(), bw, bh), 20);
  EXPECT_EQ(Differences(skin::GetSurfaceDc(button, 0), 0, wanted.dc(), bw, bh), 0);

  // A header item's text as drawn.
  test::Canvas drawn(300, 24);
  skin::PaintHeaderItem(header, drawn.dc(), 0, 0);
  const skin::Surface itemLook = Look(images.Header.dc(), 0, 0, 3, 20, 1, iw, 24, font, kHeaderText, {0, 0, iw, 24});
  EXPECT_EQ(Differences(drawn.dc(), 0, itemLook.dc(), iw, 24), 0);

  // Typed characters reach the text box whole.
  for (const wchar_t* c = kTyped; *c; ++c) SendMessageW(edit, WM_CHAR, *c, 1);
  EXPECT_EQ(test::WindowTextW(edit), kTyped);

  EXPECT_EQ(skin::EndSkin(form), 1);
  form.reset();
  DeleteObject(font);
}
