// Tool tips on the Windows controls: the widgets whose rows name a tip, a child window or a label
// the surface draws, get it on one tooltips_class32 control, made when the mouse first comes over
// one of them.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <set>
#include <string>

#include "backends/win32/win32_toolkit.h"
#include "platform/wide_text.h"

namespace dnovar {
namespace {

class NoErrors final : public ErrorSink {
 public:
  void report_error(const RuntimeError& error) override { ADD_FAILURE() << error.what(); }
};

WidgetRow row(WidgetKind kind, std::string name, int left, std::string tip) {
  WidgetRow widget;
  widget.kind = kind;
  widget.name = std::move(name);
  widget.rect = {left, 0, 900, 375};
  widget.caption = "x";
  widget.tool_tip = std::move(tip);
  return widget;
}

WidgetTable tipped_table() {
  WidgetTable table;
  table.width = 4000;
  table.height = 500;
  table.widgets = {row(WidgetKind::CommandButton, "cmdTipped", 0, "Posune datum."),
                   row(WidgetKind::Label, "lblTipped", 1000, "Týden v roce"),
                   row(WidgetKind::TextBox, "txtPlain", 2000, "")};
  return table;
}

// The texts of the control's tools.
std::set<std::string> tool_texts(HWND control) {
  std::set<std::string> texts;
  const auto count = static_cast<UINT>(SendMessageW(control, TTM_GETTOOLCOUNT, 0, 0));
  for (UINT i = 0; i < count; ++i) {
    wchar_t text[80] = {};
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.lpszText = text;
    if (SendMessageW(control, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(&info)))
      texts.insert(utf8_text(text));
  }
  return texts;
}

class Win32ToolTipsTest : public ::testing::Test {
 protected:
  Win32Toolkit toolkit_;
  NoErrors errors_;
};

TEST_F(Win32ToolTipsTest, MadeOnTheFirstMoveOverATippedWidgetWithEveryTip) {
  const std::unique_ptr<Surface> made = toolkit_.create_surface(tipped_table(), errors_);
  auto& surface = static_cast<Win32Surface&>(*made);
  const HWND plain = surface.widget(WidgetId{2}).window();
  SendMessageW(plain, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  ASSERT_EQ(surface.tool_tip_control(), nullptr) << "no tip there";

  const HWND button = surface.widget(WidgetId{0}).window();
  SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  const HWND control = surface.tool_tip_control();
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(tool_texts(control), (std::set<std::string>{"Posune datum.", "Týden v roce"}));
}

TEST_F(Win32ToolTipsTest, ALabelsTipCoversTheLabelsArea) {
  const std::unique_ptr<Surface> made = toolkit_.create_surface(tipped_table(), errors_);
  auto& surface = static_cast<Win32Surface&>(*made);
  const POINT middle = surface.middle_of(WidgetId{1});
  SendMessageW(surface.window(), WM_MOUSEMOVE, 0, MAKELPARAM(middle.x, middle.y));
  const HWND control = surface.tool_tip_control();
  ASSERT_NE(control, nullptr);

  TTHITTESTINFOW hit{};
  hit.hwnd = surface.window();
  hit.pt = middle;
  hit.ti.cbSize = sizeof hit.ti;
  wchar_t text[80] = {};
  hit.ti.lpszText = text;
  ASSERT_TRUE(SendMessageW(control, TTM_HITTESTW, 0, reinterpret_cast<LPARAM>(&hit)));
  EXPECT_EQ(utf8_text(text), "Týden v roce");
  hit.pt.x = surface.middle_of(WidgetId{2}).x + 1000;  // beyond every widget
  EXPECT_FALSE(SendMessageW(control, TTM_HITTESTW, 0, reinterpret_cast<LPARAM>(&hit)));
}

}  // namespace
}  // namespace dnovar
