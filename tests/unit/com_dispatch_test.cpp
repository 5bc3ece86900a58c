#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

#include "component/dispatch_table.h"
#include "component/event_sinks.h"
#include "component/object.h"

namespace dnovar {
namespace {

// A described interface with one member of each shape the tables must handle.
const TypeLibrary& test_library() {
  static const TypeLibrary
      library{.name = "TestLib",
              .guid = guid_literal("{B2000000-0000-0000-0000-000000000001}"),
              .types =
                  {
                      TypeInfo{
                          .name = "_Test",
                          .kind = TypeKind::dual_interface,
                          .guid = guid_literal("{B2000000-0000-0000-0000-000000000002}"),
                          .functions =
                              {
                                  {.name = "Level",
                                   .id = 7,
                                   .kind = InvokeKind::property_get,
                                   .result = ValueType::i2},
                                  {.name = "Level",
                                   .id = 7,
                                   .kind = InvokeKind::property_put,
                                   .parameters = {{.type = ValueType::i2}}},
                                  {.name = "Bump",
                                   .id = 8,
                                   .parameters = {{.name = "by",
                                                   .type = ValueType::i2,
                                                   .by_reference = true,
                                                   .flags = param_flag::in | param_flag::out |
                                                            param_flag::optional}}},
                                  {.name = "Describe",
                                   .id = 9,
                                   .result = ValueType::string,
                                   .parameters = {{.name = "when", .type = ValueType::date},
                                                  {.name = "prefix",
                                                   .type = ValueType::string,
                                                   .flags = param_flag::in | param_flag::optional |
                                                            param_flag::has_default,
                                                   .default_value = Variant::string("on ")}}},
                                  {.name = "Enabled",
                                   .id = kDispidEnabled,
                                   .kind = InvokeKind::property_get,
                                   .result = ValueType::boolean},
                                  {.name = "Fail", .id = 10},
                              },
                      }}};
  return library;
}

struct TestObject {
  Int16 level = 0;
  std::vector<Args> bump_calls;
  DispatchTable table{
      test_library(),
      0,
      {
          {"Level", InvokeKind::property_get, [this](Args&) { return Variant::i2(level); }},
          {"level", InvokeKind::property_put,
           [this](Args& args) {
             level = args[0].to_i2();
             return Variant();
           }},
          {"Bump", InvokeKind::method,
           [this](Args& args) {
             bump_calls.push_back(args);
             // Writes the argument back only when asked to bump by 100.
             if (args[0].to_i2() == 100) args[0] = Variant::i2(-1);
             level = add16(level, args[0].to_i2());
             return Variant();
           }},
          {"Describe", InvokeKind::method,
           [](Args& args) { return Variant::string(args[1].to_string() + args[0].to_string()); }},
          {"Enabled", InvokeKind::property_get, [](Args&) { return Variant::i4(5); }},
          {"Fail", InvokeKind::method,
           [](Args&) -> Variant {
             throw RuntimeError(340, "Control array element '40' doesn't exist");
           }},
      },
      "TestLib.Test"};
};

TEST(DispatchTable, FindsMembersByNameWithoutRegardToCase) {
  TestObject object;
  struct Case {
    const char* name;
    Status status;
    DispatchId id;
  };
  const Case cases[] = {
      {"Level", Status::ok, 7},
      {"LEVEL", Status::ok, 7},
      {"bump", Status::ok, 8},
      {"enabled", Status::ok, -514},
      {"Levels", Status::member_not_found, kDispidUnknown},
      {"", Status::member_not_found, kDispidUnknown},
  };
  for (const Case& c : cases) {
    DispatchId id = 12345;
    EXPECT_EQ(object.table.get_ids_of_names(c.name, &id), c.status) << c.name;
    EXPECT_EQ(id, c.id) << c.name;
  }
}

TEST(DispatchTable, ChecksMemberKindAndArgumentCount) {
  TestObject object;
  struct Case {
    DispatchId id;
    InvokeKind kind;
    Args args;
    Status status;
  };
  const Case cases[] = {
      {7, InvokeKind::property_get, {}, Status::ok},
      {7, InvokeKind::property_put, {Variant::i2(1)}, Status::ok},
      {7, InvokeKind::property_put, {}, Status::bad_param_count},
      {7, InvokeKind::property_put, {Variant::i2(1), Variant::i2(2)}, Status::bad_param_count},
      {7, InvokeKind::property_get, {Variant::i2(1)}, Status::bad_param_count},
      {7, InvokeKind::method, {}, Status::member_not_found},
      {8, InvokeKind::property_put, {Variant::i2(1)}, Status::member_not_found},
      {99, InvokeKind::method, {}, Status::member_not_found},
      {8, InvokeKind::method, {}, Status::ok},
      {8, InvokeKind::method, {Variant::i2(1), Variant::i2(1)}, Status::bad_param_count},
      {9, InvokeKind::method, {}, Status::bad_param_count},
      {9, InvokeKind::method, {Variant::date(45413)}, Status::ok},
      {9, InvokeKind::method, {Variant::string("zítra")}, Status::type_mismatch},
      {7, InvokeKind::property_put, {Variant::i4(40000)}, Status::overflow},
      {7, InvokeKind::property_put, {Variant::string("12x")}, Status::type_mismatch},
  };
  for (const Case& c : cases) {
    Args args = c.args;
    Variant result;
    ExceptionInfo info;
    EXPECT_EQ(object.table.invoke(c.id, c.kind, args, &result, &info), c.status)
        << c.id << " " << invoke_kind_name(c.kind) << " with " << c.args.size();
  }
}

TEST(DispatchTable, ConvertsArgumentsAndResultsToTheDescribedTypes) {
  TestObject object;
  Args args{Variant::string(" 12 ")};
  ASSERT_EQ(object.table.invoke(7, InvokeKind::property_put, args, nullptr, nullptr), Status::ok);
  EXPECT_EQ(object.level, 12);

  Args none;
  Variant result;
  ASSERT_EQ(object.table.invoke(kDispidEnabled, InvokeKind::property_get, none, &result, nullptr),
            Status::ok);
  EXPECT_EQ(result, Variant::boolean(true))
      << "an i4 handed back is given as the described boolean";

  Args describe{Variant::string("2024-05-01")};
  ASSERT_EQ(object.table.invoke(9, InvokeKind::method, describe, &result, nullptr), Status::ok);
  EXPECT_EQ(result, Variant::string("on 2024-05-01"))
      << "the recorded default fills the left-out argument";
}

TEST(DispatchTable, LeftOutOptionalArgumentArrivesAsEmptyConverted) {
  TestObject object;
  Args args;
  ASSERT_EQ(object.table.invoke(8, InvokeKind::method, args, nullptr, nullptr), Status::ok);
  ASSERT_EQ(object.bump_calls.size(), 1u);
  EXPECT_EQ(object.bump_calls[0], Args{Variant::i2(0)});
  EXPECT_TRUE(args.empty());
}

TEST(DispatchTable, WritesByReferenceArgumentsBackOnlyWhenChanged) {
  struct Case {
    Variant given;
    Variant after;
  };
  const Case cases[] = {
      {Variant::string("5"), Variant::string("5")},  // unchanged: the caller keeps its own type
      {Variant::i4(5), Variant::i4(5)},
      {Variant::i2(100), Variant::i2(-1)},  // the handler wrote it
      {Variant::string("100"), Variant::i2(-1)},
  };
  for (const Case& c : cases) {
    TestObject object;
    Args args{c.given};
    ASSERT_EQ(object.table.invoke(8, InvokeKind::method, args, nullptr, nullptr), Status::ok);
    EXPECT_EQ(args[0], c.after) << c.given.to_string();
  }
}

TEST(DispatchTable, RunTimeErrorsBecomeExceptionsWithTheirNumber) {
  TestObject object;
  Args args;
  ExceptionInfo info;
  EXPECT_EQ(object.table.invoke(10, InvokeKind::method, args, nullptr, &info), Status::exception);
  EXPECT_EQ(info.number, 340);
  EXPECT_EQ(info.source, "TestLib.Test");
  EXPECT_EQ(info.description, "Control array element '40' doesn't exist");
  EXPECT_EQ(object.table.invoke(10, InvokeKind::method, args, nullptr, nullptr),
            control_error_status(340));

  object.level = 32767;
  Args bump{Variant::i2(1)};
  EXPECT_EQ(object.table.invoke(8, InvokeKind::method, bump, nullptr, &info), Status::exception);
  EXPECT_EQ(info.number, 6);
  EXPECT_EQ(object.level, 32767);
}

TEST(DispatchTable, PublishesItsTypeDescription) {
  TestObject object;
  TypeInfoRef ref;
  ASSERT_EQ(object.table.get_type_info(&ref), Status::ok);
  EXPECT_EQ(ref.library, &test_library());
  EXPECT_EQ(ref.info().name, "_Test");
  EXPECT_EQ(find_function(ref.info(), 7, InvokeKind::property_put)->parameters.size(), 1u);
  EXPECT_NE(describe(test_library()).find("[id(0xFFFFFDFE), propget] VARIANT_BOOL Enabled();"),
            std::string::npos);
}

TEST(DispatchTable, RefusesBindingsThatDoNotMatchTheDescription) {
  const auto noop = [](Args&) { return Variant(); };
  const auto all_but = [&](std::string_view skipped) {
    std::vector<MemberBinding> bindings;
    for (const Function& function : test_library().types[0].functions) {
      if (function.name != skipped) bindings.push_back({function.name, function.kind, noop});
    }
    return bindings;
  };
  EXPECT_NO_THROW(DispatchTable(test_library(), 0, all_but("")));
  EXPECT_THROW(DispatchTable(test_library(), 0, all_but("Fail")), std::logic_error);
  auto extra = all_but("");
  extra.push_back({"Missing", InvokeKind::method, noop});
  EXPECT_THROW(DispatchTable(test_library(), 0, extra), std::logic_error);
  auto twice = all_but("");
  twice.push_back({"Fail", InvokeKind::method, noop});
  EXPECT_THROW(DispatchTable(test_library(), 0, twice), std::logic_error);
  auto wrong_kind = all_but("Fail");
  wrong_kind.push_back({"Fail", InvokeKind::property_get, noop});
  EXPECT_THROW(DispatchTable(test_library(), 0, wrong_kind), std::logic_error);
}

// Records the events it receives; may unadvise a cookie when it gets one.
class RecordingSink final : public ObjectBase<EventSink> {
 public:
  RecordingSink(std::vector<std::string>* log, std::string name)
      : log_(log), name_(std::move(name)) {}
  Status invoke(DispatchId id, std::vector<Variant>&) override {
    log_->push_back(name_ + ":" + std::to_string(id));
    if (on_event) on_event();
    return name_ == "failing" ? Status::fail : Status::ok;
  }
  std::function<void()> on_event;

 private:
  std::vector<std::string>* log_;
  std::string name_;
};

TEST(EventSinks, RaisesToEverySinkInAdviseOrderEvenWhenOneUnadvisesOrFails) {
  std::vector<std::string> log;
  EventSinks sinks;
  const ComponentPtr<EventSink> first = make_object<RecordingSink, EventSink>(&log, "failing");
  auto* second_object = new RecordingSink(&log, "second");
  const ComponentPtr<EventSink> second = ComponentPtr<EventSink>::share(second_object);
  const ComponentPtr<EventSink> third = make_object<RecordingSink, EventSink>(&log, "third");
  sinks.advise(*first);
  const std::uint32_t second_cookie = sinks.advise(*second);
  const std::uint32_t third_cookie = sinks.advise(*third);
  // The second sink unadvises the third while the event is being raised.
  second_object->on_event = [&] { sinks.unadvise(third_cookie); };

  sinks.raise(1);
  EXPECT_EQ(log, (std::vector<std::string>{"failing:1", "second:1", "third:1"}));
  EXPECT_EQ(sinks.size(), 2u);
  log.clear();
  sinks.raise(1);
  EXPECT_EQ(log, (std::vector<std::string>{"failing:1", "second:1"}));
  EXPECT_TRUE(sinks.unadvise(second_cookie));
  EXPECT_FALSE(sinks.unadvise(second_cookie));
  EXPECT_FALSE(sinks.unadvise(999));
}

TEST(EventSinks, HoldsAReferenceWhileAdvised) {
  std::vector<std::string> log;
  EventSinks sinks;
  const long before = module_state::live_objects();
  std::uint32_t cookie = 0;
  {
    const ComponentPtr<EventSink> sink = make_object<RecordingSink, EventSink>(&log, "only");
    cookie = sinks.advise(*sink);
  }
  EXPECT_EQ(module_state::live_objects(), before + 1) << "the list keeps the host's sink alive";
  sinks.raise(3);
  EXPECT_EQ(log, std::vector<std::string>{"only:3"});
  sinks.unadvise(cookie);
  EXPECT_EQ(module_state::live_objects(), before);
}

}  // namespace
}  // namespace dnovar
