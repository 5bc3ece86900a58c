#include "component/control_client.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "component/bag_file.h"
#include "component/object.h"
#include "host/dnovar_control.h"
#include "test_site.h"

namespace dnovar {
namespace {

using testing_support::error_of;
using testing_support::TestSite;

constexpr Guid kEventsId = guid_literal("{C3000000-0000-0000-0000-000000000003}");

// An interface, the class implementing it and the class's events, as a control publishes them.
const TypeLibrary& logging_library() {
  static const TypeLibrary library{
      .name = "LoggingLib",
      .types = {
          TypeInfo{.name = "_Logging",
                   .guid = guid_literal("{C3000000-0000-0000-0000-000000000001}")},
          TypeInfo{.name = "Logging",
                   .kind = TypeKind::coclass,
                   .guid = guid_literal("{C3000000-0000-0000-0000-000000000002}"),
                   .interfaces = {{"_Logging", implementation_flag::is_default},
                                  {"__Logging",
                                   implementation_flag::is_default | implementation_flag::source}}},
          TypeInfo{.name = "__Logging",
                   .guid = kEventsId,
                   .functions = {{.name = "Zavri", .id = 1}, {.name = "Changed", .id = 2}}},
      }};
  return library;
}

// A control that writes down what its host does to it; it can refuse one interface and fail
// advising, and every call through its interfaces fails with error 6.
class LoggingControl final : public ObjectBase<Dispatch, ControlHosting, EventSource> {
 public:
  LoggingControl(std::vector<std::string>& log, Guid refused) : log_(log), refused_(refused) {}
  ~LoggingControl() override { log_.push_back("released"); }

  Status query_interface(const Guid& interface_id, void** out) override {
    if (out != nullptr && interface_id == refused_) {
      *out = nullptr;
      return Status::no_interface;
    }
    return ObjectBase::query_interface(interface_id, out);
  }

  Status get_ids_of_names(std::string_view, DispatchId* id) override {
    *id = 5;
    return Status::ok;
  }
  Status invoke(DispatchId, InvokeKind, std::vector<Variant>&, Variant*,
                ExceptionInfo* info) override {
    return failure(info);
  }
  Status get_type_info(TypeInfoRef* out) override {
    *out = TypeInfoRef{&logging_library(), 0};
    return Status::ok;
  }

  Status set_site(ControlSite* site, ExceptionInfo*) override {
    log_.push_back(site != nullptr ? "site given" : "site withdrawn");
    return Status::ok;
  }
  Status init_new(ExceptionInfo* info) override { return failure(info); }
  Status load(PropertyBag&, ExceptionInfo* info) override { return failure(info); }
  Status save(PropertyBag&, ExceptionInfo* info) override { return failure(info); }

  Status advise(const Guid& source_iid, EventSink* sink, std::uint32_t* cookie) override {
    log_.push_back(source_iid == kEventsId ? "advised" : "advised elsewhere");
    if (fail_advise) return Status::fail;
    sink_ = ComponentPtr<EventSink>::share(sink);
    *cookie = 7;
    return Status::ok;
  }
  Status unadvise(std::uint32_t cookie) override {
    log_.push_back("unadvised " + std::to_string(cookie));
    sink_.reset();
    return Status::ok;
  }

  void raise(DispatchId id) {
    std::vector<Variant> args;
    sink_->invoke(id, args);
  }

  bool fail_advise = false;

 private:
  Status failure(ExceptionInfo* info) {
    return status_from_error(RuntimeError(error_number::overflow, "Overflow"), info);
  }

  std::vector<std::string>& log_;
  Guid refused_;
  ComponentPtr<EventSink> sink_;
};

struct Held {
  explicit Held(Guid refused = {}) : control(new LoggingControl(log, refused)) {
    object = ComponentPtr<Unknown>::share(static_cast<Dispatch*>(control));
  }
  std::vector<std::string> log;
  LoggingControl* control;
  ComponentPtr<Unknown> object;
  TestSite site;
  std::vector<std::string> events;
  ControlClient::EventHandler record = [this](std::string_view name, DispatchId id) {
    events.push_back(std::string(name) + " " + std::to_string(id));
  };
};

TEST(ControlClient, AMissingInterfaceIsError430BeforeTheSiteIsGiven) {
  for (const Guid& refused : {Dispatch::iid, ControlHosting::iid, EventSource::iid}) {
    SCOPED_TRACE(format_guid(refused));
    Held held(refused);
    try {
      ControlClient client(held.object, held.site, held.record);
      ADD_FAILURE() << "no error";
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.number(), 430);
      EXPECT_STREQ(error.what(),
                   "Class does not support Automation or does not support expected interface");
    }
    EXPECT_TRUE(held.log.empty());
  }
}

TEST(ControlClient, SitesAdvisesAndLetsGoInTheControlsOrder) {
  Held held;
  {
    ControlClient client(held.object, held.site, held.record);
    EXPECT_EQ(held.log, (std::vector<std::string>{"site given", "advised"}));
    held.object.reset();
  }
  EXPECT_EQ(held.log, (std::vector<std::string>{"site given", "advised", "unadvised 7",
                                                "site withdrawn", "released"}));
}

TEST(ControlClient, AFailedAdviseWithdrawsTheSite) {
  Held held;
  held.control->fail_advise = true;
  EXPECT_EQ(error_of([&] { ControlClient client(held.object, held.site, held.record); }), 440);
  EXPECT_EQ(held.log, (std::vector<std::string>{"site given", "advised", "site withdrawn"}));
}

TEST(ControlClient, EventsReachTheHandlerByTheirNameInTheLibrary) {
  Held held;
  ControlClient client(held.object, held.site, held.record);
  for (DispatchId id : {1, 2, 9}) held.control->raise(id);
  EXPECT_EQ(held.events, (std::vector<std::string>{"Zavri 1", "Changed 2", "9 9"}));
}

TEST(ControlClient, EveryCallRaisesTheControlsFailure) {
  Held held;
  ControlClient client(held.object, held.site, held.record);
  MemoryBag bag;
  const std::function<void()> calls[] = {
      [&] { client.init_new(); },
      [&] { client.load(bag); },
      [&] { client.save(bag); },
      [&] { client.get("Dlow"); },
      [&] { client.put("Dlow", Variant::i2(1)); },
      [&] { client.call("Aktualizuj", {Variant::i2(0)}); },
  };
  for (const auto& call : calls) EXPECT_EQ(error_of(call), 6);
}

TEST(ControlClient, HoldsTheRealControlAndNamesItsEvent) {
  TestSite site;
  std::vector<std::string> events;
  ControlClient client(make_object<DnovarControl>(), site,
                       [&](std::string_view name, DispatchId id) {
                         events.push_back(std::string(name) + " " + std::to_string(id));
                       });
  client.init_new();
  EXPECT_EQ(client.get("Caption"), Variant::string("Dnovar1"));
  site.surfaces.made.back()->user_click(widget_ids::cmdZavri);
  EXPECT_EQ(events, (std::vector<std::string>{"Zavri 1"}));
}

}  // namespace
}  // namespace dnovar
