// The script host's ole backend over a control that lacks interfaces a container needs: each call
// that needs one fails with error 430, as the run time reports a missing interface, and nothing
// of the control is touched.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "apps/script/ole/ole_component.h"
#include "backends/win32/win32_toolkit.h"
#include "com/com_object.h"
#include "component/bag_file.h"
#include "platform/quiet_site.h"

namespace dnovar::script {
namespace {

// Automation and inspection only: no IOleObject, no connection points, no IPersistPropertyBag.
class AutomationOnly final : public ComObject<IDispatch, DnovarInspection> {
 public:
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return DISP_E_MEMBERNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE ReadMember(LONG, VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ReadWidget(LONG, WidgetProperty, VARIANT*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE StartOn(DATE) override { return E_NOTIMPL; }
};

class OleComponentWithoutInterfaces : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr))); }
  void TearDown() override { CoUninitialize(); }

  ComponentPtr<ControlHosting> hosting() {
    const ComRef<AutomationOnly> control = make_com<AutomationOnly>();
    return make_object<OleComponent, ControlHosting>(ComRef<IDispatch>::share(control.get()),
                                                     OleHostCallbacks{});
  }

  Win32Toolkit toolkit_;
  QuietSite site_{toolkit_, make_date(2024, 5, 20)};
  MemoryBag bag_;
};

TEST_F(OleComponentWithoutInterfaces, EachCallThatNeedsAMissingInterfaceIsError430) {
  const struct {
    std::string call;
    std::function<Status(ControlHosting&, ExceptionInfo*)> run;
  } cases[] = {
      {"set_site", [&](ControlHosting& c, ExceptionInfo* i) { return c.set_site(&site_, i); }},
      {"init_new", [](ControlHosting& c, ExceptionInfo* i) { return c.init_new(i); }},
      {"load", [&](ControlHosting& c, ExceptionInfo* i) { return c.load(bag_, i); }},
      {"save", [&](ControlHosting& c, ExceptionInfo* i) { return c.save(bag_, i); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.call);
    ExceptionInfo info;
    EXPECT_EQ(c.run(*hosting(), &info), Status::exception);
    EXPECT_EQ(info.number, error_number::no_such_interface) << info.description;
    EXPECT_EQ(c.run(*hosting(), nullptr), control_error_status(error_number::no_such_interface));
  }
}

}  // namespace
}  // namespace dnovar::script
