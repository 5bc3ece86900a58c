// dnovar.ocx from a C++ client, as a container uses it: created through its class factory, its
// event Zavri and its property-change notifications received through connection points, its
// settings saved to and loaded from a stream and a property bag.
#include <gtest/gtest.h>

#include <windows.h>

#include <ocidl.h>
#include <olectl.h>

#include <map>
#include <string>
#include <vector>

#include "com/com_ref.h"
#include "com/com_values.h"
#include "host/activex/com_guid.h"
#include "host/type_library.h"
#include "tests/activex/control_probe.h"
#include "tests/activex/ocx_factory.h"

namespace dnovar {
namespace {

// A COM object for the tests' sinks and bags: counts references, answers the given interfaces.
template <typename... Interfaces>
class TestObject : public Interfaces... {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (iid == IID_IUnknown || ((iid == Interfaces::iid_of()) || ...)) {
      *out = static_cast<typename std::tuple_element<0, std::tuple<Interfaces...>>::type*>(this);
      AddRef();
      return S_OK;
    }
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }  // on the test's stack
  ULONG references = 1;
};

struct EventSinkBase : IDispatch {
  static IID iid_of() { return windows_guid(kDnovarEventsId); }
};
struct NotifySinkBase : IPropertyNotifySink {
  static IID iid_of() { return IID_IPropertyNotifySink; }
};
struct BagBase : IPropertyBag {
  static IID iid_of() { return IID_IPropertyBag; }
};
struct ErrorLogBase : IErrorLog {
  static IID iid_of() { return IID_IErrorLog; }
};

class EventSink final : public TestObject<EventSinkBase> {
 public:
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT*,
                                   EXCEPINFO*, UINT*) override {
    events.push_back({id, parameters->cArgs});
    return S_OK;
  }
  std::vector<std::pair<DISPID, UINT>> events;
};

class NotifySink final : public TestObject<NotifySinkBase> {
 public:
  HRESULT STDMETHODCALLTYPE OnChanged(DISPID id) override {
    changed.push_back(id);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID) override { return S_OK; }
  std::vector<DISPID> changed;
};

// A container's bag: keys to values; reading an absent key fails with E_INVALIDARG.
class Bag final : public TestObject<BagBase> {
 public:
  HRESULT STDMETHODCALLTYPE Read(LPCOLESTR key, VARIANT* value, IErrorLog*) override {
    auto found = values.find(key);
    if (found == values.end()) return E_INVALIDARG;
    return VariantCopy(value, found->second.get());
  }
  HRESULT STDMETHODCALLTYPE Write(LPCOLESTR key, VARIANT* value) override {
    return VariantCopy(values[key].put(), value);
  }
  void set_i4(const wchar_t* key, LONG number) {
    VARIANT value;
    V_VT(&value) = VT_I4;
    V_I4(&value) = number;
    Write(key, &value);
  }
  void set_text(const wchar_t* key, const char* text) {
    Bstr owned(text);
    VARIANT value;
    V_VT(&value) = VT_BSTR;
    V_BSTR(&value) = owned.get();
    Write(key, &value);
  }
  std::map<std::wstring, ComVariant> values;
};

// A container's error log: what each AddError reported.
class ErrorLog final : public TestObject<ErrorLogBase> {
 public:
  struct Entry {
    std::wstring key;
    SCODE scode;
    std::wstring source;
    std::wstring description;
  };
  HRESULT STDMETHODCALLTYPE AddError(LPCOLESTR key, EXCEPINFO* info) override {
    entries.push_back({key, info->scode, info->bstrSource ? info->bstrSource : L"",
                       info->bstrDescription ? info->bstrDescription : L""});
    return S_OK;
  }
  std::vector<Entry> entries;
};

class ControlClientTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OleInitialize(nullptr);
    factory_ = ocx_class_factory();
    ASSERT_TRUE(factory_);
  }
  void TearDown() override {
    factory_.reset();
    OleUninitialize();
  }

  ComRef<IDispatch> create() {
    ComRef<IDispatch> control;
    EXPECT_EQ(factory_->CreateInstance(nullptr, IID_IDispatch, control.put_void()), S_OK);
    return control;
  }

  static HRESULT put(IDispatch& control, const wchar_t* name, VARIANT value) {
    DISPID id = 0;
    LPOLESTR names = const_cast<LPOLESTR>(name);
    if (HRESULT found = control.GetIDsOfNames(IID_NULL, &names, 1, 0, &id); FAILED(found))
      return found;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS parameters{&value, &named, 1, 1};
    return control.Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYPUT, &parameters, nullptr, nullptr,
                          nullptr);
  }
  static ComVariant get(IDispatch& control, const wchar_t* name) {
    DISPID id = 0;
    LPOLESTR names = const_cast<LPOLESTR>(name);
    ComVariant result;
    DISPPARAMS none{};
    EXPECT_EQ(control.GetIDsOfNames(IID_NULL, &names, 1, 0, &id), S_OK);
    EXPECT_EQ(control.Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, result.put(), nullptr,
                             nullptr),
              S_OK);
    return result;
  }
  static VARIANT i4(LONG number) {
    VARIANT value;
    V_VT(&value) = VT_I4;
    V_I4(&value) = number;
    return value;
  }

  static DWORD advise(IDispatch& control, const IID& iid, IUnknown& sink) {
    ComRef<IConnectionPointContainer> container;
    ComRef<IConnectionPoint> point;
    EXPECT_EQ(control.QueryInterface(IID_IConnectionPointContainer, container.put_void()), S_OK);
    EXPECT_EQ(container->FindConnectionPoint(iid, point.put()), S_OK);
    DWORD cookie = 0;
    EXPECT_EQ(point->Advise(&sink, &cookie), S_OK);
    return cookie;
  }

  ComRef<IClassFactory> factory_;
};

struct ChildSearch {
  const wchar_t* text;
  HWND found;
};

// An enumeration callback: stdcall on 32-bit Windows, which a lambda is not.
BOOL CALLBACK match_child_text(HWND child, LPARAM data) {
  auto* search = reinterpret_cast<ChildSearch*>(data);
  wchar_t caption[64] = {};
  GetWindowTextW(child, caption, 64);
  if (wcscmp(caption, search->text) != 0) return TRUE;
  search->found = child;
  return FALSE;
}

HWND find_child_with_text(HWND parent, const wchar_t* text) {
  ChildSearch search{text, nullptr};
  EnumChildWindows(parent, &match_child_text, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

TEST_F(ControlClientTest, ClosePressedRaisesZavriToEverySinkWithNoArguments) {
  ComRef<IDispatch> control = create();
  EventSink first, second;
  advise(*control, windows_guid(kDnovarEventsId), first);
  advise(*control, windows_guid(kDnovarEventsId), second);
  ComRef<IOleWindow> window = control.query<IOleWindow>();
  HWND control_window = nullptr;
  ASSERT_EQ(window->GetWindow(&control_window), S_OK);
  HWND close = find_child_with_text(control_window, L"&Zavři");
  ASSERT_NE(close, nullptr);
  SendMessageW(close, BM_CLICK, 0, 0);
  const std::vector<std::pair<DISPID, UINT>> expected = {{kZavriId, 0u}};
  EXPECT_EQ(first.events, expected);
  EXPECT_EQ(second.events, expected);
}

TEST_F(ControlClientTest, OnlyTheFourAccessorsNotifyAndOnlyWhenTheyChangeSomething) {
  ComRef<IDispatch> control = create();
  NotifySink sink;
  const DWORD cookie = advise(*control, IID_IPropertyNotifySink, sink);
  Bstr caption_text(" x ");
  VARIANT caption;
  V_VT(&caption) = VT_BSTR;
  V_BSTR(&caption) = caption_text.get();
  VARIANT date;
  V_VT(&date) = VT_DATE;
  V_DATE(&date) = 45412;
  VARIANT enabled;
  V_VT(&enabled) = VT_BOOL;
  V_BOOL(&enabled) = VARIANT_FALSE;
  const struct {
    const wchar_t* name;
    VARIANT value;
    std::vector<DISPID> notified;
  } cases[] = {
      {L"Dlow", i4(5), {}},
      {L"Caption", caption, {0x68030002}},
      {L"VyberColor", i4(0), {}},           // black is refused
      {L"VyberColor", i4(0x8000000F), {}},  // so is a system colour
      {L"VyberColor", i4(255), {0x68030001}},
      {L"Datum", date, {0x68030000}},
      {L"Enabled", enabled, {DISPID_ENABLED}},
  };
  for (const auto& c : cases) {
    sink.changed.clear();
    EXPECT_EQ(put(*control, c.name, c.value), S_OK) << c.name;
    EXPECT_EQ(sink.changed, c.notified) << c.name;
  }

  ComRef<IConnectionPointContainer> container = control.query<IConnectionPointContainer>();
  ComRef<IConnectionPoint> point;
  ASSERT_EQ(container->FindConnectionPoint(IID_IPropertyNotifySink, point.put()), S_OK);
  EXPECT_EQ(point->Unadvise(cookie), S_OK);
  EXPECT_EQ(point->Unadvise(cookie), CONNECT_E_NOCONNECTION);
  sink.changed.clear();
  EXPECT_EQ(put(*control, L"VyberColor", i4(1)), S_OK);
  EXPECT_TRUE(sink.changed.empty());
}

// The count of references on an object, read by adding one and taking it back.
ULONG references_of(IUnknown& object) {
  object.AddRef();
  return object.Release();
}

TEST_F(ControlClientTest, EnumeratorsAndTheirClonesHandOutReferencesThatAReleaseGivesBack) {
  ComRef<IDispatch> control = create();
  NotifySink sink;
  advise(*control, IID_IPropertyNotifySink, sink);
  const ULONG sink_before = sink.references;
  const ULONG control_before = references_of(*control);
  {
    ComRef<IConnectionPointContainer> container = control.query<IConnectionPointContainer>();
    ComRef<IConnectionPoint> point;
    ASSERT_EQ(container->FindConnectionPoint(IID_IPropertyNotifySink, point.put()), S_OK);
    ComRef<IEnumConnections> connections, connections_clone;
    ASSERT_EQ(point->EnumConnections(connections.put()), S_OK);
    ASSERT_EQ(connections->Clone(connections_clone.put()), S_OK);
    for (IEnumConnections* each : {connections.get(), connections_clone.get()}) {
      CONNECTDATA data{};
      const ULONG held = sink.references;
      ASSERT_EQ(each->Next(1, &data, nullptr), S_OK);
      EXPECT_EQ(data.pUnk, static_cast<IPropertyNotifySink*>(&sink));
      EXPECT_EQ(sink.references, held + 1);
      data.pUnk->Release();
    }
    ComRef<IEnumConnectionPoints> points, points_clone;
    ASSERT_EQ(container->EnumConnectionPoints(points.put()), S_OK);
    ASSERT_EQ(points->Skip(1), S_OK);
    ASSERT_EQ(points->Clone(points_clone.put()), S_OK);
    for (IEnumConnectionPoints* each : {points.get(), points_clone.get()}) {
      IConnectionPoint* next = nullptr;
      ULONG fetched = 0;
      ASSERT_EQ(each->Next(1, &next, &fetched), S_OK);
      EXPECT_EQ(fetched, 1u);
      IID outgoing{};
      EXPECT_EQ(next->GetConnectionInterface(&outgoing), S_OK);
      EXPECT_TRUE(IsEqualIID(outgoing, IID_IPropertyNotifySink));  // a clone keeps its place
      next->Release();
    }
  }
  EXPECT_EQ(sink.references, sink_before);
  EXPECT_EQ(references_of(*control), control_before);
}

TEST_F(ControlClientTest, AStreamKeepsTheSettingsAndAForeignOneIsAnInvalidFormat) {
  ComRef<IDispatch> saved = create();
  ComRef<IPersistStreamInit> saving = saved.query<IPersistStreamInit>();
  ASSERT_EQ(saving->InitNew(), S_OK);
  EXPECT_EQ(put(*saved, L"Dlow", i4(5)), S_OK);
  EXPECT_EQ(put(*saved, L"Dhigh", i4(9)), S_OK);
  ComRef<IStream> stream;
  ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, stream.put()), S_OK);
  ASSERT_EQ(saving->Save(stream.get(), TRUE), S_OK);
  ASSERT_EQ(stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr), S_OK);

  ComRef<IDispatch> loaded = create();
  ComRef<IPersistStreamInit> loading = loaded.query<IPersistStreamInit>();
  ASSERT_EQ(loading->Load(stream.get()), S_OK);
  EXPECT_EQ(V_I2(get(*loaded, L"Dlow").get()), 5);
  EXPECT_EQ(V_I2(get(*loaded, L"Dhigh").get()), 9);
  EXPECT_STREQ(V_BSTR(get(*loaded, L"Caption").get()), L"Dnovar1");

  ComRef<IStream> foreign;
  ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, foreign.put()), S_OK);
  foreign->Write("NOTOURS...", 10, nullptr);
  foreign->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
  ComRef<IDispatch> refused = create();
  EXPECT_EQ(refused.query<IPersistStreamInit>()->Load(foreign.get()),
            static_cast<HRESULT>(0x800A0141));  // 321, invalid file format
}

TEST_F(ControlClientTest, PropertyBagLoadStopsAtTheFailingKeyAndSaveWritesOnlyNonDefaults) {
  Bag bag;
  bag.set_i4(L"VyberColor", 0x8000000F);
  bag.set_i4(L"Dlow", 40000);
  ComRef<IDispatch> control = create();
  ComRef<IPersistPropertyBag> persist = control.query<IPersistPropertyBag>();
  EXPECT_EQ(persist->Load(&bag, nullptr), static_cast<HRESULT>(0x800A0006));  // overflow
  EXPECT_EQ(static_cast<DWORD>(V_I4(get(*control, L"VyberColor").get())), 0x8000000Fu);

  Bag saved;
  ComRef<IDispatch> fresh = create();
  ComRef<IPersistPropertyBag> fresh_persist = fresh.query<IPersistPropertyBag>();
  ASSERT_EQ(fresh_persist->InitNew(), S_OK);
  ASSERT_EQ(fresh_persist->Save(&saved, TRUE, TRUE), S_OK);
  // Without a container to ask, a new control runs: it starts on today, its caption is its name
  // and every other value its default (a designer's keeps the date 0: host_modes_test.cpp).
  ASSERT_EQ(saved.values.size(), 1u);
  EXPECT_EQ(V_VT(saved.values[L"Datum"].get()), VT_DATE);
  EXPECT_EQ(V_DATE(saved.values[L"Datum"].get()), today());
}

TEST_F(ControlClientTest, PropertyBagLoadLogsEveryFailingKeyAndFailsWithTheFirst) {
  Bag bag;
  bag.set_i4(L"Dlow", 40000);
  bag.set_i4(L"Dhigh", 7);
  bag.set_text(L"Svatky", "ano");
  ErrorLog log;
  ComRef<IDispatch> control = create();
  EXPECT_EQ(control.query<IPersistPropertyBag>()->Load(&bag, &log),
            static_cast<HRESULT>(0x800A0006));  // overflow, Dlow's
  const std::pair<const wchar_t*, SCODE> expected[] = {{L"Dlow", 0x800A0006},
                                                       {L"Svatky", 0x800A000D}};
  ASSERT_EQ(log.entries.size(), std::size(expected));
  for (std::size_t i = 0; i < log.entries.size(); ++i) {
    EXPECT_EQ(log.entries[i].key, expected[i].first);
    EXPECT_EQ(log.entries[i].scode, expected[i].second);
    EXPECT_EQ(log.entries[i].source, L"DnovarLib.Dnovar");
    EXPECT_FALSE(log.entries[i].description.empty());
  }
  // With a log the load went on past the failing keys.
  EXPECT_EQ(V_I2(get(*control, L"Dhigh").get()), 7);
}

TEST_F(ControlClientTest, ClassInfoNamesTheEventInterfaceAndTheClass) {
  ComRef<IDispatch> control = create();
  ComRef<IProvideClassInfo2> info = control.query<IProvideClassInfo2>();
  GUID events{};
  ASSERT_EQ(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events), S_OK);
  EXPECT_TRUE(IsEqualGUID(events, windows_guid(kDnovarEventsId)));
  ComRef<ITypeInfo> coclass;
  ASSERT_EQ(info->GetClassInfo(coclass.put()), S_OK);
  TYPEATTR* attributes = nullptr;
  ASSERT_EQ(coclass->GetTypeAttr(&attributes), S_OK);
  EXPECT_TRUE(IsEqualGUID(attributes->guid, windows_guid(kDnovarClassId)));
  coclass->ReleaseTypeAttr(attributes);
  DWORD status = 0;
  ASSERT_EQ(control.query<IOleObject>()->GetMiscStatus(DVASPECT_CONTENT, &status), S_OK);
  EXPECT_TRUE(status & OLEMISC_SETCLIENTSITEFIRST);
  EXPECT_TRUE(status & OLEMISC_ACTIVATEWHENVISIBLE);
}

TEST_F(ControlClientTest, ViewObjectDrawsTheControlWhereItIsNotActive) {
  ComRef<IDispatch> control = create();
  VARIANT date;
  V_VT(&date) = VT_DATE;
  V_DATE(&date) = 45432;  // 20 May 2024
  ASSERT_EQ(put(*control, L"Datum", date), S_OK);
  VARIANT k;
  V_VT(&k) = VT_I2;
  V_I2(&k) = 1;
  DISPPARAMS refresh{&k, nullptr, 1, 0};
  ASSERT_EQ(control->Invoke(0x6003000F, IID_NULL, 0, DISPATCH_METHOD, &refresh, nullptr, nullptr,
                            nullptr),
            S_OK);
  // Drawn at twice its size into a bitmap of the caller's: the current day's cell is cyan.
  constexpr int width = 600, height = 502;
  BITMAPINFO header{};
  header.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &header, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  const RECTL bounds{0, 0, width, height};
  ComRef<IViewObject2> view = control.query<IViewObject2>();
  ASSERT_EQ(
      view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, &bounds, nullptr, nullptr, 0),
      S_OK);
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  int cyan = 0;
  for (int i = 0; i < width * height; ++i) cyan += (pixels[i] & 0xFFFFFF) == 0x00FFFF;
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  // One day cell, 24 x 16 pixels at 96 DPI, drawn four times as large (less its border).
  EXPECT_GT(cyan, 24 * 16 * 2);
  SIZEL extent{};
  ASSERT_EQ(view->GetExtent(DVASPECT_CONTENT, -1, nullptr, &extent), S_OK);
  EXPECT_EQ(extent.cx, MulDiv(4500, 2540, 1440));  // HIMETRIC, rounded
}

}  // namespace
}  // namespace dnovar
