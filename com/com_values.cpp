#include "com/com_values.h"

#include <new>
#include <utility>

#include "platform/wide_text.h"

namespace dnovar {

Bstr::Bstr(std::string_view utf8) {
  const std::wstring wide = wide_text(utf8);
  text_ = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  if (text_ == nullptr) throw std::bad_alloc();
}

Bstr::Bstr(Bstr&& other) noexcept : text_(std::exchange(other.text_, nullptr)) {}

Bstr& Bstr::operator=(Bstr&& other) noexcept {
  if (this != &other) {
    SysFreeString(text_);
    text_ = std::exchange(other.text_, nullptr);
  }
  return *this;
}

Bstr::~Bstr() {
  SysFreeString(text_);
}

BSTR* Bstr::put() noexcept {
  SysFreeString(text_);
  text_ = nullptr;
  return &text_;
}

BSTR Bstr::detach() noexcept {
  return std::exchange(text_, nullptr);
}

std::string Bstr::utf8() const {
  return utf8_from_bstr(text_);
}

std::string utf8_from_bstr(BSTR text) {
  if (text == nullptr) return {};
  return utf8_text(std::wstring_view(text, SysStringLen(text)));
}

ComVariant::ComVariant(ComVariant&& other) noexcept : value_(other.value_) {
  VariantInit(&other.value_);
}

ComVariant& ComVariant::operator=(ComVariant&& other) noexcept {
  if (this != &other) {
    VariantClear(&value_);
    value_ = other.value_;
    VariantInit(&other.value_);
  }
  return *this;
}

ComVariant::~ComVariant() {
  VariantClear(&value_);
}

VARIANT* ComVariant::put() noexcept {
  VariantClear(&value_);
  return &value_;
}

VARIANT ComVariant::detach() noexcept {
  const VARIANT value = value_;
  VariantInit(&value_);
  return value;
}

ExcepInfo::~ExcepInfo() {
  SysFreeString(info_.bstrSource);
  SysFreeString(info_.bstrDescription);
  SysFreeString(info_.bstrHelpFile);
}

const EXCEPINFO& ExcepInfo::filled() noexcept {
  if (info_.pfnDeferredFillIn != nullptr) {
    const auto fill_in = std::exchange(info_.pfnDeferredFillIn, nullptr);
    fill_in(&info_);
  }
  return info_;
}

}  // namespace dnovar
