#include "tests/activex/control_probe.h"

#include <gtest/gtest.h>

#include <ocidl.h>
#include <oleidl.h>

#include <cmath>
#include <cstdint>

#include "core/surface_layout.h"
#include "host/activex/private_interfaces.h"

namespace dnovar {

namespace {

ComVariant widget_value(IUnknown& control, WidgetId id, WidgetProperty property) {
  ComRef<DnovarInspection> inspection;
  ComVariant value;
  EXPECT_EQ(control.QueryInterface(DnovarInspection::iid, inspection.put_void()), S_OK);
  if (inspection) {
    EXPECT_EQ(inspection->ReadWidget(id.value, property, value.put()), S_OK);
  }
  return value;
}

DISPID id_of(IDispatch& control, const wchar_t* name) {
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names = const_cast<LPOLESTR>(name);
  EXPECT_EQ(control.GetIDsOfNames(IID_NULL, &names, 1, 0, &id), S_OK) << name;
  return id;
}

}  // namespace

ComVariant property_of(IDispatch& control, const wchar_t* name) {
  ComVariant value;
  DISPPARAMS none{};
  EXPECT_EQ(control.Invoke(id_of(control, name), IID_NULL, 0, DISPATCH_PROPERTYGET, &none,
                           value.put(), nullptr, nullptr),
            S_OK)
      << name;
  return value;
}

HRESULT put_property(IDispatch& control, const wchar_t* name, VARIANT value) {
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS parameters{&value, &named, 1, 1};
  return control.Invoke(id_of(control, name), IID_NULL, 0, DISPATCH_PROPERTYPUT, &parameters,
                        nullptr, nullptr, nullptr);
}

DATE date_of(IDispatch& control) {
  ComVariant value = property_of(control, L"Datum");
  return V_VT(value.get()) == VT_DATE ? V_DATE(value.get()) : -1;
}

DATE today() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  DATE date = 0;
  SystemTimeToVariantTime(&now, &date);
  return std::floor(date);
}

std::string widget_caption(IUnknown& control, WidgetId id) {
  ComVariant caption = widget_value(control, id, WidgetProperty::caption);
  return V_VT(caption.get()) == VT_BSTR ? utf8_from_bstr(V_BSTR(caption.get())) : "?";
}

int day_cell_captioned(IUnknown& control, const std::string& caption) {
  for (int cell = 0; cell < kDayCellCount; ++cell)
    if (widget_caption(control, day_cell_id(cell)) == caption) return cell;
  return -1;
}

std::string another_day_of_month() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return now.wDay == 1 ? "2" : "1";
}

HWND widget_window(IUnknown& control, WidgetId id) {
  ComVariant window = widget_value(control, id, WidgetProperty::window);
  return reinterpret_cast<HWND>(static_cast<INT_PTR>(V_I8(window.get())));
}

namespace {

struct MouseTarget {
  HWND window;
  LPARAM point;
};

MouseTarget mouse_target(IUnknown& control, WidgetId id) {
  ComVariant window = widget_value(control, id, WidgetProperty::mouse_window);
  ComVariant middle = widget_value(control, id, WidgetProperty::middle);
  return {reinterpret_cast<HWND>(static_cast<INT_PTR>(V_I8(window.get()))),
          static_cast<LPARAM>(V_I4(middle.get()))};
}

}  // namespace

void double_click(IUnknown& control, WidgetId id) {
  const MouseTarget target = mouse_target(control, id);
  SendMessageW(target.window, WM_LBUTTONDBLCLK, MK_LBUTTON, target.point);
  SendMessageW(target.window, WM_LBUTTONUP, 0, target.point);
}

void drag(IUnknown& control, WidgetId from, WidgetId to) {
  const MouseTarget start = mouse_target(control, from);
  const MouseTarget end = mouse_target(control, to);
  SendMessageW(start.window, WM_LBUTTONDOWN, MK_LBUTTON, start.point);
  SendMessageW(end.window, WM_MOUSEMOVE, MK_LBUTTON, end.point);
  SendMessageW(end.window, WM_LBUTTONUP, 0, end.point);
  SendMessageW(end.window, WM_MOUSEMOVE, 0, end.point);
}

void press_alt_key(IUnknown& control, wchar_t key) {
  ComRef<IOleInPlaceActiveObject> active;
  ComRef<IOleWindow> window;
  ASSERT_EQ(control.QueryInterface(IID_IOleInPlaceActiveObject, active.put_void()), S_OK);
  ASSERT_EQ(control.QueryInterface(IID_IOleWindow, window.put_void()), S_OK);
  MSG message{};
  ASSERT_EQ(window->GetWindow(&message.hwnd), S_OK);
  message.message = WM_SYSCHAR;
  message.wParam = key;
  message.lParam = 1 << 29;  // Alt is down
  active->TranslateAccelerator(&message);
}

int cyan_pixels_drawn(IUnknown& control) {
  constexpr int width = 300, height = 251;
  BITMAPINFO header{};
  header.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &header, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  const RECTL bounds{0, 0, width, height};
  ComRef<IViewObject2> view;
  EXPECT_EQ(control.QueryInterface(IID_IViewObject2, view.put_void()), S_OK);
  int cyan = 0;
  if (view && view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, &bounds, nullptr,
                         nullptr, 0) == S_OK) {
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    for (int i = 0; i < width * height; ++i) cyan += (pixels[i] & 0xFFFFFF) == 0x00FFFF;
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return cyan;
}

void click_button(IUnknown& control, WidgetId id) {
  SendMessageW(widget_window(control, id), BM_CLICK, 0, 0);
}

}  // namespace dnovar
