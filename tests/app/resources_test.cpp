// The executable's own resources: icon group 1 with its five images, the
// version record and the manifest, read from the built GodMode.exe.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

const LPCWSTR kIconType = MAKEINTRESOURCEW(3);
const LPCWSTR kGroupIconType = MAKEINTRESOURCEW(14);
const LPCWSTR kManifestType = MAKEINTRESOURCEW(24);

#pragma pack(push, 2)
struct GroupIconEntry {
  BYTE width, height, colourCount, reserved;
  WORD planes, bitCount;
  DWORD bytesInRes;
  WORD id;
};
struct GroupIconHeader {
  WORD reserved, type, count;
};
#pragma pack(pop)

class ProgramResources : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExW(GODMODE_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module_, nullptr) << "cannot open " << GODMODE_EXE;
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }
  std::vector<BYTE> Resource(LPCWSTR type, LPCWSTR name) const {
    HRSRC found = FindResourceW(module_, name, type);
    if (!found) return {};
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module_, found)));
    return std::vector<BYTE>(data, data + SizeofResource(module_, found));
  }
  HMODULE module_ = nullptr;
};

TEST_F(ProgramResources, IconGroupOneHoldsFiveImagesWithIds30001To30005) {
  const std::vector<BYTE> group = Resource(kGroupIconType, MAKEINTRESOURCEW(1));
  ASSERT_GE(group.size(), sizeof(GroupIconHeader) + 5 * sizeof(GroupIconEntry));
  const auto* header = reinterpret_cast<const GroupIconHeader*>(group.data());
  EXPECT_EQ(header->type, 1);
  ASSERT_EQ(header->count, 5);
  const auto* entries = reinterpret_cast<const GroupIconEntry*>(header + 1);

  struct Expected { int size, bits; WORD id; };
  const Expected expected[] = {{24, 8, 30001}, {256, 32, 30002}, {48, 32, 30003}, {32, 24, 30004}, {16, 32, 30005}};
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(entries[i].id, expected[i].id);
    EXPECT_EQ(entries[i].width, expected[i].size % 256);
    EXPECT_EQ(entries[i].bitCount, expected[i].bits);
    const std::vector<BYTE> image = Resource(kIconType, MAKEINTRESOURCEW(expected[i].id));
    ASSERT_EQ(image.size(), entries[i].bytesInRes);
    HICON icon = CreateIconFromResourceEx(const_cast<BYTE*>(image.data()), static_cast<DWORD>(image.size()), TRUE,
                                          0x00030000, expected[i].size, expected[i].size, 0);
    EXPECT_NE(icon, nullptr);
    if (icon) DestroyIcon(icon);
    if (expected[i].size == 256) {  // PNG: signature, width (big-endian), 8 bits a channel, RGBA; compressed
      ASSERT_GT(image.size(), 33u);
      EXPECT_EQ(std::string(image.begin(), image.begin() + 8), "\x89PNG\r\n\x1a\n");
      EXPECT_EQ(image[18] << 8 | image[19], 256);
      EXPECT_EQ(image[24] << 8 | image[25], 8 << 8 | 6);
      EXPECT_LT(image.size(), 256u * 256u);
      continue;
    }
    // The other images are in uncompressed bitmap form.
    const auto* bitmap = reinterpret_cast<const BITMAPINFOHEADER*>(image.data());
    EXPECT_EQ(bitmap->biSize, sizeof(BITMAPINFOHEADER));
    EXPECT_EQ(bitmap->biWidth, expected[i].size);
    EXPECT_EQ(bitmap->biHeight, 2 * expected[i].size);
    EXPECT_EQ(bitmap->biBitCount, expected[i].bits);
    EXPECT_EQ(bitmap->biCompression, static_cast<DWORD>(BI_RGB));
  }
  // A small icon is the 16x16 image itself, not one scaled down from 24.
  EXPECT_EQ(LookupIconIdFromDirectoryEx(const_cast<BYTE*>(group.data()), TRUE, 16, 16, LR_DEFAULTCOLOR), 30005);
}

TEST_F(ProgramResources, VersionRecordIsOneDotZeroInSimplifiedChinese) {
  wchar_t path[] = GODMODE_EXE;
  const DWORD size = GetFileVersionInfoSizeW(path, nullptr);
  ASSERT_GT(size, 0u);
  std::vector<BYTE> info(size);
  ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, info.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0u);

  WORD* translation = nullptr;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                             &length));
  ASSERT_GE(length, 4u);
  EXPECT_EQ(translation[0], 0x0804);
  EXPECT_EQ(translation[1], 1200);

  wchar_t* text = nullptr;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\StringFileInfo\\080404b0\\FileVersion",
                             reinterpret_cast<void**>(&text), &length));
  EXPECT_STREQ(text, L"1.00");
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\StringFileInfo\\080404b0\\ProductName",
                             reinterpret_cast<void**>(&text), &length));
  EXPECT_STREQ(text, L"上帝模式");
}

TEST_F(ProgramResources, ManifestDeclaresPerMonitorDpiAndWindows7To11) {
  const std::vector<BYTE> manifest = Resource(kManifestType, MAKEINTRESOURCEW(1));
  ASSERT_FALSE(manifest.empty());
  const std::string text(manifest.begin(), manifest.end());
  for (const char* part : {"<assembly", "2005/WindowsSettings\">true/pm</dpiAware>",
                           "2016/WindowsSettings\">PerMonitorV2, PerMonitor</dpiAwareness>",
                           "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
                           "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})
    EXPECT_NE(text.find(part), std::string::npos) << part;
}

}  // namespace
