// Two interfaces beside the automation one, for containers that show more of the control than
// COM's standard interfaces carry: our own script host drives dnovar.ocx with them exactly as it
// drives the control built into it. Other containers never need them.
//
// DnovarInspection, answered by the control: its members and its widgets as a test container
// shows them, and a start on a date without persistence.
//
// DnovarContainerSite, answered by a container's client site if it likes: the container's
// clock, and what the control would otherwise show or sound itself (a handler's contained
// failure, a beep) or wait for (the user inside a modal form).
#pragma once

#include <windows.h>

#include <oaidl.h>

namespace dnovar {

// What ReadWidget reads of a widget.
enum class WidgetProperty : LONG {
  caption,
  text,
  back_colour,
  fore_colour,
  font_bold,
  enabled,
  value,
  list_index,
  items,  // one string, the entries separated by line feeds
  accessible_name,
  accessible_description,
  window,        // the widget's window handle, as a 64-bit integer (none for a drawn label)
  text_field,    // where a text box's or combo box's keys go, the same way
  mouse_window,  // where the mouse on the widget goes (the surface's window for a drawn label)
  middle,        // the widget's middle in that window, x in the low word and y in the high one
};

struct DnovarInspection : public IUnknown {
  static constexpr GUID iid = {
      0x5B0E6C1D, 0x2F4A, 0x4E7B, {0x9A, 0x31, 0x6C, 0x0D, 0x8E, 0x2F, 0x41, 0x7A}};
  // The calendar's member number `index` in the order of state_members.h.
  virtual HRESULT STDMETHODCALLTYPE ReadMember(LONG index, VARIANT* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE ReadWidget(LONG id, WidgetProperty property,
                                               VARIANT* value) = 0;
  // The start-up sequence on `date` (0: today) without persistence and without notifications.
  virtual HRESULT STDMETHODCALLTYPE StartOn(DATE date) = 0;

 protected:
  ~DnovarInspection() = default;
};

struct DnovarContainerSite : public IUnknown {
  static constexpr GUID iid = {
      0x5B0E6C1D, 0x2F4A, 0x4E7B, {0x9A, 0x31, 0x6C, 0x0D, 0x8E, 0x2F, 0x41, 0x7B}};
  // S_OK with the container's today, or S_FALSE for the system's.
  virtual HRESULT STDMETHODCALLTYPE Today(DATE* today) = 0;
  virtual HRESULT STDMETHODCALLTYPE ErrorContained(LONG number, BSTR description) = 0;
  virtual HRESULT STDMETHODCALLTYPE Beeped() = 0;
  // Called while a modal form of the control waits for input; *acted says whether the container
  // posted some.
  virtual HRESULT STDMETHODCALLTYPE ModalIdle(HWND form, BOOL* acted) = 0;

 protected:
  ~DnovarContainerSite() = default;
};

}  // namespace dnovar
