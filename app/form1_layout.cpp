// Form1 as stored: positions in twips, texts, fonts and colours.
#include "app/form1.h"
#include "app/resource_ids.h"

namespace godmode {

namespace {

using form::ControlKind;
using form::ControlDef;
using form::FontDef;

constexpr BYTE kChineseCharset = GB2312_CHARSET;  // 134
constexpr FontDef kText1Font{L"宋体", kLinkFontCentiPoints, FW_NORMAL, kChineseCharset, false};
constexpr FontDef kLabel2Font{L"宋体", kLinkFontCentiPoints, FW_NORMAL, kChineseCharset, false};
constexpr FontDef kLabel1Font{L"宋体", 1500, FW_BOLD, kChineseCharset, false};
constexpr COLORREF kBlue = 0xFF0000;

constexpr wchar_t kCaption[] = L"上帝模式创建工具 - Tarvel 作品";
constexpr wchar_t kText1Text[] =
    L"    上帝模式是一个包含几乎所有“Windows 7\r\n"
    L"”的系统设置，用户只需通过这一个窗口就能实\r\n"
    L"现所有的操控，而不必再去为调整一个小小的系\r\n"
    L"统设置细想半天究竟该在什么地方去打开设置窗\r\n"
    L"口。里面包括了方方面面的系统设置选项和工具\r\n"
    L"，整整278个项目，排列清晰，供您随意选择。其实上帝模式只是一组类标识符，只不过上帝模\r\n"
    L"式把控制面板中的设置给细分了，让大家能够很\r\n"
    L"清楚的进行相关设置。 \r\n";

constexpr ControlDef kControls[] = {
    {L"Command2", ControlKind::CommandButton, 3000, 2880, 3255, 615, 2, nullptr, form::kDefaultColour,
     L"不创建“上帝模式”图标直接打开"},
    {L"Text1", ControlKind::TextBox, 0, 0, 6375, 2775, 1, &kText1Font, kLinkColour, kText1Text},
    {L"Command1", ControlKind::CommandButton, 120, 2880, 2775, 615, 0, nullptr, form::kDefaultColour,
     L"在桌面创建“上帝模式”图标"},
    {L"Label2", ControlKind::Label, 2280, 3600, 3600, 285, 4, &kLabel2Font, kLinkColour, kForumAddress},
    {L"Label1", ControlKind::Label, 480, 3600, 1575, 300, 3, &kLabel1Font, kBlue, L"Tarvel家园"},
};

constexpr form::EventBinding kEvents[] = {
    {L"Form_Load", Form_Load},
    {L"Form_Unload", Form_Unload},
    {L"Form_MouseMove", Form_MouseMove},
    {L"Label2_MouseMove", Label2_MouseMove},
    {L"Label2_Click", Label2_Click},
    {L"Command1_Click", Command1_Click},
    {L"Command2_Click", Command2_Click},
};

constexpr form::FormDef kForm1{kFormClassName, kCaption, 6390, 3945, IDI_PROGRAM,
                                kControls,      ARRAYSIZE(kControls), kEvents, ARRAYSIZE(kEvents)};

}  // namespace

const form::FormDef& Form1() { return kForm1; }

}  // namespace godmode
