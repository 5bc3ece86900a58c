// DnovarInspection: the control's members and widgets for a test container, read where they live.
#include "core/surface_layout.h"
#include "host/activex/activex_control.h"
#include "host/activex/com_boundary.h"
#include "host/activex/state_members.h"
#include "host/activex/variant_bridge.h"
#include "host/dnovar_control.h"

namespace dnovar {

namespace {

// A test container's reads name the control's class and the inspection interface.
constexpr ErrorOrigin kInspectionOrigin{kDnovarProgId, &DnovarInspection::iid};

VARIANT window_handle(HWND window) {
  VARIANT value;
  VariantInit(&value);
  V_VT(&value) = VT_I8;
  V_I8(&value) = static_cast<LONGLONG>(reinterpret_cast<INT_PTR>(window));
  return value;
}

std::string joined(const std::vector<std::string>& items) {
  std::string text;
  for (std::size_t i = 0; i < items.size(); ++i) text += (i > 0 ? "\n" : "") + items[i];
  return text;
}

}  // namespace

HRESULT ActiveXControl::ReadMember(LONG index, VARIANT* value) {
  return guarded(kInspectionOrigin, [&] {
    if (value == nullptr) return E_POINTER;
    VariantInit(value);
    if (component_->calendar() == nullptr) raise_object_not_set();
    *value = com_from_variant(
                 state_member(component_->calendar()->state(), static_cast<std::size_t>(index)))
                 .detach();
    return S_OK;
  });
}

HRESULT ActiveXControl::ReadWidget(LONG id, WidgetProperty property, VARIANT* value) {
  return guarded(kInspectionOrigin, [&] {
    if (value == nullptr) return E_POINTER;
    VariantInit(value);
    Win32Surface* shown = surface();
    if (shown == nullptr || id < 0 || id >= static_cast<LONG>(shown->widget_count()))
      return E_INVALIDARG;
    Win32Widget& widget = shown->widget(WidgetId{static_cast<int>(id)});
    switch (property) {
      case WidgetProperty::caption:
        *value = com_from_variant(Variant::string(widget.caption())).detach();
        break;
      case WidgetProperty::text:
        *value = com_from_variant(Variant::string(widget.text())).detach();
        break;
      case WidgetProperty::back_colour:
        *value = com_from_variant(Variant::i4(static_cast<Int32>(widget.back_colour()))).detach();
        break;
      case WidgetProperty::fore_colour:
        *value = com_from_variant(Variant::i4(static_cast<Int32>(widget.fore_colour()))).detach();
        break;
      case WidgetProperty::font_bold:
        *value = com_from_variant(Variant::boolean(widget.font_bold())).detach();
        break;
      case WidgetProperty::enabled:
        *value = com_from_variant(Variant::boolean(widget.enabled())).detach();
        break;
      case WidgetProperty::value:
        *value = com_from_variant(Variant::i4(widget.value())).detach();
        break;
      case WidgetProperty::list_index:
        *value = com_from_variant(Variant::i4(widget.list_index())).detach();
        break;
      case WidgetProperty::items:
        *value = com_from_variant(Variant::string(joined(widget.items()))).detach();
        break;
      case WidgetProperty::accessible_name:
        *value = com_from_variant(Variant::string(widget.accessible_name())).detach();
        break;
      case WidgetProperty::accessible_description:
        *value = com_from_variant(Variant::string(widget.accessible_description())).detach();
        break;
      case WidgetProperty::window:
        *value = window_handle(widget.window());
        break;
      case WidgetProperty::text_field:
        *value = window_handle(widget.text_field());
        break;
      case WidgetProperty::mouse_window:
        *value = window_handle(widget.drawn() ? shown->window() : widget.window());
        break;
      case WidgetProperty::middle: {
        const POINT middle = shown->middle_of(WidgetId{static_cast<int>(id)});
        *value = com_from_variant(Variant::i4(static_cast<Int32>(MAKELONG(middle.x, middle.y))))
                     .detach();
        break;
      }
      default:
        raise_invalid_argument();
    }
    return S_OK;
  });
}

HRESULT ActiveXControl::StartOn(DATE date) {
  return guarded(kInspectionOrigin, [&] {
    if (persistence_started_) return E_UNEXPECTED;
    persistence_started_ = true;
    Calendar* calendar = component_->calendar();
    if (calendar == nullptr) raise_object_not_set();
    calendar->state().AktDatum = date;
    calendar->Inicializuj();
    return S_OK;
  });
}

}  // namespace dnovar
