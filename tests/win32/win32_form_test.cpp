// A form's modal loop on Windows: while it runs, the thread's other windows take no input; it
// ends by the close box or the form's button, and gives the other windows their input back.
#include <gtest/gtest.h>

#include <oleacc.h>

#include <optional>
#include <string>

#include "backends/win32/win32_text.h"
#include "backends/win32/win32_toolkit.h"
#include "com/com_values.h"

namespace dnovar {
namespace {

class NoErrors final : public ErrorSink {
 public:
  void report_error(const RuntimeError& error) override { ADD_FAILURE() << error.what(); }
};

// Unloads the form on its button's click.
class ClosingEvents final : public WidgetEvents {
 public:
  explicit ClosingEvents(Form& form) : form_(form) {}
  void click(WidgetId) override {
    ++clicks;
    form_.unload();
  }
  // The test presses the button and nothing else.
  void value_changed(WidgetId) override {}
  void key_press(WidgetId, int&) override {}
  void mouse_down(WidgetId, int) override {}
  void mouse_move(WidgetId, int) override {}
  void double_click(WidgetId) override {}
  void focus_entered() override {}
  void focus_left() override {}
  void grid_focus_entered() override {}
  void grid_focus_left() override {}
  void grid_key(GridKey, int) override {}
  int clicks = 0;

 private:
  Form& form_;
};

WidgetTable form_table() {
  WidgetTable table;
  table.caption = "About";
  table.width = 3000;
  table.height = 1500;
  WidgetRow button;
  button.kind = WidgetKind::CommandButton;
  button.name = "Command1";
  button.rect = {1000, 900, 1000, 375};
  button.caption = "&Zavřít";
  table.widgets.push_back(button);
  return table;
}

// What MSAA clients (screen readers) read as a window's name: the text it shows.
std::string accessible_name(HWND window) {
  IAccessible* client = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&client))))
    return "(no object)";
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  Bstr name;
  std::string text = "(no name)";
  if (client->get_accName(self, name.put()) == S_OK) text = name.utf8();
  client->Release();
  return text;
}

class Win32Form : public ::testing::Test {
 protected:
  void SetUp() override {
    owner_ = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 100, 100,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(owner_, nullptr);
  }
  void TearDown() override { DestroyWindow(owner_); }

  // Shows the form modally; `act` runs once the loop is idle, with the owner's state then.
  void show(Form& form, const std::function<void(HWND form)>& act) {
    bool acted = false;
    toolkit_.on_modal_idle([&](HWND window) {
      if (acted) return false;
      acted = true;
      owner_enabled_inside_ = IsWindowEnabled(owner_) != FALSE;
      act(window);
      return true;
    });
    form.show_modal();
    EXPECT_TRUE(acted) << "the loop never ran";
  }

  HWND owner_ = nullptr;
  Win32Toolkit toolkit_;
  NoErrors errors_;
  std::optional<bool> owner_enabled_inside_;
};

TEST_F(Win32Form, CloseBoxEndsTheLoopAndOtherWindowsAreDisabledMeanwhile) {
  const std::unique_ptr<Form> form = toolkit_.create_form(form_table(), errors_);
  show(*form, [](HWND window) { PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); });
  EXPECT_EQ(owner_enabled_inside_, false);
  EXPECT_FALSE(form->loaded());
  EXPECT_TRUE(IsWindowEnabled(owner_)) << "the owner takes input again";
}

TEST_F(Win32Form, ButtonAndItsAccessKeyReachTheHandler) {
  const std::unique_ptr<Form> form = toolkit_.create_form(form_table(), errors_);
  ClosingEvents events(*form);
  form->set_events(&events);
  HWND button = static_cast<Win32Surface&>(*form).widget(WidgetId{0}).window();
  show(*form, [button](HWND) { PostMessageW(button, BM_CLICK, 0, 0); });
  EXPECT_EQ(events.clicks, 1);
  EXPECT_FALSE(form->loaded());

  show(*form, [](HWND window) {
    PostMessageW(GetFocus() ? GetFocus() : window, WM_SYSCHAR, L'z', 1 << 29);
  });
  EXPECT_EQ(events.clicks, 2) << "Alt+Z presses &Zavřít";
  EXPECT_FALSE(form->loaded());
}

TEST_F(Win32Form, ADoubledAmpersandIsShownAsOneAndIsNoAccessKey) {
  const struct {
    const char* caption;
    wchar_t key;
    bool pressed;
    const char* shown;
  } cases[] = {
      {"A&&B", L'b', false, "A&B"},
      {"A&&B", L'a', false, "A&B"},
      {"A&B", L'b', true, "AB"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.caption);
    WidgetTable table = form_table();
    table.widgets[0].caption = c.caption;
    const std::unique_ptr<Form> form = toolkit_.create_form(table, errors_);
    ClosingEvents events(*form);
    form->set_events(&events);
    EXPECT_EQ(form->table().widgets[0].access_key, c.pressed ? 'b' : 0);
    EXPECT_EQ(accessible_name(static_cast<Win32Surface&>(*form).widget(WidgetId{0}).window()),
              c.shown);
    show(*form, [&c](HWND window) {
      PostMessageW(GetFocus() ? GetFocus() : window, WM_SYSCHAR, c.key, 1 << 29);
      // Closes the form where the key did not.
      PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    EXPECT_EQ(events.clicks, c.pressed ? 1 : 0);
    EXPECT_FALSE(form->loaded());
  }
}

}  // namespace
}  // namespace dnovar
