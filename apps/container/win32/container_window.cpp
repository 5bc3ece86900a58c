#include "apps/container/win32/container_window.h"

#include <commctrl.h>
#include <commdlg.h>
#include <olectl.h>

#include <algorithm>
#include <iostream>

#include "apps/container/instance_name.h"
#include "backends/win32/win32_handles.h"
#include "backends/win32/win32_text.h"

namespace dnovar::container {

namespace {

constexpr wchar_t kWindowClass[] = L"DnovarContainer";
constexpr wchar_t kFormClass[] = L"DnovarContainerForm";
constexpr UINT kRefresh = WM_APP + 1;
constexpr UINT kShown = WM_APP + 2;

enum Command : int {
  kNew = 100,
  kOpen,
  kSave,
  kSaveAs,
  kQuit,
  kName = 200,
  kList,
  kValue,
  kSet,
  kMethods = 210,
  kLog = 220,
};

// Space around the control on its form and between the window's parts, in pixels.
constexpr int kMargin = 8;
constexpr int kListWidth = 300;
constexpr int kLogHeight = 140;

const wchar_t kBagFilter[] = L"Property bags (*.bag, *.json)\0*.bag;*.json\0All files\0*.*\0";

std::string path_text(const std::filesystem::path& path) {
  return utf8_text(path.wstring());
}

bool register_classes() {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.lpfnWndProc = DefWindowProcW;
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  window_class.lpszClassName = kFormClass;
  if (!RegisterClassExW(&window_class) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    return false;
  return true;
}

OwnedMenu file_menu() {
  OwnedMenu file(CreatePopupMenu());
  AppendMenuW(file.get(), MF_STRING, kNew, L"&New\tCtrl+N");
  AppendMenuW(file.get(), MF_STRING, kOpen, L"&Open bag...\tCtrl+O");
  AppendMenuW(file.get(), MF_STRING, kSave, L"&Save\tCtrl+S");
  AppendMenuW(file.get(), MF_STRING, kSaveAs, L"Save &as...\tCtrl+Shift+S");
  AppendMenuW(file.get(), MF_SEPARATOR, 0, nullptr);
  AppendMenuW(file.get(), MF_STRING, kQuit, L"&Quit\tCtrl+Q");
  OwnedMenu bar(CreateMenu());
  if (AppendMenuW(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(file.get()), L"&File"))
    file.release();  // the bar's now: it goes with the bar
  return bar;
}

HACCEL shortcuts() {
  ACCEL keys[] = {
      {FCONTROL | FVIRTKEY, 'N', kNew},  {FCONTROL | FVIRTKEY, 'O', kOpen},
      {FCONTROL | FVIRTKEY, 'S', kSave}, {FCONTROL | FSHIFT | FVIRTKEY, 'S', kSaveAs},
      {FCONTROL | FVIRTKEY, 'Q', kQuit},
  };
  return CreateAcceleratorTableW(keys, static_cast<int>(std::size(keys)));
}

HWND child(HWND parent, const wchar_t* kind, const wchar_t* text, DWORD style, DWORD extended,
           int id) {
  const HWND window = CreateWindowExW(extended, kind, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0,
                                      0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                      GetModuleHandleW(nullptr), nullptr);
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
               TRUE);
  return window;
}

bool is_key(const MSG& message) {
  return message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST;
}

}  // namespace

OleContainerWindow::OleContainerWindow(std::function<void(OleContainerWindow&)> shown)
    : shown_(std::move(shown)) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.lpfnWndProc = &OleContainerWindow::procedure;
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = kWindowClass;
  if ((!RegisterClassExW(&window_class) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) ||
      !register_classes())
    throw RuntimeError(error_number::out_of_memory, "Out of memory: cannot register the window");
  // The menu is the window's once the window is made; the window is this object's once every
  // part stands (until then its messages go to DefWindowProc, and a throw destroys it).
  OwnedMenu menu = file_menu();
  OwnedWindow window(CreateWindowExW(0, kWindowClass, L"dnovar-container", WS_OVERLAPPEDWINDOW,
                                     CW_USEDEFAULT, CW_USEDEFAULT, 780, 600, nullptr, menu.get(),
                                     GetModuleHandleW(nullptr), this));
  if (!window)
    throw RuntimeError(error_number::out_of_memory, "Out of memory: cannot make the window (" +
                                                        std::to_string(GetLastError()) + ")");
  menu.release();
  const HWND main_window = window.get();
  name_label_ = child(main_window, L"STATIC", L"Name:", 0, 0, 0);
  name_ = child(main_window, L"EDIT", wide_text(instance_name_).c_str(),
                WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, kName);
  form_ = CreateWindowExW(WS_EX_CONTROLPARENT | WS_EX_CLIENTEDGE, kFormClass, L"",
                          WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, main_window, nullptr,
                          GetModuleHandleW(nullptr), nullptr);
  methods_ = std::make_unique<MethodButtons>(main_window, kMethods);
  properties_ = std::make_unique<PropertyList>(main_window, kList, kValue, kSet);
  log_ = child(main_window, L"EDIT", L"", WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
               WS_EX_CLIENTEDGE, kLog);
  frame_ = make_com<ole::InPlaceFrame>(main_window);
  site_ = make_com<ole::OleClientSite>(static_cast<ole::SiteOwner&>(*this), form_, frame_);
  document_ = std::make_unique<OleDocument>(site_, static_cast<ole::SinkListener&>(*this));
  accelerators_ = shortcuts();
  window_ = window.release();
}

OleContainerWindow::~OleContainerWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
  if (accelerators_ != nullptr) DestroyAcceleratorTable(accelerators_);
}

LRESULT CALLBACK OleContainerWindow::procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE) {
    const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(l);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
  }
  auto* self = reinterpret_cast<OleContainerWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr || self->window_ == nullptr) return DefWindowProcW(window, message, w, l);
  return self->handle(message, w, l);
}

LRESULT OleContainerWindow::handle(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(w) == kName && HIWORD(w) == EN_KILLFOCUS) {
        rename();
      } else if (HIWORD(w) == 0 || HIWORD(w) == 1) {  // a menu item, a shortcut, a button
        command(LOWORD(w));
      }
      return 0;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(l);
      if (header->idFrom == kList && header->code == LVN_ITEMCHANGED)
        properties_->selection_changed();
      return 0;
    }
    case kRefresh:
      refresh_pending_ = false;
      properties_->refresh();
      update_title();
      return 0;
    case kShown:
      if (shown_) shown_(*this);
      return 0;
    case WM_CLOSE:
      if (may_discard_changes()) DestroyWindow(window_);
      return 0;
    case WM_DESTROY:
      // The control goes while the form that holds its window still stands; a control that
      // outlives it finds the sites without a window.
      document_->close();
      site_->disconnect();
      frame_->disconnect();
      window_ = nullptr;
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window_, message, w, l);
  }
}

void OleContainerWindow::command(int id) {
  const auto reported = [this](const RuntimeError& error) { report(error); };
  switch (id) {
    case kNew:
      if (may_discard_changes()) new_instance();
      return;
    case kOpen:
      open_chosen_file();
      return;
    case kSave:
      save();
      return;
    case kSaveAs:
      save_as();
      return;
    case kQuit:
      PostMessageW(window_, WM_CLOSE, 0, 0);
      return;
    case kSet:
      if (properties_->apply(reported)) schedule_refresh();
      return;
    default:
      if (methods_->command(id, reported)) schedule_refresh();
  }
}

void OleContainerWindow::start(const std::optional<std::filesystem::path>& file) {
  if (!file || !open_file(*file)) new_instance();
  ShowWindow(window_, SW_SHOWNORMAL);
  RedrawWindow(window_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  PostMessageW(window_, kShown, 0, 0);
}

bool OleContainerWindow::new_instance() {
  try {
    document_->new_instance();
  } catch (const RuntimeError& error) {
    report(error);
    return false;
  }
  log("new " + instance_name_);
  show_control();
  return true;
}

bool OleContainerWindow::open_file(const std::filesystem::path& file) {
  try {
    document_->open(file);
  } catch (const RuntimeError& error) {
    report(error);
    log("not opened " + path_text(file));
    return false;
  }
  log("opened " + path_text(file));
  show_control();
  return true;
}

bool OleContainerWindow::save() {
  if (document_->file().empty()) return save_as();
  return save_to(document_->file());
}

bool OleContainerWindow::save_to(const std::filesystem::path& file) {
  try {
    document_->save_as(file);
  } catch (const RuntimeError& error) {
    report(error);
    log("not saved " + path_text(file));
    return false;
  }
  log("saved " + path_text(file));
  update_title();
  return true;
}

bool OleContainerWindow::save_as() {
  if (document_->control() == nullptr) return false;
  wchar_t chosen[MAX_PATH] = {};
  const std::wstring current = document_->file().wstring();
  current.copy(chosen, std::min<std::size_t>(current.size(), MAX_PATH - 1));
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = window_;
  dialog.lpstrFilter = kBagFilter;
  dialog.lpstrFile = chosen;
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrDefExt = L"bag";
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
  return GetSaveFileNameW(&dialog) && save_to(std::filesystem::path(chosen));
}

void OleContainerWindow::open_chosen_file() {
  if (!may_discard_changes()) return;
  wchar_t chosen[MAX_PATH] = {};
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = window_;
  dialog.lpstrFilter = kBagFilter;
  dialog.lpstrFile = chosen;
  dialog.nMaxFile = MAX_PATH;
  dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
  if (GetOpenFileNameW(&dialog)) open_file(std::filesystem::path(chosen));
}

bool OleContainerWindow::may_discard_changes() {
  if (document_->control() == nullptr || !document_->modified()) return true;
  const int answer = MessageBoxW(window_, L"Save the changes to the control?", L"Unsaved changes",
                                 MB_YESNOCANCEL | MB_ICONQUESTION);
  if (answer == IDYES) return save();
  return answer == IDNO;
}

HWND OleContainerWindow::control_window() const {
  ole::OleControl* control = document_ ? document_->control() : nullptr;
  return control != nullptr ? control->window() : nullptr;
}

void OleContainerWindow::show_control() {
  ole::OleControl* control = document_->control();
  layout();
  if (control != nullptr) {
    const SIZE size = control->size();
    try {
      control->activate(RECT{kMargin, kMargin, kMargin + size.cx, kMargin + size.cy});
    } catch (const RuntimeError& error) {
      report(error);
    }
  }
  control_info_changed();
  properties_->show_object(control != nullptr ? &control->dispatch() : nullptr,
                           [this](const RuntimeError& error) { report(error); });
  methods_->set_object(control != nullptr ? &control->dispatch() : nullptr);
  update_title();
}

// The form fits the control; the method buttons go below it, the property list to its right and
// the log along the bottom. The window's client area is made to fit them all.
void OleContainerWindow::layout() {
  ole::OleControl* control = document_->control();
  const SIZE size = control != nullptr ? control->size() : SIZE{300, 240};
  MoveWindow(name_label_, kMargin, kMargin + 3, 40, 18, TRUE);
  MoveWindow(name_, kMargin + 44, kMargin, 160, 22, TRUE);
  const int form_top = kMargin + 30;
  // The form's client area holds the control with a margin all round; its edge is outside.
  RECT form{0, 0, size.cx + 2 * kMargin, size.cy + 2 * kMargin};
  AdjustWindowRectEx(&form, WS_CHILD, FALSE, WS_EX_CLIENTEDGE);
  const int form_width = form.right - form.left;
  MoveWindow(form_, kMargin, form_top, form_width, form.bottom - form.top, TRUE);
  const int methods_bottom =
      methods_->place(kMargin, form_top + (form.bottom - form.top) + kMargin);
  const int list_x = kMargin + form_width + 2 * kMargin;
  properties_->place(list_x, kMargin, kListWidth, methods_bottom - kMargin);
  const int log_top = methods_bottom + kMargin;
  const int width = list_x + kListWidth + kMargin;
  MoveWindow(log_, kMargin, log_top, width - 2 * kMargin, kLogHeight, TRUE);
  RECT client{0, 0, width, log_top + kLogHeight + kMargin};
  AdjustWindowRectEx(&client, WS_OVERLAPPEDWINDOW, TRUE, 0);
  SetWindowPos(window_, nullptr, 0, 0, client.right - client.left, client.bottom - client.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void OleContainerWindow::rename() {
  const std::string wanted = window_text(name_);
  if (wanted == instance_name_) return;
  try {
    if (!valid_instance_name(wanted))
      throw RuntimeError(error_number::invalid_property_value,
                         "Invalid property value: \"" + wanted + "\" is no valid name");
    instance_name_ = wanted;
    log("renamed " + wanted);
    if (ole::OleControl* control = document_->control(); control && control->ole_control())
      control->ole_control()->OnAmbientPropertyChange(DISPID_AMBIENT_DISPLAYNAME);
  } catch (const RuntimeError& error) {
    report(error);
    SetWindowTextW(name_, wide_text(instance_name_).c_str());
  }
  schedule_refresh();
}

void OleContainerWindow::log(const std::string& line) {
  std::cout << line << std::endl;
  if (log_ == nullptr) return;
  const std::wstring text = wide_text(line) + L"\r\n";
  const auto end = static_cast<WPARAM>(GetWindowTextLengthW(log_));
  SendMessageW(log_, EM_SETSEL, end, static_cast<LPARAM>(end));
  SendMessageW(log_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

void OleContainerWindow::report(const RuntimeError& error) {
  log("error " + std::to_string(error.number()) + " " + error.what());
}

void OleContainerWindow::control_info_changed() {
  mnemonics_.clear();
  control_eats_enter_ = false;
  ole::OleControl* control = document_ ? document_->control() : nullptr;
  if (control == nullptr || control->ole_control() == nullptr) return;
  CONTROLINFO info{};
  info.cb = sizeof info;
  if (FAILED(control->ole_control()->GetControlInfo(&info))) return;
  control_eats_enter_ = (info.dwFlags & CTRLINFO_EATS_RETURN) != 0;
  // The table is the control's, lent until it asks again: the container keeps a copy of its keys.
  if (info.hAccel == nullptr) return;
  mnemonics_.resize(info.cAccel);
  if (!mnemonics_.empty())
    CopyAcceleratorTableW(info.hAccel, mnemonics_.data(), static_cast<int>(mnemonics_.size()));
}

void OleContainerWindow::control_event(DISPID, const std::string& name) {
  log("event " + name);
}

void OleContainerWindow::control_changed(DISPID, const std::string& name) {
  log("changed " + name);
  document_->note_change();
  schedule_refresh();
}

void OleContainerWindow::schedule_refresh() {
  if (refresh_pending_ || window_ == nullptr) return;
  refresh_pending_ = true;
  PostMessageW(window_, kRefresh, 0, 0);
}

void OleContainerWindow::update_title() {
  const std::filesystem::path& file = document_->file();
  std::string title = file.empty() ? "Untitled" : path_text(file.filename());
  if (document_->control() != nullptr && document_->modified()) title += "*";
  SetWindowTextW(window_, wide_text(title + " - dnovar-container").c_str());
}

bool OleContainerWindow::inside_control(HWND window) const {
  const HWND control = control_window();
  return control != nullptr && window != nullptr && (window == control || IsChild(control, window));
}

bool OleContainerWindow::translate(MSG& message) {
  if (window_ == nullptr || !is_key(message)) return false;
  // The control first, while it is UI-active and has the focus: Tab and its access keys.
  if (IOleInPlaceActiveObject* active = frame_->active_object();
      active != nullptr && inside_control(message.hwnd) &&
      active->TranslateAccelerator(&message) == S_OK)
    return true;
  // Its access keys from anywhere else in the window: the control presses its own button.
  if (message.message == WM_SYSKEYDOWN && !inside_control(message.hwnd)) {
    for (const ACCEL& key : mnemonics_) {
      if ((key.fVirt & FALT) && key.key == message.wParam && document_->control() != nullptr &&
          document_->control()->ole_control()->OnMnemonic(&message) == S_OK) {
        schedule_refresh();
        return true;
      }
    }
  }
  if (TranslateAcceleratorW(window_, accelerators_, &message)) return true;
  // Enter in the control presses the window's default button, unless the control takes it where
  // the focus is (a box whose handler acts on Enter).
  if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN &&
      inside_control(message.hwnd)) {
    if (control_eats_enter_) return false;
    command(kSet);
    return true;
  }
  if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN) {
    if (message.hwnd == name_) {
      rename();
      return true;
    }
    if (message.hwnd == properties_->value_field()) {
      command(kSet);
      return true;
    }
  }
  // Tab and Shift+Tab walk the window's fields, into the control's widgets too (its window and
  // the form are control parents); inside the control it walks them itself, and hands the key
  // back at its last stop (first, backwards) for the window to move on.
  const bool tab = message.message == WM_KEYDOWN && message.wParam == VK_TAB;
  if (inside_control(message.hwnd) && !tab) return false;
  return IsDialogMessageW(window_, &message);
}

void OleContainerWindow::dispatched(const MSG& message) {
  switch (message.message) {
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_MOUSEWHEEL:
      if (inside_control(message.hwnd)) schedule_refresh();
      break;
    default:
      break;
  }
}

}  // namespace dnovar::container
