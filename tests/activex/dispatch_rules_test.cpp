// Late binding on dnovar.ocx as a client of the standard dispatcher expects it: which flags reach
// which member, parameter names and named arguments, counts, conversions naming the failing
// argument, and the control's own errors as exceptions. Only calling ShowAbout opens a window (a
// property read of it must not show the About box).
#include <gtest/gtest.h>

#include <windows.h>

#include <oleauto.h>

#include <string>
#include <vector>

#include "com/com_ref.h"
#include "com/com_values.h"
#include "tests/activex/ocx_factory.h"

namespace dnovar {
namespace {

// An argument as the test writes it: a number of the given type, or text.
struct Arg {
  VARTYPE type = VT_I2;
  double number = 0;
  const wchar_t* text = nullptr;
};

ComVariant variant_of(const Arg& arg) {
  ComVariant value;
  if (arg.text != nullptr) {
    V_VT(value.put()) = VT_BSTR;
    V_BSTR(value.get()) = SysAllocString(arg.text);
    return value;
  }
  VARIANT number;
  V_VT(&number) = VT_R8;
  V_R8(&number) = arg.number;
  EXPECT_EQ(VariantChangeType(value.put(), &number, 0, arg.type), S_OK);
  return value;
}

// A window the call showed: the timer fires only inside a modal loop the call runs.
bool window_opened = false;

BOOL CALLBACK close_visible_window(HWND window, LPARAM) {
  if (IsWindowVisible(window)) {
    window_opened = true;
    PostMessageW(window, WM_CLOSE, 0, 0);
  }
  return TRUE;
}

void CALLBACK close_what_opened(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), &close_visible_window, 0);
}

class DispatchRulesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OleInitialize(nullptr);
    const ComRef<IClassFactory> factory = ocx_class_factory();
    ASSERT_TRUE(factory);
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, control_.put_void()), S_OK);
  }
  void TearDown() override {
    control_.reset();
    OleUninitialize();
  }

  HRESULT ids_of(std::vector<const wchar_t*> names, std::vector<DISPID>& ids) {
    ids.assign(names.size(), 0);
    return control_->GetIDsOfNames(IID_NULL, const_cast<LPOLESTR*>(names.data()),
                                   static_cast<UINT>(names.size()), 0, ids.data());
  }

  DISPID id_of(const wchar_t* name) {
    std::vector<DISPID> ids;
    EXPECT_EQ(ids_of({name}, ids), S_OK);
    return ids[0];
  }

  struct Outcome {
    HRESULT status = S_OK;
    UINT argument_error = ~0u;
    SCODE scode = 0;
    ComVariant result;
  };

  // Calls `member` with `positional` (first first) and `named` (parameter id, value), under a
  // timer that closes and records any window the call opens.
  Outcome call(const wchar_t* member, WORD flags, const std::vector<Arg>& positional,
               const std::vector<std::pair<DISPID, Arg>>& named = {}) {
    std::vector<ComVariant> values;
    std::vector<DISPID> named_ids;
    for (const auto& [id, arg] : named) {
      values.push_back(variant_of(arg));
      named_ids.push_back(id);
    }
    for (auto arg = positional.rbegin(); arg != positional.rend(); ++arg)
      values.push_back(variant_of(*arg));
    std::vector<VARIANT> rgvarg;
    for (ComVariant& value : values) rgvarg.push_back(*value);
    DISPPARAMS parameters{rgvarg.data(), named_ids.data(), static_cast<UINT>(rgvarg.size()),
                          static_cast<UINT>(named_ids.size())};
    Outcome outcome;
    EXCEPINFO exception{};
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, &close_what_opened);
    outcome.status = control_->Invoke(id_of(member), IID_NULL, 0, flags, &parameters,
                                      outcome.result.put(), &exception, &outcome.argument_error);
    KillTimer(nullptr, timer);
    outcome.scode = exception.scode;
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    return outcome;
  }

  ComRef<IDispatch> control_;
};

constexpr WORD kMethod = DISPATCH_METHOD;
constexpr WORD kGet = DISPATCH_PROPERTYGET;
constexpr UINT kNoArgument = ~0u;

TEST_F(DispatchRulesTest, FlagsCountsAndConversionsAnswerAsTheStandardDispatcher) {
  DISPID rok = 0;
  {
    std::vector<DISPID> ids;
    ASSERT_EQ(ids_of({L"Velikonoce", L"Rok"}, ids), S_OK);
    rok = ids[1];
  }
  const struct {
    const char* what;
    const wchar_t* member;
    WORD flags;
    std::vector<Arg> positional;
    std::vector<std::pair<DISPID, Arg>> named;
    HRESULT status;
    UINT argument_error;
    SCODE scode;
    bool opens_window = false;
  } cases[] = {
      // The watch sees the About box where a call does show it.
      {"ShowAbout called", L"ShowAbout", kMethod, {}, {}, S_OK, kNoArgument, 0, true},
      {"ShowAbout read as a property",
       L"ShowAbout",
       kGet,
       {},
       {},
       DISP_E_MEMBERNOTFOUND,
       kNoArgument,
       0},
      {"Velikonoce read as a property",
       L"Velikonoce",
       kGet,
       {{VT_I2, 2024}},
       {},
       DISP_E_MEMBERNOTFOUND,
       kNoArgument,
       0},
      {"Dplus called as a method",
       L"Dplus",
       kMethod,
       {},
       {},
       DISP_E_MEMBERNOTFOUND,
       kNoArgument,
       0},
      {"Velikonoce without its year",
       L"Velikonoce",
       kMethod,
       {},
       {},
       DISP_E_BADPARAMCOUNT,
       kNoArgument,
       0},
      {"Velikonoce with two",
       L"Velikonoce",
       kMethod,
       {{VT_I2, 2024}, {VT_I2, 1}},
       {},
       DISP_E_BADPARAMCOUNT,
       kNoArgument,
       0},
      {"Dplus read with an argument",
       L"Dplus",
       kGet,
       {{VT_I2, 1}},
       {},
       DISP_E_BADPARAMCOUNT,
       kNoArgument,
       0},
      {"a year that is no number",
       L"Velikonoce",
       kMethod,
       {{.text = L"12x"}},
       {},
       DISP_E_TYPEMISMATCH,
       0,
       0},
      {"a year beyond 16 bits",
       L"Velikonoce",
       kMethod,
       {{VT_I4, 40000}},
       {},
       DISP_E_OVERFLOW,
       0,
       0},
      {"a named k that is no number",
       L"Aktualizuj",
       kMethod,
       {},
       {{0, {.text = L"x"}}},
       DISP_E_TYPEMISMATCH,
       0,
       0},
      {"a named year, bad",
       L"Velikonoce",
       kMethod,
       {},
       {{rok, {.text = L"rok"}}},
       DISP_E_TYPEMISMATCH,
       0,
       0},
      {"a parameter id it does not have",
       L"Velikonoce",
       kMethod,
       {},
       {{rok + 1, {VT_I2, 2024}}},
       DISP_E_PARAMNOTFOUND,
       0,
       0},
      {"the year positional and named",
       L"Velikonoce",
       kMethod,
       {{VT_I2, 2024}},
       {{rok, {VT_I2, 2024}}},
       DISP_E_PARAMNOTFOUND,
       0,
       0},
      {"the control's own error",
       L"Velikonoce",
       kMethod,
       {{VT_I2, -32768}},
       {},
       DISP_E_EXCEPTION,
       kNoArgument,
       static_cast<SCODE>(0x800A0005)},
      {"a named year", L"Velikonoce", kMethod, {}, {{rok, {VT_I2, 2024}}}, S_OK, kNoArgument, 0},
      {"a named year as text",
       L"Velikonoce",
       kMethod | kGet,
       {},
       {{rok, {.text = L" 2024 "}}},
       S_OK,
       kNoArgument,
       0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    window_opened = false;
    const Outcome outcome = call(c.member, c.flags, c.positional, c.named);
    EXPECT_EQ(outcome.status, c.status);
    EXPECT_EQ(outcome.argument_error, c.argument_error);
    EXPECT_EQ(outcome.scode, c.scode);
    EXPECT_EQ(window_opened, c.opens_window);
  }
}

TEST_F(DispatchRulesTest, ANamedArgumentGivesWhatThePositionalOneGives) {
  std::vector<DISPID> ids;
  ASSERT_EQ(ids_of({L"velikonoce", L"ROK"}, ids), S_OK);
  for (const double year : {1999.0, 2024.0, 2100.0}) {
    const Outcome positional = call(L"Velikonoce", kMethod, {{VT_I2, year}});
    const Outcome named = call(L"Velikonoce", kMethod, {}, {{ids[1], {VT_I4, year}}});
    ASSERT_EQ(positional.status, S_OK);
    ASSERT_EQ(named.status, S_OK);
    ASSERT_EQ(V_VT(positional.result.get()), VT_DATE);
    ASSERT_EQ(V_VT(named.result.get()), VT_DATE);
    EXPECT_EQ(V_DATE(named.result.get()), V_DATE(positional.result.get())) << year;
  }
}

// Integers of the types the control has no value for reach a member as the system's
// VariantChangeType turns them into the member's type: the same status, the same value. (It
// takes a VT_UI4 of 0xFFFFFFFF for -1 as a 32-bit integer but for an overflow as a 16-bit one, and
// a VT_UI2 of 0xFFFF for -1 as a 16-bit one.)
TEST_F(DispatchRulesTest, IntegersOfOtherTypesConvertAsTheSystemConvertsThem) {
  const struct {
    VARTYPE type;
    ULONGLONG bits;  // of the value's VT_UI8 member: every type reads its own low bytes
  } values[] = {
      {VT_UI4, 0xFFFF8000},
      {VT_UI4, 0xFFFFFFFF},
      {VT_UI4, 0x80000000},
      {VT_UI4, 0x7FFF},
      {VT_UI4, 0x8000},
      {VT_UINT, 0xFFFF8000},
      {VT_UINT, 0xFFFFFFFF},
      {VT_UI2, 0x7FFF},
      {VT_UI2, 0x8000},
      {VT_UI2, 0xFFFF},
      {VT_UI8, 0xFFFFFFFFFFFFFFFF},
      {VT_UI8, 0xFFFF8000},
      {VT_UI8, 0x7FFF},
      {VT_I8, 0xFFFFFFFFFFFF8000},
      {VT_I8, 0xFFFF8000},
      {VT_I8, 0xFFFFFFFF00007FFF},
      {VT_I8, 0x8000},
      {VT_INT, 0xFFFF8000},
      {VT_I1, 0x80},
      {VT_UI1, 0xFF},
  };
  const struct {
    const wchar_t* member;
    VARTYPE type;
  } members[] = {{L"Dlow", VT_I2}, {L"Datum", VT_DATE}, {L"Caption", VT_BSTR}};
  for (const auto& member : members) {
    const DISPID id = id_of(member.member);
    for (const auto& v : values) {
      SCOPED_TRACE(testing::Message() << testing::PrintToString(member.member) << " = vt " << v.type
                                      << " 0x" << std::hex << v.bits);
      ComVariant given;
      V_UI8(given.get()) = v.bits;
      V_VT(given.get()) = v.type;
      ComVariant expected;
      const HRESULT system = VariantChangeType(expected.get(), given.get(), 0, member.type);

      DISPID put_id = DISPID_PROPERTYPUT;
      DISPPARAMS parameters{given.get(), &put_id, 1, 1};
      EXCEPINFO exception{};
      UINT argument_error = kNoArgument;
      const HRESULT status = control_->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYPUT, &parameters,
                                              nullptr, &exception, &argument_error);
      SysFreeString(exception.bstrSource);
      SysFreeString(exception.bstrDescription);
      SysFreeString(exception.bstrHelpFile);
      EXPECT_EQ(status, system);
      if (FAILED(system)) {
        EXPECT_EQ(argument_error, 0u);
      }
      if (status != S_OK) continue;
      DISPPARAMS none{};
      ComVariant read;
      EXPECT_EQ(control_->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, read.put(), nullptr,
                                 nullptr),
                S_OK);
      EXPECT_EQ(V_VT(read.get()), member.type);
      EXPECT_EQ(VarCmp(read.get(), expected.get(), 0, 0), static_cast<HRESULT>(VARCMP_EQ));
    }
  }
}

// A date given as text is read by the caller's locale; a year past 9999 stays one (the system's
// own conversion keeps 16 bits of it and reads "1/1/67535" as 1999-01-01).
TEST_F(DispatchRulesTest, DateTextsKeepTheirYearsAndTimesOfDay) {
  constexpr LCID en = 0x0409, cs = 0x0405;
  constexpr DATE may_20_2024 = 45432;
  const struct {
    const wchar_t* text;
    LCID locale;
    HRESULT status;
    DATE date;
  } cases[] = {
      {L"75535-05-05", en, DISP_E_TYPEMISMATCH, 0},
      {L"1/1/67535", en, DISP_E_TYPEMISMATCH, 0},
      {L"1/1/67535", cs, DISP_E_TYPEMISMATCH, 0},
      {L"20. kv\u011Btna 67535", cs, DISP_E_TYPEMISMATCH, 0},
      {L"20. kv\u011Btna 2024", cs, S_OK, may_20_2024},
      {L"2024-05-20T13:45", en, S_OK, may_20_2024 + (13 * 60 + 45) / 1440.0},
      {L"2024-05-20T13:45", cs, S_OK, may_20_2024 + (13 * 60 + 45) / 1440.0},
  };
  const DISPID datum = id_of(L"Datum");
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << testing::PrintToString(std::wstring(c.text)) << " locale " << c.locale);
    ComVariant given;
    V_VT(given.get()) = VT_BSTR;
    V_BSTR(given.get()) = SysAllocString(c.text);
    DISPID put_id = DISPID_PROPERTYPUT;
    DISPPARAMS parameters{given.get(), &put_id, 1, 1};
    UINT argument_error = kNoArgument;
    EXPECT_EQ(control_->Invoke(datum, IID_NULL, c.locale, DISPATCH_PROPERTYPUT, &parameters,
                               nullptr, nullptr, &argument_error),
              c.status);
    if (c.status != S_OK) continue;
    DISPPARAMS none{};
    ComVariant read;
    ASSERT_EQ(control_->Invoke(datum, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, read.put(), nullptr,
                               nullptr),
              S_OK);
    ASSERT_EQ(V_VT(read.get()), VT_DATE);
    EXPECT_NEAR(V_DATE(read.get()), c.date, 1e-9);
  }
}

TEST_F(DispatchRulesTest, ParameterNamesHaveTheirPositionsAsIds) {
  const struct {
    std::vector<const wchar_t*> names;
    HRESULT status;
    std::vector<DISPID> parameter_ids;
  } cases[] = {
      {{L"Velikonoce", L"Rok"}, S_OK, {0}},
      {{L"Aktualizuj", L"K"}, S_OK, {0}},
      {{L"Velikonoce", L"Year"}, DISP_E_UNKNOWNNAME, {DISPID_UNKNOWN}},
      {{L"Aktualizuj", L"Rok", L"k"}, DISP_E_UNKNOWNNAME, {DISPID_UNKNOWN, 0}},
      {{L"NoSuchMember", L"Rok"}, DISP_E_UNKNOWNNAME, {DISPID_UNKNOWN}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::vector<std::wstring>(c.names.begin(), c.names.end())));
    std::vector<DISPID> ids;
    EXPECT_EQ(ids_of(c.names, ids), c.status);
    EXPECT_EQ(std::vector<DISPID>(ids.begin() + 1, ids.end()), c.parameter_ids);
  }
}

}  // namespace
}  // namespace dnovar
