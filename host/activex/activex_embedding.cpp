// Embedding in a container: IOleObject, in-place activation (IOleInPlaceObject,
// IOleInPlaceActiveObject) and IOleControl's mnemonics. The control's window moves into the
// container's window while it is active in place and back into its hidden parking window after.
#include "core/surface_layout.h"
#include "host/activex/activex_control.h"
#include "host/activex/activex_registration.h"
#include "host/activex/com_boundary.h"
#include "host/activex/com_guid.h"
#include "host/activex/object_hold.h"
#include "host/type_library.h"

namespace dnovar {

namespace {

// The access keys of the control's buttons as their virtual-key codes (a letter's is its capital).
std::vector<std::pair<char, WidgetId>> access_keys() {
  std::vector<std::pair<char, WidgetId>> keys;
  const WidgetTable& table = calendar_widget_table();
  for (std::size_t i = 0; i < table.widgets.size(); ++i) {
    const char key = table.widgets[i].access_key;
    if (key == 0) continue;
    const char code = key >= 'a' && key <= 'z' ? static_cast<char>(key - 'a' + 'A') : key;
    keys.emplace_back(code, WidgetId{static_cast<int>(i)});
  }
  return keys;
}

// The container's frame window, which shows the active object's menus and tools; null when it
// has none.
ComRef<IOleInPlaceFrame> frame_of(IOleInPlaceSite& site) {
  ComRef<IOleInPlaceFrame> frame;
  ComRef<IOleInPlaceUIWindow> document;
  RECT where{}, clip{};
  OLEINPLACEFRAMEINFO frame_info{};
  frame_info.cb = sizeof frame_info;
  if (FAILED(site.GetWindowContext(frame.put(), document.put(), &where, &clip, &frame_info)))
    frame.reset();
  return frame;
}

// A failure names the control's class and the interface whose method failed.
constexpr ErrorOrigin kObjectOrigin{kDnovarProgId, &IID_IOleObject};
constexpr ErrorOrigin kInPlaceOrigin{kDnovarProgId, &IID_IOleInPlaceObject};
constexpr ErrorOrigin kActiveObjectOrigin{kDnovarProgId, &IID_IOleInPlaceActiveObject};
constexpr ErrorOrigin kControlOrigin{kDnovarProgId, &IID_IOleControl};

bool is_alt_key(const MSG& message) {
  return message.message == WM_SYSKEYDOWN || message.message == WM_SYSCHAR;
}

}  // namespace

HRESULT ActiveXControl::SetClientSite(IOleClientSite* site) {
  return guarded(kObjectOrigin, [&] {
    client_site_ = ComRef<IOleClientSite>::share(site);
    user_mode_ = read_user_mode();
    if (site == nullptr) {
      // The container is letting go: no more of its sites.
      if (in_place_active_) InPlaceDeactivate();
      in_place_site_.reset();
    }
    return S_OK;
  });
}

HRESULT ActiveXControl::GetClientSite(IOleClientSite** out) {
  return guarded(kObjectOrigin, [&] { return client_site_.copy_to(out); });
}

HRESULT ActiveXControl::SetHostNames(LPCOLESTR, LPCOLESTR) {
  return guarded(kObjectOrigin, [&] { return S_OK; });
}

HRESULT ActiveXControl::Close(DWORD save_option) {
  return guarded(kObjectOrigin, [&] {
    const ObjectHold hold(holder());
    if (save_option == OLECLOSE_SAVEIFDIRTY && client_site_ && is_dirty())
      client_site_->SaveObject();
    if (in_place_active_) InPlaceDeactivate();
    if (advise_holder_) advise_holder_->SendOnClose();
    return S_OK;
  });
}

HRESULT ActiveXControl::SetMoniker(DWORD, IMoniker*) {
  return guarded(kObjectOrigin, [&] {
    return E_NOTIMPL;  // a control is not linked to
  });
}

HRESULT ActiveXControl::GetMoniker(DWORD, DWORD, IMoniker** out) {
  return guarded(kObjectOrigin, [&] {
    if (out != nullptr) *out = nullptr;
    return E_NOTIMPL;
  });
}

HRESULT ActiveXControl::InitFromData(IDataObject*, BOOL, DWORD) {
  return guarded(kObjectOrigin, [&] {
    return E_NOTIMPL;  // nothing is pasted into a calendar
  });
}

HRESULT ActiveXControl::GetClipboardData(DWORD, IDataObject** out) {
  return guarded(kObjectOrigin, [&] {
    if (out != nullptr) *out = nullptr;
    return E_NOTIMPL;
  });
}

HRESULT ActiveXControl::DoVerb(LONG verb, LPMSG, IOleClientSite* active_site, LONG, HWND parent,
                               LPCRECT position) {
  return guarded(kObjectOrigin, [&] {
    IOleClientSite* site = active_site != nullptr ? active_site : client_site_.get();
    switch (verb) {
      case OLEIVERB_PRIMARY:
      case OLEIVERB_SHOW:
      case OLEIVERB_UIACTIVATE:
        return activate_in_place(site, true, parent, position);
      case OLEIVERB_INPLACEACTIVATE:
        return activate_in_place(site, false, parent, position);
      case OLEIVERB_HIDE:
        ShowWindow(window_, SW_HIDE);
        return S_OK;
      default:
        return OLEOBJ_S_INVALIDVERB;
    }
  });
}

HRESULT ActiveXControl::activate_in_place(IOleClientSite* site, bool ui_activate, HWND parent,
                                          LPCRECT position) {
  if (site == nullptr) return E_UNEXPECTED;
  const ObjectHold hold(holder());
  if (!in_place_active_) {
    ComRef<IOleInPlaceSite> in_place;
    if (FAILED(site->QueryInterface(IID_IOleInPlaceSite, in_place.put_void())))
      return E_NOINTERFACE;
    if (in_place->CanInPlaceActivate() != S_OK) return E_FAIL;
    if (FAILED(in_place->OnInPlaceActivate())) return E_FAIL;
    in_place_site_ = in_place;
    HWND container = parent;
    if (container == nullptr) in_place_site_->GetWindow(&container);
    ComRef<IOleInPlaceFrame> frame;
    ComRef<IOleInPlaceUIWindow> document;
    RECT where{}, clip{};
    OLEINPLACEFRAMEINFO frame_info{};
    frame_info.cb = sizeof frame_info;
    in_place_site_->GetWindowContext(frame.put(), document.put(), &where, &clip, &frame_info);
    if (position != nullptr) where = *position;
    in_place_active_ = true;
    SetParent(window_, container);
    MoveWindow(window_, where.left, where.top, where.right - where.left, where.bottom - where.top,
               TRUE);
    ShowWindow(window_, SW_SHOWNA);
  }
  if (ui_activate && !ui_active_) {
    ui_active_ = true;
    in_place_site_->OnUIActivate();
    if (ComRef<IOleInPlaceFrame> frame = frame_of(*in_place_site_))
      frame->SetActiveObject(static_cast<IOleInPlaceActiveObject*>(this), L"Dnovar");
    // The focus goes into the control unless it is already there.
    HWND focus = GetFocus();
    if (focus == nullptr || (focus != window_ && !IsChild(window_, focus))) SetFocus(window_);
  }
  return S_OK;
}

HRESULT ActiveXControl::EnumVerbs(IEnumOLEVERB** out) {
  return guarded(kObjectOrigin, [&] {
    if (out != nullptr) *out = nullptr;
    return OLE_S_USEREG;
  });
}

HRESULT ActiveXControl::Update() {
  return guarded(kObjectOrigin, [&] { return S_OK; });
}

HRESULT ActiveXControl::IsUpToDate() {
  return guarded(kObjectOrigin, [&] { return S_OK; });
}

HRESULT ActiveXControl::GetUserClassID(CLSID* out) {
  return guarded(kObjectOrigin, [&] { return GetClassID(out); });
}

HRESULT ActiveXControl::GetUserType(DWORD, LPOLESTR* out) {
  return guarded(kObjectOrigin, [&] {
    if (out != nullptr) *out = nullptr;
    return OLE_S_USEREG;
  });
}

HRESULT ActiveXControl::SetExtent(DWORD aspect, SIZEL* size) {
  return guarded(kObjectOrigin, [&] {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (size == nullptr) return E_POINTER;
    extent_ = *size;
    return S_OK;
  });
}

HRESULT ActiveXControl::GetExtent(DWORD aspect, SIZEL* size) {
  return guarded(kObjectOrigin, [&] {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (size == nullptr) return E_POINTER;
    *size = extent_;
    return S_OK;
  });
}

HRESULT ActiveXControl::Advise(IAdviseSink* sink, DWORD* cookie) {
  return guarded(kObjectOrigin, [&] {
    if (sink == nullptr || cookie == nullptr) return E_POINTER;
    if (!advise_holder_ && FAILED(CreateOleAdviseHolder(advise_holder_.put())))
      return E_OUTOFMEMORY;
    return advise_holder_->Advise(sink, cookie);
  });
}

HRESULT ActiveXControl::Unadvise(DWORD cookie) {
  return guarded(kObjectOrigin, [&] {
    return advise_holder_ ? advise_holder_->Unadvise(cookie) : OLE_E_NOCONNECTION;
  });
}

HRESULT ActiveXControl::EnumAdvise(IEnumSTATDATA** out) {
  return guarded(kObjectOrigin, [&] {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    return advise_holder_ ? advise_holder_->EnumAdvise(out) : S_OK;
  });
}

HRESULT ActiveXControl::GetMiscStatus(DWORD aspect, DWORD* status) {
  return guarded(kObjectOrigin, [&] {
    if (status == nullptr) return E_POINTER;
    *status = aspect == DVASPECT_CONTENT ? kControlMiscStatus : 0;
    return S_OK;
  });
}

HRESULT ActiveXControl::SetColorScheme(LOGPALETTE*) {
  return guarded(kObjectOrigin, [&] {
    return E_NOTIMPL;  // the control draws in system colours
  });
}

HRESULT ActiveXControl::GetWindow(HWND* out) {
  return guarded(kInPlaceOrigin, [&] {
    if (out == nullptr) return E_POINTER;
    *out = window_;
    return S_OK;
  });
}

HRESULT ActiveXControl::ContextSensitiveHelp(BOOL) {
  return guarded(kInPlaceOrigin, [&] {
    return E_NOTIMPL;  // the control has no help file
  });
}

HRESULT ActiveXControl::InPlaceDeactivate() {
  return guarded(kInPlaceOrigin, [&] {
    if (!in_place_active_) return S_OK;
    const ObjectHold hold(holder());
    UIDeactivate();
    in_place_active_ = false;
    ShowWindow(window_, SW_HIDE);
    SetParent(window_, parking_window_);
    if (in_place_site_) in_place_site_->OnInPlaceDeactivate();
    in_place_site_.reset();
    return S_OK;
  });
}

HRESULT ActiveXControl::UIDeactivate() {
  return guarded(kInPlaceOrigin, [&] {
    if (!ui_active_) return S_OK;
    const ObjectHold hold(holder());
    ui_active_ = false;
    if (in_place_site_) {
      if (ComRef<IOleInPlaceFrame> frame = frame_of(*in_place_site_))
        frame->SetActiveObject(nullptr, nullptr);
      in_place_site_->OnUIDeactivate(FALSE);
    }
    return S_OK;
  });
}

HRESULT ActiveXControl::SetObjectRects(LPCRECT position, LPCRECT) {
  return guarded(kInPlaceOrigin, [&] {
    if (position == nullptr) return E_POINTER;
    MoveWindow(window_, position->left, position->top, position->right - position->left,
               position->bottom - position->top, TRUE);
    return S_OK;
  });
}

HRESULT ActiveXControl::ReactivateAndUndo() {
  return guarded(kInPlaceOrigin, [&] { return INPLACE_E_NOTUNDOABLE; });
}

HRESULT ActiveXControl::TranslateAccelerator(LPMSG message) {
  return guarded(kActiveObjectOrigin, [&] {
    if (message == nullptr) return E_POINTER;
    // Tab and Shift+Tab move between the control's widgets, Alt with an access key presses its
    // button; everything else is the container's or the focused widget's.
    const bool tab = message->message == WM_KEYDOWN && message->wParam == VK_TAB;
    if (tab && tabs_out_of_control(GetKeyState(VK_SHIFT) < 0)) {
      // The last stop (the first, backwards): the key is the container's, to move to its next
      // field. Its site may take it; else its own loop (a dialog manager) does.
      const ObjectHold hold(holder());
      ComRef<IOleControlSite> control_site;
      if (client_site_) client_site_->QueryInterface(IID_IOleControlSite, control_site.put_void());
      constexpr DWORD kShift = 1;  // KEYMOD_SHIFT, which the compiler's headers lack
      const DWORD modifiers = GetKeyState(VK_SHIFT) < 0 ? kShift : 0;
      if (control_site && control_site->TranslateAccelerator(message, modifiers) == S_OK)
        return S_OK;
      return S_FALSE;
    }
    if ((tab || is_alt_key(*message)) && IsDialogMessageW(window_, message)) return S_OK;
    return S_FALSE;
  });
}

bool ActiveXControl::tabs_out_of_control(bool backwards) const {
  const HWND focus = GetFocus();
  if (focus == nullptr || !IsChild(window_, focus)) return false;  // Tab goes into the control
  const HWND first = GetNextDlgTabItem(window_, nullptr, FALSE);
  if (first == nullptr) return true;  // no stop of its own: the key passes through
  // The dialog manager wraps around inside the control's window: a step that lands on the
  // first stop (forwards) or the last (backwards) leaves the control instead.
  const HWND last = GetNextDlgTabItem(window_, first, TRUE);
  const HWND next = GetNextDlgTabItem(window_, focus, backwards ? TRUE : FALSE);
  return next == (backwards ? last : first);
}

HRESULT ActiveXControl::OnFrameWindowActivate(BOOL) {
  return guarded(kActiveObjectOrigin, [&] { return S_OK; });
}

HRESULT ActiveXControl::OnDocWindowActivate(BOOL) {
  return guarded(kActiveObjectOrigin, [&] { return S_OK; });
}

HRESULT ActiveXControl::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) {
  return guarded(kActiveObjectOrigin, [&] {
    return S_OK;  // the control has no toolbars to place
  });
}

HRESULT ActiveXControl::EnableModeless(BOOL) {
  return guarded(kActiveObjectOrigin, [&] { return S_OK; });
}

HRESULT ActiveXControl::GetControlInfo(CONTROLINFO* info) {
  return guarded(kControlOrigin, [&] {
    if (info == nullptr) return E_POINTER;
    std::vector<ACCEL> accelerators;
    for (const auto& [key, widget] : access_keys()) {
      (void)widget;
      accelerators.push_back(ACCEL{FALT | FVIRTKEY, static_cast<WORD>(key), 0});
    }
    info->cb = sizeof *info;
    info->hAccel = mnemonic_table_.of(accelerators);
    info->cAccel = static_cast<USHORT>(accelerators.size());
    // Enter in the year box or the shift box is the control's: no default button takes it there.
    const Win32Surface* shown = surface();
    info->dwFlags = shown != nullptr && shown->focus_in_enter_box() ? CTRLINFO_EATS_RETURN : 0;
    return S_OK;
  });
}

HRESULT ActiveXControl::OnMnemonic(MSG* message) {
  return guarded(kControlOrigin, [&] {
    if (message == nullptr) return E_POINTER;
    Win32Surface* shown = surface();
    if (shown == nullptr) return S_FALSE;
    // CharUpperW takes a single character in the low word of its pointer argument.
    const auto pressed = reinterpret_cast<WPARAM>(
        CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(message->wParam & 0xFFFF))));
    for (const auto& [key, widget] : access_keys()) {
      if (static_cast<WPARAM>(key) == pressed) {
        SendMessageW(shown->widget(widget).window(), BM_CLICK, 0, 0);
        return S_OK;
      }
    }
    return S_FALSE;
  });
}

HRESULT ActiveXControl::OnAmbientPropertyChange(DISPID changed) {
  return guarded(kControlOrigin, [&] {
    // The one ambient the control reads is UserMode: its colours are the system's, its caption its
    // own. DISPID_UNKNOWN means several changed.
    if (changed == DISPID_AMBIENT_USERMODE || changed == DISPID_UNKNOWN)
      user_mode_ = read_user_mode();
    return S_OK;
  });
}

HRESULT ActiveXControl::FreezeEvents(BOOL freeze) {
  return guarded(kControlOrigin, [&] {
    if (freeze) {
      ++frozen_events_;
    } else if (frozen_events_ > 0) {
      --frozen_events_;
    }
    return S_OK;
  });
}

}  // namespace dnovar
