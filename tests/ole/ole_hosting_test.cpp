// The OLE hosting both our containers share (apps/common/ole/), against test doubles: the order
// a hosted control is torn down in, the property bag's types, and the answers of the container's
// late-bound objects to names.
#include <windows.h>

#include <olectl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "apps/common/ole/com_property_bag.h"
#include "apps/common/ole/control_sinks.h"
#include "apps/common/ole/ole_control.h"
#include "com/com_object.h"
#include "com/com_values.h"

namespace dnovar::ole {
namespace {

using Log = std::vector<std::string>;

class RecordingPoint final : public ComObject<IConnectionPoint> {
 public:
  RecordingPoint(Log& log, HRESULT advised) : log_(log), advised_(advised) {}
  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Advise(IUnknown*, DWORD* cookie) override {
    log_.push_back("Advise");
    *cookie = SUCCEEDED(advised_) ? 1 : 0;
    return advised_;
  }
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD) override {
    log_.push_back("Unadvise");
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

 private:
  Log& log_;
  HRESULT advised_;
};

// An OLE control that records what its container calls; it has change notifications and no
// events.
class RecordingControl final
    : public ComObject<IDispatch, IOleObject, Answers<IOleInPlaceObject, IOleWindow>,
                       IConnectionPointContainer> {
 public:
  RecordingControl(Log& log, HRESULT advised)
      : log_(log), changes_(make_com<RecordingPoint>(log, advised)) {}

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override {
    log_.push_back(site != nullptr ? "SetClientSite" : "SetClientSite(null)");
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR, LPCOLESTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Close(DWORD) override {
    log_.push_back("Close");
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DoVerb(LONG, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Update() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE IsUpToDate() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetUserType(DWORD, LPOLESTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD, DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

  HRESULT STDMETHODCALLTYPE GetWindow(HWND*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override {
    log_.push_back("InPlaceDeactivate");
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE UIDeactivate() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT, LPCRECT) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override { return E_NOTIMPL; }

  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) override {
    *out = nullptr;
    if (iid != IID_IPropertyNotifySink) return CONNECT_E_NOCONNECTION;
    return ComRef<IConnectionPoint>::share(changes_.get()).copy_to(out);
  }

 private:
  Log& log_;
  ComRef<RecordingPoint> changes_;
};

class Quiet final : public SiteOwner, public SinkListener {
 public:
  std::string extender_name() override { return "Dnovar1"; }
  void control_event(DISPID, const std::string&) override {}
  void control_changed(DISPID, const std::string&) override {}
};

// The one teardown order (ole_control.h), after a full start and after a start that failed part
// way: unadvise, deactivate, close, drop the site.
TEST(OleControlTeardown, UnadvisesDeactivatesClosesAndDropsTheSiteInThatOrder) {
  const struct {
    const char* name;
    HRESULT advised;
    Log expected;
  } cases[] = {
      {"hosted, then let go",
       S_OK,
       {"SetClientSite", "Advise", "Unadvise", "InPlaceDeactivate", "Close",
        "SetClientSite(null)"}},
      {"advising failed",
       CONNECT_E_ADVISELIMIT,
       {"SetClientSite", "Advise", "InPlaceDeactivate", "Close", "SetClientSite(null)"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Log log;
    Quiet quiet;
    const ComRef<RecordingControl> control = make_com<RecordingControl>(log, c.advised);
    bool raised = false;
    try {
      OleControl hosted(ComRef<IUnknown>::share(static_cast<IOleObject*>(control.get())),
                        make_com<OleClientSite>(quiet, nullptr, nullptr), quiet);
    } catch (const RuntimeError&) {
      raised = true;
    }
    EXPECT_EQ(raised, FAILED(c.advised));
    EXPECT_EQ(log, c.expected);
  }
}

// The bag gives a value in the type the control asks for, and as stored when it asks for none.
TEST(ComPropertyBag, ReadGivesTheTypeAskedFor) {
  MemoryBag bag;
  bag.set("Dlow", Variant::i2(5));
  bag.set("Caption", Variant::string("Kalendar"));
  bag.set("Poznamka", Variant::string("12"));
  bag.set("Datum", Variant::date(45432));
  const struct {
    const char* key;
    VARTYPE asked;
    HRESULT status;
    VARTYPE given;
    const wchar_t* text;  // the value given, as text
  } cases[] = {
      {"Dlow", VT_EMPTY, S_OK, VT_I2, L"5"},
      {"Dlow", VT_I4, S_OK, VT_I4, L"5"},
      {"Dlow", VT_BSTR, S_OK, VT_BSTR, L"5"},
      {"Poznamka", VT_I2, S_OK, VT_I2, L"12"},
      {"Poznamka", VT_EMPTY, S_OK, VT_BSTR, L"12"},
      {"Datum", VT_R8, S_OK, VT_R8, L"45432"},
      {"Caption", VT_I2, DISP_E_TYPEMISMATCH, VT_I2, nullptr},
      {"Missing", VT_I2, E_INVALIDARG, VT_I2, nullptr},
  };
  const ComRef<ComPropertyBag> com_bag = make_com<ComPropertyBag>(bag);
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.key) + " as " + std::to_string(c.asked));
    const Bstr key(c.key);
    ComVariant value;
    V_VT(value.get()) = c.asked;
    EXPECT_EQ(com_bag->Read(key.get(), value.get(), nullptr), c.status);
    EXPECT_EQ(V_VT(value.get()), c.given);
    if (c.text == nullptr) continue;
    ComVariant text;
    ASSERT_EQ(VariantChangeType(text.get(), value.get(), 0, VT_BSTR), S_OK);
    EXPECT_STREQ(V_BSTR(text.get()), c.text);
  }
}

// The container's own IDispatch objects are called by dispatch id (the extender by its one name,
// Name): every other name is unknown, each id DISPID_UNKNOWN; a missing array is E_POINTER.
TEST(LateBoundObjects, AnswerNamesTheyDoNotKnowAsUnknownInEveryId) {
  Quiet quiet;
  const ComRef<OleClientSite> site = make_com<OleClientSite>(quiet, nullptr, nullptr);
  const ComRef<IDispatch> ambients = site.query<IDispatch>();
  ComRef<IDispatch> extender;
  ASSERT_EQ(site->GetExtendedControl(extender.put()), S_OK);
  const ComRef<ControlSinks> sinks = make_com<ControlSinks>(quiet, IID_NULL, nullptr, nullptr);
  const struct {
    const char* name;
    IDispatch* object;
  } objects[] = {
      {"the site's ambient properties", ambients.get()},
      {"the extender", extender.get()},
      {"the control's sinks", static_cast<IDispatch*>(sinks.get())},
  };
  for (const auto& o : objects) {
    SCOPED_TRACE(o.name);
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"Dlow"), const_cast<LPOLESTR>(L"Rok")};
    DISPID ids[] = {7, 7};
    EXPECT_EQ(o.object->GetIDsOfNames(IID_NULL, names, 2, 0, ids), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[0], DISPID_UNKNOWN);
    EXPECT_EQ(ids[1], DISPID_UNKNOWN);
    EXPECT_EQ(o.object->GetIDsOfNames(IID_NULL, names, 2, 0, nullptr), E_POINTER);
    EXPECT_EQ(o.object->GetIDsOfNames(IID_NULL, nullptr, 2, 0, ids), E_POINTER);
  }
}

}  // namespace
}  // namespace dnovar::ole
