// The control as an ActiveX control: the calendar component (host/dnovar_control.h) behind the
// interfaces COM containers and scripts speak. Each interface is an explicit adapter: VARIANTs,
// BSTRs and HRESULTs are converted to and from the component's own values and statuses here.
//
// What is where:
//   activex_control.cpp     identity, the calendar's site, the control's window, starting
//   activex_dispatch.cpp    IDispatch and the dual _Dnovar, error info, class info
//   activex_persistence.cpp IPersistPropertyBag, IPersistStreamInit
//   activex_embedding.cpp   IOleObject, in-place activation, IOleControl
//   activex_view.cpp        IViewObject2, IConnectionPointContainer
//   activex_safety.cpp      IObjectSafety
#pragma once

#include <windows.h>

#include <ocidl.h>
#include <oleidl.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "com/com_object.h"
#include "com/com_ref.h"
#include "component/automation.h"
#include "component/control_hosting.h"
#include "host/activex/accelerator_table.h"
#include "host/activex/connection_points.h"
#include "host/activex/control_toolkit.h"
#include "host/activex/dual_interface.h"
#include "host/activex/object_safety.h"
#include "host/activex/owner_thread.h"
#include "host/activex/private_interfaces.h"
#include "platform/clock.h"
#include "platform/site.h"

namespace dnovar {

class DnovarControl;

class ActiveXControl final
    : public ComObject<Answers<DnovarDual, IDispatch>, ISupportErrorInfo,
                       Answers<IProvideClassInfo2, IProvideClassInfo>, IConnectionPointContainer,
                       IPersistPropertyBag, Answers<IPersistStreamInit, IPersist>, IOleObject,
                       Answers<IOleInPlaceObject, IOleWindow>, IOleInPlaceActiveObject, IOleControl,
                       Answers<IViewObject2, IViewObject>, IObjectSafety, DnovarInspection> {
 public:
  // The new object with the caller's reference, or null when its windows cannot be made; throws
  // std::bad_alloc when there is no memory for it.
  static ComRef<ActiveXControl> create();

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** out) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                                   VARIANT* result, EXCEPINFO* exception,
                                   UINT* argument_error) override;

  // _Dnovar
  HRESULT STDMETHODCALLTYPE get_Dtyd(short* value) override;
  HRESULT STDMETHODCALLTYPE put_Dtyd(short value) override;
  HRESULT STDMETHODCALLTYPE get_Dtyd1(short* value) override;
  HRESULT STDMETHODCALLTYPE put_Dtyd1(short value) override;
  HRESULT STDMETHODCALLTYPE get_Svatky(VARIANT_BOOL* value) override;
  HRESULT STDMETHODCALLTYPE put_Svatky(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_Dlow(short* value) override;
  HRESULT STDMETHODCALLTYPE put_Dlow(short value) override;
  HRESULT STDMETHODCALLTYPE get_Dhigh(short* value) override;
  HRESULT STDMETHODCALLTYPE put_Dhigh(short value) override;
  HRESULT STDMETHODCALLTYPE get_Dplus(short* value) override;
  HRESULT STDMETHODCALLTYPE put_Dplus(short value) override;
  HRESULT STDMETHODCALLTYPE Aktualizuj(short* k) override;
  HRESULT STDMETHODCALLTYPE get_Caption(BSTR* value) override;
  HRESULT STDMETHODCALLTYPE put_Caption(BSTR value) override;
  HRESULT STDMETHODCALLTYPE get_VyberColor(OLE_COLOR* value) override;
  HRESULT STDMETHODCALLTYPE put_VyberColor(OLE_COLOR value) override;
  HRESULT STDMETHODCALLTYPE get_Datum(DATE* value) override;
  HRESULT STDMETHODCALLTYPE put_Datum(DATE value) override;
  HRESULT STDMETHODCALLTYPE Velikonoce(short* Rok, DATE* result) override;
  HRESULT STDMETHODCALLTYPE get_Enabled(VARIANT_BOOL* value) override;
  HRESULT STDMETHODCALLTYPE put_Enabled(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE ShowAbout() override;

  // ISupportErrorInfo
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override;

  // IProvideClassInfo2
  HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** out) override;
  HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* out) override;

  // IConnectionPointContainer
  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** out) override;
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) override;

  // IPersist, IPersistPropertyBag, IPersistStreamInit
  HRESULT STDMETHODCALLTYPE GetClassID(CLSID* out) override;
  HRESULT STDMETHODCALLTYPE InitNew() override;
  HRESULT STDMETHODCALLTYPE Load(IPropertyBag* bag, IErrorLog* log) override;
  HRESULT STDMETHODCALLTYPE Save(IPropertyBag* bag, BOOL clear_dirty, BOOL save_all) override;
  HRESULT STDMETHODCALLTYPE IsDirty() override;
  HRESULT STDMETHODCALLTYPE Load(LPSTREAM stream) override;
  HRESULT STDMETHODCALLTYPE Save(LPSTREAM stream, BOOL clear_dirty) override;
  HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* size) override;

  // IOleObject
  HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override;
  HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** out) override;
  HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR, LPCOLESTR) override;
  HRESULT STDMETHODCALLTYPE Close(DWORD save_option) override;
  HRESULT STDMETHODCALLTYPE SetMoniker(DWORD, IMoniker*) override;
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** out) override;
  HRESULT STDMETHODCALLTYPE InitFromData(IDataObject*, BOOL, DWORD) override;
  HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD, IDataObject** out) override;
  HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG, IOleClientSite* active_site, LONG, HWND parent,
                                   LPCRECT position) override;
  HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB** out) override;
  HRESULT STDMETHODCALLTYPE Update() override;
  HRESULT STDMETHODCALLTYPE IsUpToDate() override;
  HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* out) override;
  HRESULT STDMETHODCALLTYPE GetUserType(DWORD, LPOLESTR* out) override;
  HRESULT STDMETHODCALLTYPE SetExtent(DWORD aspect, SIZEL* size) override;
  HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, SIZEL* size) override;
  HRESULT STDMETHODCALLTYPE Advise(IAdviseSink* sink, DWORD* cookie) override;
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
  HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA** out) override;
  HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD aspect, DWORD* status) override;
  HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE*) override;

  // IOleWindow, IOleInPlaceObject, IOleInPlaceActiveObject
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* out) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override;
  HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override;
  HRESULT STDMETHODCALLTYPE UIDeactivate() override;
  HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT position, LPCRECT clip) override;
  HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override;
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG message) override;
  HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL) override;
  HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL) override;
  HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override;
  HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override;

  // IOleControl
  HRESULT STDMETHODCALLTYPE GetControlInfo(CONTROLINFO* info) override;
  HRESULT STDMETHODCALLTYPE OnMnemonic(MSG* message) override;
  HRESULT STDMETHODCALLTYPE OnAmbientPropertyChange(DISPID) override;
  HRESULT STDMETHODCALLTYPE FreezeEvents(BOOL freeze) override;

  // IViewObject2
  HRESULT STDMETHODCALLTYPE Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC target,
                                 LPCRECTL bounds, LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR),
                                 ULONG_PTR) override;
  HRESULT STDMETHODCALLTYPE GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC,
                                        LOGPALETTE** out) override;
  HRESULT STDMETHODCALLTYPE Freeze(DWORD, LONG, void*, DWORD*) override;
  HRESULT STDMETHODCALLTYPE Unfreeze(DWORD) override;
  HRESULT STDMETHODCALLTYPE SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
  HRESULT STDMETHODCALLTYPE GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** out) override;
  HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) override;

  // IObjectSafety
  HRESULT STDMETHODCALLTYPE GetInterfaceSafetyOptions(REFIID iid, DWORD* supported,
                                                      DWORD* enabled) override;
  HRESULT STDMETHODCALLTYPE SetInterfaceSafetyOptions(REFIID iid, DWORD mask,
                                                      DWORD enabled) override;

  // DnovarInspection
  HRESULT STDMETHODCALLTYPE ReadMember(LONG index, VARIANT* value) override;
  HRESULT STDMETHODCALLTYPE ReadWidget(LONG id, WidgetProperty property, VARIANT* value) override;
  HRESULT STDMETHODCALLTYPE StartOn(DATE date) override;

  // The container's DnovarContainerSite, when its client site answers one.
  ComRef<DnovarContainerSite> container_extras() const;

 private:
  // The calendar's site: the container's extender name, change notifications and events go to
  // the connection points, the widgets are built in the control's window.
  class CalendarSite final : public ControlSite {
   public:
    explicit CalendarSite(ActiveXControl& control) : control_(control) {}
    std::string extender_name() override;
    void property_changed(std::string_view name) override;
    void raise_event(std::string_view name, int dispatch_id) override;
    void report_error(const RuntimeError& error) override;
    Toolkit& toolkit() override { return *control_.toolkit_; }
    const Clock& clock() const override { return clock_; }
    // A host of the automation interface: the control's own rules.
    CalendarRules calendar_rules() const override { return CalendarRules::Control; }

   private:
    // The container's date where it keeps one, else the system's.
    class ContainerClock final : public Clock {
     public:
      explicit ContainerClock(ActiveXControl& control) : control_(control) {}
      DateSerial today() const override;

     private:
      ActiveXControl& control_;
      SystemClock system_;
    };

    ActiveXControl& control_;
    ContainerClock clock_{control_};
  };

  // What the control decides about its surface's notifications: they come while the control is
  // in the container's design mode, too.
  class Listener final : public SurfaceListener {
   public:
    explicit Listener(ActiveXControl& control) : control_(control) {}
    void focus_changed(bool entered) override { control_.focus_changed(entered); }
    bool takes_input() const override { return control_.user_mode_; }
    IUnknown* holder() override { return control_.holder(); }

   private:
    ActiveXControl& control_;
  };

  template <typename Object, typename... Args>
  friend ComRef<Object> make_com(Args&&... args);

  ActiveXControl();
  ~ActiveXControl() override;
  bool build();

  // Every automation call goes through here, inside its method's boundary: starts a control
  // nobody has loaded yet and calls the component. A run-time error the component reports (its
  // dispatch caught it) is reported from there straight to the caller, into Invoke's `exception`
  // or as the error info; any other failing status is returned as it is.
  HRESULT call(DISPID id, InvokeKind kind, std::vector<Variant>& args, Variant* result,
               EXCEPINFO* exception = nullptr);
  // The dual interface's entries: their bodies run through the boundary, which reports errors as
  // Invoke does. A read converts the member's value into `out`, a write `value` into the member's.
  template <typename Body>
  HRESULT dual_call(Body&& body) noexcept;
  template <typename Out, typename Convert>
  HRESULT dual_read(DISPID id, Out* out, Convert convert) noexcept;
  template <typename In, typename Convert>
  HRESULT dual_write(DISPID id, In value, Convert convert) noexcept;
  // A control created without a container (a script's CreateObject) starts as a new control does
  // in a container: initialised, saved and loaded from that save, so it shows today.
  void start_if_unloaded();
  // What a container does between placing a new control and running it: the initialised state
  // saved to a bag in memory and loaded from it, which starts the calendar (today, its grid).
  void start_from_own_save();
  // The container's ambient UserMode: false while it designs its form. A container that has no
  // ambients to ask runs its controls.
  bool read_user_mode();
  // What Save would write now, encoded as a stream holds it; nothing when it cannot be saved.
  std::optional<std::vector<std::uint8_t>> saved_image();
  // The state now is what the container has (it loaded, initialised or saved it).
  void mark_clean();
  // Whether Save would write something else than the container has: a write accessor's change
  // or the user's (a day picked, a range dragged) alike.
  bool is_dirty();

  // The control's identity, for an ObjectHold around a modal loop or a call out of the control.
  // Null while the control is being destroyed.
  IUnknown* holder() { return destroying_ ? nullptr : static_cast<IOleObject*>(this); }
  void notify_changed(DISPID id);
  // Delivers an event of __Dnovar to the advised sinks (the component raises its events to the
  // relay that build() advises on it).
  void fire_event(DISPID id);
  void focus_changed(bool entered);
  // True when Tab (Shift+Tab: `backwards`) from the focused widget would wrap around inside the
  // control: the key leaves the control for the container's next field.
  bool tabs_out_of_control(bool backwards) const;
  void view_changed();
  HRESULT activate_in_place(IOleClientSite* site, bool ui_activate, HWND parent, LPCRECT position);
  Win32Surface* surface() const { return toolkit_ ? toolkit_->control_surface() : nullptr; }
  SIZEL natural_extent() const;

  // The prologue of every COM method of the control (owner_thread.h): a call from another thread
  // is refused, the body runs inside the error boundary.
  template <typename... Arguments>
  HRESULT guarded(const ErrorOrigin& origin, Arguments&&... arguments) const noexcept {
    return owner_thread_.guarded(origin, std::forward<Arguments>(arguments)...);
  }
  const OwnerThread owner_thread_;

  HWND parking_window_ = nullptr;  // hidden; holds the control's window while it is not in place
  HWND window_ = nullptr;          // the control's window, parent of its surface
  Listener listener_{*this};       // before the toolkit, which tells it what the surface hears
  std::unique_ptr<ControlToolkit> toolkit_;
  CalendarSite site_{*this};
  ComponentPtr<Dispatch> calendar_;
  DnovarControl* component_ = nullptr;  // the object behind calendar_, made here
  ComponentPtr<ControlHosting> hosting_;
  bool persistence_started_ = false;  // InitNew or Load came (or the control started itself)
  bool starting_itself_ = false;      // its own start is nobody's change: no notifications
  bool dirty_ = false;  // a write accessor changed a value since the container last had it
  std::optional<std::vector<std::uint8_t>> clean_image_;
  bool destroying_ = false;
  bool user_mode_ = true;  // false in the container's design mode: no input, no events
  int frozen_events_ = 0;
  DWORD enabled_safety_ = 0;  // the INTERFACESAFE_* options the host enabled

  ComRef<IOleClientSite> client_site_;
  ComRef<IOleInPlaceSite> in_place_site_;
  ComRef<IOleAdviseHolder> advise_holder_;
  ComRef<IAdviseSink> view_sink_;
  DWORD view_advise_aspects_ = 0;
  DWORD view_advise_flags_ = 0;
  bool in_place_active_ = false;
  bool ui_active_ = false;
  SIZEL extent_{};                   // HIMETRIC
  AcceleratorTable mnemonic_table_;  // the access keys GetControlInfo lends the container
  ComRef<ITypeLib> library_;         // loaded on first use

  ConnectionPoint events_point_;
  ConnectionPoint property_point_;
};

}  // namespace dnovar
