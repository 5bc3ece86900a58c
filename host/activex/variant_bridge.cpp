#include "host/activex/variant_bridge.h"

#include "platform/error.h"

namespace dnovar {

namespace {

// (The system's conversions take their source by a non-const pointer but do not change it.)
// A value of a numeric type the control has no variant for, widened through the system's own
// conversion: whole numbers that fit become 32-bit integers, the rest doubles.
Variant widened(const VARIANT& value) {
  ComVariant converted;
  if (SUCCEEDED(VariantChangeType(converted.get(), const_cast<VARIANT*>(&value), 0, VT_I4)) &&
      V_VT(&value) != VT_R4 && V_VT(&value) != VT_CY && V_VT(&value) != VT_DECIMAL) {
    return Variant::i4(V_I4(converted.get()));
  }
  if (FAILED(VariantChangeType(converted.put(), const_cast<VARIANT*>(&value), 0, VT_R8)))
    raise_type_mismatch();
  return Variant::r8(V_R8(converted.get()));
}

// A script's variables arrive by reference: (VT_BYREF | VT_VARIANT) to the variable itself.
const VARIANT& referenced(const VARIANT& given) {
  const VARIANT* value = &given;
  while (V_VT(value) == (VT_BYREF | VT_VARIANT)) value = V_VARIANTREF(value);
  return *value;
}

// The integer types that `widened` passes through VT_I4, which keeps an unsigned value's bits
// (VT_UI4 0xFFFF8000 is -32768 there).
bool is_other_integer(VARTYPE type) {
  switch (type & ~VT_BYREF) {
    case VT_I1:
    case VT_UI1:
    case VT_UI2:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_I8:
    case VT_UI8:
      return true;
    default:
      return false;
  }
}

VARTYPE com_type(ValueType type) {
  switch (type) {
    case ValueType::i2:
      return VT_I2;
    case ValueType::i4:
    case ValueType::colour:
      return VT_I4;
    case ValueType::r8:
      return VT_R8;
    case ValueType::boolean:
      return VT_BOOL;
    case ValueType::date:
      return VT_DATE;
    case ValueType::string:
      return VT_BSTR;
    case ValueType::none:
    case ValueType::variant:
      break;
  }
  return VT_EMPTY;
}

}  // namespace

Variant argument_from_com(const VARIANT& given, ValueType type) {
  const VARIANT& value = referenced(given);
  const VARTYPE target = com_type(type);
  if (target == VT_EMPTY || !is_other_integer(V_VT(&value))) return variant_from_com(value);
  ComVariant converted;
  const HRESULT status =
      VariantChangeType(converted.get(), const_cast<VARIANT*>(&value), 0, target);
  if (status == DISP_E_OVERFLOW) raise_overflow();
  if (FAILED(status)) raise_type_mismatch();
  return variant_from_com(*converted);
}

Variant variant_from_com(const VARIANT& given) {
  const VARIANT* value = &referenced(given);
  if (V_VT(value) & VT_BYREF) {
    // The copy holds what the reference points to (a string, an object's reference) until the
    // conversion ends, whether it succeeds or raises.
    ComVariant copy;
    if (FAILED(VariantCopyInd(copy.get(), const_cast<VARIANT*>(value)))) raise_type_mismatch();
    return variant_from_com(*copy);
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

ComVariant com_from_variant(const Variant& value) {
  ComVariant owned;
  VARIANT& result = *owned.get();
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
      V_BSTR(&result) = Bstr(value.to_string()).detach();
      V_VT(&result) = VT_BSTR;
      break;
  }
  return owned;
}

}  // namespace dnovar
