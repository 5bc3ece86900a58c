// Owners of the values COM hands around by convention: a BSTR (SysFreeString), a VARIANT
// (VariantClear) and an EXCEPINFO (its three strings). Nothing else in the project frees them,
// so a value converted halfway when an exception flies is still freed.
#pragma once

// COM's own headers, as the other headers of this layer take them (they bring what they need).
#include <oaidl.h>
#include <oleauto.h>

#include <string>
#include <string_view>

namespace dnovar {

class Bstr {
 public:
  Bstr() = default;
  // A copy of UTF-8 text; throws std::bad_alloc when the system has no memory for it.
  explicit Bstr(std::string_view utf8);
  static Bstr adopt(BSTR text) noexcept {
    Bstr result;
    result.text_ = text;
    return result;
  }
  Bstr(Bstr&& other) noexcept;
  Bstr& operator=(Bstr&& other) noexcept;
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  ~Bstr();

  BSTR get() const noexcept { return text_; }
  // For out-parameters: frees the current text and returns where to store a new one.
  BSTR* put() noexcept;
  // Gives the string to the caller (a COM out-parameter or a VARIANT).
  BSTR detach() noexcept;
  std::string utf8() const;

 private:
  BSTR text_ = nullptr;
};

// A BSTR as UTF-8; a null BSTR is the empty string.
std::string utf8_from_bstr(BSTR text);

class ComVariant {
 public:
  ComVariant() noexcept { VariantInit(&value_); }
  // Takes over a VARIANT the caller owned.
  static ComVariant adopt(const VARIANT& value) noexcept {
    ComVariant result;
    result.value_ = value;
    return result;
  }
  ComVariant(ComVariant&& other) noexcept;
  ComVariant& operator=(ComVariant&& other) noexcept;
  ComVariant(const ComVariant&) = delete;
  ComVariant& operator=(const ComVariant&) = delete;
  ~ComVariant();

  VARIANT* get() noexcept { return &value_; }
  const VARIANT* get() const noexcept { return &value_; }
  const VARIANT& operator*() const noexcept { return value_; }
  // For out-parameters: clears the current value and returns where to store a new one.
  VARIANT* put() noexcept;
  // Gives the value to the caller; this one is left empty.
  VARIANT detach() noexcept;

 private:
  VARIANT value_;
};

// The EXCEPINFO of a dispatch call the project makes: zeroed for the call, its strings freed after.
class ExcepInfo {
 public:
  ExcepInfo() = default;
  ExcepInfo(const ExcepInfo&) = delete;
  ExcepInfo& operator=(const ExcepInfo&) = delete;
  ~ExcepInfo();

  EXCEPINFO* get() noexcept { return &info_; }
  // The fields, filled in first where the callee deferred that (pfnDeferredFillIn).
  const EXCEPINFO& filled() noexcept;

 private:
  EXCEPINFO info_{};
};

}  // namespace dnovar
