// The control's automation methods when memory runs out: each allocation of a call is made to
// fail in turn, and the call must report it as a status, never let the exception out into its
// COM caller. This program's operator new is replaced for that (failing_allocation.h).
#include <gtest/gtest.h>

#include <windows.h>

#include <ole2.h>

#include <functional>

#include "com/com_values.h"
#include "host/activex/activex_control.h"
#include "host/activex/com_boundary.h"
#include "tests/support/failing_allocation.h"

namespace dnovar {
namespace {

const ErrorOrigin kOrigin{"Test.Origin", &DnovarDual::iid};

class OutOfMemoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OleInitialize(nullptr);
    control_ = ActiveXControl::create();
    ASSERT_TRUE(control_);
    // Started outside the test: the first call starts the control.
    short ignored = 0;
    ASSERT_EQ(control_->get_Dlow(&ignored), S_OK);
  }
  void TearDown() override {
    control_.reset();
    OleUninitialize();
  }

  DISPID id_of(const wchar_t* name) {
    DISPID id = 0;
    LPOLESTR names = const_cast<LPOLESTR>(name);
    EXPECT_EQ(control_->GetIDsOfNames(IID_NULL, &names, 1, 0, &id), S_OK) << "finding a name";
    return id;
  }
  HRESULT invoke(DISPID id, WORD flags, VARIANT* argument, VARIANT* result) {
    DISPID put = DISPID_PROPERTYPUT;
    const bool putting = (flags & DISPATCH_PROPERTYPUT) != 0;
    DISPPARAMS parameters{argument, putting ? &put : nullptr, argument != nullptr ? 1u : 0u,
                          putting ? 1u : 0u};
    ExcepInfo exception;
    return control_->Invoke(id, IID_NULL, 0, flags, &parameters, result, exception.get(), nullptr);
  }

  ComRef<ActiveXControl> control_;
};

struct Call {
  const char* name;
  std::function<HRESULT()> run;
  HRESULT expected;       // with memory enough
  HRESULT out_of_memory;  // the run-time error 7 the component reports, as this path gives it
};

TEST_F(OutOfMemoryTest, EveryFailedAllocationOfACallIsAStatus) {
  Bstr caption("Nový titulek");
  VARIANT text;
  V_VT(&text) = VT_BSTR;
  V_BSTR(&text) = caption.get();
  VARIANT year;
  V_VT(&year) = VT_I2;
  ComVariant result;
  const HRESULT control_error_7 = static_cast<HRESULT>(0x800A0007);
  const DISPID caption_id = id_of(L"Caption");
  const DISPID easter_id = id_of(L"Velikonoce");
  const Call calls[] = {
      {"Invoke: put Caption",
       [&] { return invoke(caption_id, DISPATCH_PROPERTYPUT, &text, nullptr); }, S_OK,
       DISP_E_EXCEPTION},
      // (The caption the row above put is long enough to need memory of its own.)
      {"Invoke: get Caption",
       [&] { return invoke(caption_id, DISPATCH_PROPERTYGET, nullptr, result.put()); }, S_OK,
       DISP_E_EXCEPTION},
      {"Invoke: Velikonoce 2024",
       [&] {
         V_I2(&year) = 2024;
         return invoke(easter_id, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &year, result.put());
       },
       S_OK, DISP_E_EXCEPTION},
      {"Invoke: Velikonoce -32768 (a run-time error)",
       [&] {
         V_I2(&year) = -32768;
         return invoke(easter_id, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &year, result.put());
       },
       DISP_E_EXCEPTION, DISP_E_EXCEPTION},
      {"dispatch boundary: a run-time error",
       [&] {
         ExcepInfo exception;
         return dispatch_boundary(kOrigin, exception.get(), []() -> HRESULT {
           throw RuntimeError(5, "Invalid procedure call or argument");
         });
       },
       DISP_E_EXCEPTION, E_OUTOFMEMORY},
      {"vtable boundary: a run-time error",
       [&] {
         return com_boundary(kOrigin, []() -> HRESULT {
           throw RuntimeError(5, "Invalid procedure call or argument");
         });
       },
       static_cast<HRESULT>(0x800A0005), E_OUTOFMEMORY},
      {"vtable: put_Caption", [&] { return control_->put_Caption(caption.get()); }, S_OK,
       control_error_7},
      {"vtable: get_Caption",
       [&] {
         Bstr got;
         return control_->get_Caption(got.put());
       },
       S_OK, control_error_7},
  };
  for (const Call& call : calls) {
    bool failure_missed = false;
    long failing = 0;
    for (; !failure_missed && failing < 100000; ++failing) {
      test_memory::fail_allocation_after(failing);
      HRESULT status = E_UNEXPECTED;
      try {
        status = call.run();
      } catch (...) {
        test_memory::allocation_failed();
        ADD_FAILURE() << call.name << ": an exception escaped at allocation " << failing;
        break;
      }
      // The call made fewer allocations than that: it ran to its end.
      failure_missed = !test_memory::allocation_failed();
      if (failure_missed) {
        EXPECT_EQ(status, call.expected) << call.name;
      } else {
        EXPECT_TRUE(status == call.expected || status == E_OUTOFMEMORY ||
                    status == call.out_of_memory)
            << call.name << " at allocation " << failing << ": 0x" << std::hex << status;
      }
    }
    EXPECT_TRUE(failure_missed) << call.name << " never ran to its end";
    EXPECT_GT(failing, 1) << call.name << " made no allocation to fail";
  }
}

}  // namespace
}  // namespace dnovar
