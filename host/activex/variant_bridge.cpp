#include "host/activex/variant_bridge.h"

#include <new>

#include "backends/win32/win32_text.h"
#include "platform/error.h"

namespace dnovar {

namespace {

// (The system's conversions take their source by a non-const pointer but do not change it.)
// A value of a numeric type the control has no variant for, widened through the system's own
// conversion: whole numbers that fit become 32-bit integers, the rest doubles.
Variant widened(const VARIANT& value) {
  VARIANT converted;
  VariantInit(&converted);
  if (SUCCEEDED(VariantChangeType(&converted, const_cast<VARIANT*>(&value), 0, VT_I4)) &&
      V_VT(&value) != VT_R4 && V_VT(&value) != VT_CY && V_VT(&value) != VT_DECIMAL) {
    return Variant::i4(V_I4(&converted));
  }
  if (FAILED(VariantChangeType(&converted, const_cast<VARIANT*>(&value), 0, VT_R8)))
    raise_type_mismatch();
  return Variant::r8(V_R8(&converted));
}

}  // namespace

Variant variant_from_com(const VARIANT& given) {
  const VARIANT* value = &given;
  // A script's variables arrive by reference: (VT_BYREF | VT_VARIANT) to the variable itself.
  while (V_VT(value) == (VT_BYREF | VT_VARIANT)) value = V_VARIANTREF(value);
  if (V_VT(value) & VT_BYREF) {
    VARIANT copy;
    VariantInit(&copy);
    if (FAILED(VariantCopyInd(&copy, const_cast<VARIANT*>(value)))) raise_type_mismatch();
    Variant result = variant_from_com(copy);
    VariantClear(&copy);
    return result;
  }
  switch (V_VT(value)) {
    case VT_EMPTY:
      return Variant();
    case VT_I2:
      return Variant::i2(V_I2(value));
    case VT_I4:
      return Variant::i4(V_I4(value));
    case VT_R8:
      return Variant::r8(V_R8(value));
    case VT_DATE:
      return Variant::date(V_DATE(value));
    case VT_BOOL:
      return Variant::boolean(V_BOOL(value) != VARIANT_FALSE);
    case VT_BSTR:
      return Variant::string(utf8_from_bstr(V_BSTR(value)));
    case VT_I1:
    case VT_UI1:
    case VT_UI2:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_I8:
    case VT_UI8:
    case VT_R4:
    case VT_CY:
    case VT_DECIMAL:
      return widened(*value);
    default:
      raise_type_mismatch();
  }
}

VARIANT com_from_variant(const Variant& value) {
  VARIANT result;
  VariantInit(&result);
  switch (value.type()) {
    case Variant::Type::Empty:
      break;
    case Variant::Type::I2:
      V_VT(&result) = VT_I2;
      V_I2(&result) = value.to_i2();
      break;
    case Variant::Type::I4:
      V_VT(&result) = VT_I4;
      V_I4(&result) = value.to_i4();
      break;
    case Variant::Type::R8:
      V_VT(&result) = VT_R8;
      V_R8(&result) = value.to_r8();
      break;
    case Variant::Type::Date:
      V_VT(&result) = VT_DATE;
      V_DATE(&result) = value.to_date();
      break;
    case Variant::Type::Bool:
      V_VT(&result) = VT_BOOL;
      V_BOOL(&result) = value.to_bool() != 0 ? VARIANT_TRUE : VARIANT_FALSE;
      break;
    case Variant::Type::String:
      V_BSTR(&result) = bstr_from_utf8(value.to_string());
      V_VT(&result) = VT_BSTR;
      break;
  }
  return result;
}

BSTR bstr_from_utf8(std::string_view text) {
  const std::wstring wide = wide_text(text);
  BSTR result = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  if (result == nullptr) throw std::bad_alloc();
  return result;
}

std::string utf8_from_bstr(BSTR text) {
  if (text == nullptr) return {};  // a null BSTR is the empty string
  return utf8_text(std::wstring_view(text, SysStringLen(text)));
}

}  // namespace dnovar
