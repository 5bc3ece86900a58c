// dnovar.ocx in a container that designs its form (ambient UserMode false) and in one that runs
// it: what InitNew starts, what the user's input reaches, and what IsDirty reports after it.
#include <gtest/gtest.h>

#include <windows.h>

#include <olectl.h>

#include <functional>
#include <string>
#include <vector>

#include "com/com_ref.h"
#include "core/surface_layout.h"
#include "host/activex/com_guid.h"
#include "host/type_library.h"
#include "tests/activex/control_probe.h"
#include "tests/activex/ocx_factory.h"
#include "tests/activex/test_site.h"

namespace dnovar {
namespace {

constexpr DATE k20May2024 = 45432;

// Records the events it hears (__Dnovar, through IDispatch).
class EventRecorder final : public IDispatch {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IDispatch && iid != windows_guid(kDnovarEventsId))
      return E_NOINTERFACE;
    *out = this;
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    heard.push_back(id);
    return S_OK;
  }
  std::vector<DISPID> heard;
};

// The control in a window of the test's, on a TestSite, active in place.
class HostModesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OleInitialize(nullptr);
    factory_ = ocx_class_factory();
    ASSERT_TRUE(factory_);
    window_ = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 320,
                              nullptr, nullptr, nullptr, nullptr);
  }
  void TearDown() override {
    if (control_) control_.query<IOleObject>()->SetClientSite(nullptr);
    control_.reset();
    factory_.reset();
    DestroyWindow(window_);
    OleUninitialize();
  }

  // A new control on `site`, initialised as a container places it, or loaded from a saved date.
  void place(TestSite& site, DATE saved_date = 0) {
    ASSERT_EQ(factory_->CreateInstance(nullptr, IID_IDispatch, control_.put_void()), S_OK);
    ComRef<IOleObject> object = control_.query<IOleObject>();
    ASSERT_EQ(object->SetClientSite(&site), S_OK);
    if (saved_date == 0) {
      ASSERT_EQ(control_.query<IPersistStreamInit>()->InitNew(), S_OK);
    } else {
      ComRef<IDispatch> saved;
      ASSERT_EQ(factory_->CreateInstance(nullptr, IID_IDispatch, saved.put_void()), S_OK);
      VARIANT date;
      V_VT(&date) = VT_DATE;
      V_DATE(&date) = saved_date;
      ASSERT_EQ(put_property(*saved, L"Datum", date), S_OK);
      ComRef<IStream> stream;
      ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, stream.put()), S_OK);
      ASSERT_EQ(saved.query<IPersistStreamInit>()->Save(stream.get(), TRUE), S_OK);
      ASSERT_EQ(stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr), S_OK);
      ASSERT_EQ(control_.query<IPersistStreamInit>()->Load(stream.get()), S_OK);
    }
    RECT where{0, 0, 300, 251};
    ASSERT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, window_, &where), S_OK);
    ComRef<IConnectionPointContainer> points = control_.query<IConnectionPointContainer>();
    ComRef<IConnectionPoint> events;
    ASSERT_EQ(points->FindConnectionPoint(windows_guid(kDnovarEventsId), events.put()), S_OK);
    DWORD cookie = 0;
    ASSERT_EQ(events->Advise(&recorder_, &cookie), S_OK);
  }
  HRESULT dirty() { return control_.query<IPersistStreamInit>()->IsDirty(); }

  HWND window_ = nullptr;
  ComRef<IClassFactory> factory_;
  ComRef<IDispatch> control_;
  EventRecorder recorder_;
};

TEST_F(HostModesTest, InitNewStartsTheControlWhereTheContainerRunsIt) {
  for (const bool user_mode : {true, false}) {
    SCOPED_TRACE(user_mode ? "run mode" : "design mode");
    TestSite site(window_, user_mode);
    place(site);
    const std::string first_cell = widget_caption(*control_, day_cell_id(0));
    if (user_mode) {
      EXPECT_EQ(date_of(*control_), today());
      EXPECT_NE(first_cell, "D");
      EXPECT_GT(cyan_pixels_drawn(*control_), 0);  // today's cell, drawn where it is not active
    } else {
      // The designer's new control as it has always been: no date, no grid yet.
      EXPECT_EQ(date_of(*control_), 0);
      EXPECT_EQ(first_cell, "D");
      EXPECT_EQ(cyan_pixels_drawn(*control_), 0);
    }
    EXPECT_EQ(widget_caption(*control_, widget_ids::Frame1), "Kalendar1");
    EXPECT_EQ(dirty(), S_FALSE);
    TearDown();
    SetUp();
  }
}

struct UserInput {
  const char* name;
  std::function<void(IUnknown& control)> perform;
  DATE date_after;  // in run mode; 0: today
  std::vector<DISPID> events_after;
};

std::vector<UserInput> user_inputs() {
  return {
      {"double-click on the 1st",
       [](IUnknown& c) { double_click(c, day_cell_id(day_cell_captioned(c, "1"))); },
       k20May2024 - 19,
       {}},
      {"Dnes", [](IUnknown& c) { click_button(c, widget_ids::cmdDnes); }, 0, {}},
      {"Alt+Z", [](IUnknown& c) { press_alt_key(c, L'z'); }, k20May2024, {kZavriId}},
  };
}

TEST_F(HostModesTest, InDesignModeTheUserReachesNothingUntilTheContainerRuns) {
  for (const DISPID changed : {DISPID_AMBIENT_USERMODE, DISPID_UNKNOWN}) {
    for (const UserInput& input : user_inputs()) {
      SCOPED_TRACE(input.name);
      TestSite site(window_, false);
      place(site, k20May2024);
      input.perform(*control_);
      EXPECT_EQ(date_of(*control_), k20May2024);
      EXPECT_TRUE(recorder_.heard.empty());
      EXPECT_EQ(dirty(), S_FALSE);

      site.user_mode = true;
      ASSERT_EQ(control_.query<IOleControl>()->OnAmbientPropertyChange(changed), S_OK);
      input.perform(*control_);
      EXPECT_EQ(date_of(*control_), input.date_after == 0 ? today() : input.date_after);
      EXPECT_EQ(recorder_.heard, input.events_after);
      recorder_.heard.clear();
      TearDown();
      SetUp();
    }
  }
}

TEST_F(HostModesTest, EveryChangeOfASavedValueIsDirtyUntilASaveClearsIt) {
  const struct {
    const char* name;
    std::function<void(IDispatch& control)> change;
  } changes[] = {
      {"double-click",
       [](IDispatch& c) { double_click(c, day_cell_id(day_cell_captioned(c, "1"))); }},
      {"drag",
       [](IDispatch& c) {
         drag(c, day_cell_id(day_cell_captioned(c, "3")), day_cell_id(day_cell_captioned(c, "6")));
       }},
      {"Dnes", [](IDispatch& c) { click_button(c, widget_ids::cmdDnes); }},
      {"Dlow put by the host",
       [](IDispatch& c) {
         VARIANT low;
         V_VT(&low) = VT_I2;
         V_I2(&low) = 4;
         EXPECT_EQ(put_property(c, L"Dlow", low), S_OK);
       }},
  };
  for (const auto& c : changes) {
    SCOPED_TRACE(c.name);
    TestSite site(window_, true);
    place(site, k20May2024);
    EXPECT_EQ(dirty(), S_FALSE);  // as loaded
    c.change(*control_);
    EXPECT_EQ(dirty(), S_OK);
    ComRef<IPersistStreamInit> persist = control_.query<IPersistStreamInit>();
    ComRef<IStream> stream;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, stream.put()), S_OK);
    ASSERT_EQ(persist->Save(stream.get(), FALSE), S_OK);
    EXPECT_EQ(dirty(), S_OK);  // a copy, not the container's document
    ASSERT_EQ(persist->Save(stream.get(), TRUE), S_OK);
    EXPECT_EQ(dirty(), S_FALSE);
    TearDown();
    SetUp();
  }
}

// Enter in the year box, the shift box, the month list and the day grid is the control's: an OLE
// container must not press its default button then. The control says so through GetControlInfo,
// and says when it changes.
TEST_F(HostModesTest, TheControlEatsEnterWhileTheFocusIsInABoxThatActsOnIt) {
  TestSite site(window_, true);
  place(site, k20May2024);
  ComRef<IOleControl> control = control_.query<IOleControl>();
  const auto in = [&](WidgetId id) { return widget_window(*control_, id); };
  // The day grid, where Enter picks the day under the cursor.
  const HWND grid =
      FindWindowExW(GetParent(in(widget_ids::cmdDnes)), nullptr, L"DnovarDayGrid", nullptr);
  ASSERT_NE(grid, nullptr);
  const struct {
    HWND focused;
    bool eats;
  } cases[] = {
      {in(widget_ids::txtYear), true},  {in(widget_ids::cmdDnes), false},
      {in(widget_ids::txtDplus), true}, {in(widget_ids::txtYear), true},
      {in(widget_ids::UpDown2), false}, {in(widget_ids::cmbMonth), true},
      {in(widget_ids::cmdDnes), false}, {grid, true},
      {in(widget_ids::UpDown2), false},
  };
  bool eating = false;
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    const int changes = site.control_info_changes;
    SetFocus(c.focused);
    CONTROLINFO info{};
    info.cb = sizeof info;
    ASSERT_EQ(control->GetControlInfo(&info), S_OK);
    EXPECT_EQ((info.dwFlags & CTRLINFO_EATS_RETURN) != 0, c.eats);
    EXPECT_EQ(site.control_info_changes - changes, c.eats != eating ? 1 : 0);
    eating = c.eats;
  }
  // The control lets go of the site while the site is still there.
  TearDown();
  SetUp();
}

// The access keys' table GetControlInfo lends the container is the control's: the container must
// not free it, so every call hands out the one table, which the control destroys when it goes.
TEST_F(HostModesTest, GetControlInfoLendsOneTableOfAccessKeysThatGoesWithTheControl) {
  TestSite site(window_, true);
  place(site, k20May2024);
  const auto table = [&] {
    CONTROLINFO info{};
    info.cb = sizeof info;
    EXPECT_EQ(control_.query<IOleControl>()->GetControlInfo(&info), S_OK);
    return info;
  };
  const CONTROLINFO first = table();
  ASSERT_NE(first.hAccel, nullptr);
  std::vector<ACCEL> keys(first.cAccel);
  ASSERT_EQ(CopyAcceleratorTableW(first.hAccel, keys.data(), static_cast<int>(keys.size())),
            static_cast<int>(keys.size()));
  std::vector<WORD> letters;
  for (const ACCEL& key : keys) letters.push_back(key.key);
  EXPECT_EQ(letters, (std::vector<WORD>{'D', 'Z'}));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(table().hAccel, first.hAccel) << "call " << i + 2;

  TearDown();
  EXPECT_EQ(CopyAcceleratorTableW(first.hAccel, nullptr, 0), 0) << "the table outlived the control";
  SetUp();
}

}  // namespace
}  // namespace dnovar
