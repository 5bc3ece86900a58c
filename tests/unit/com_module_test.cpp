#include <gtest/gtest.h>

#include "tests/unit/error_of.h"

#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "component/activation.h"
#include "component/automation.h"
#include "component/module.h"
#include "component/object.h"
#include "platform/environment.h"

namespace dnovar {
namespace {

using testing_support::error_of;

constexpr Guid kCounterClass = guid_literal("{5A6B0C01-7D2E-4F30-8A41-9B52C6D7E803}");
constexpr Guid kCounterEvents = guid_literal("{5A6B0C01-7D2E-4F30-8A41-9B52C6D7E804}");

// A registry of the test's own, named to the module through the environment as a host does.
class ModuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("dnovar_com_module_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    registry_file_ = folder_ / "registry.json";
    set_environment(kRegistryVariable, registry_file_);
  }
  void TearDown() override {
    unset_environment(kRegistryVariable);
    std::filesystem::remove_all(folder_);
  }

  std::filesystem::path folder_;
  std::filesystem::path registry_file_;
};

class CountingSink final : public ObjectBase<EventSink> {
 public:
  explicit CountingSink(std::vector<DispatchId>* events) : events_(events) {}
  Status invoke(DispatchId id, std::vector<Variant>&) override {
    events_->push_back(id);
    return Status::ok;
  }

 private:
  std::vector<DispatchId>* events_;
};

TEST_F(ModuleTest, RegistersCreatesByProgIdAndUnregisters) {
  LoadedModule module = LoadedModule::open(DNOVAR_SAMPLE_MODULE);
  ASSERT_EQ(module.register_server(), Status::ok);
  const Registry registry(registry_file_);
  const auto registration = registry.find_class(kCounterClass);
  ASSERT_TRUE(registration.has_value());
  EXPECT_EQ(registration->prog_id, "SampleLib.Counter");
  EXPECT_EQ(std::filesystem::canonical(registration->module),
            std::filesystem::canonical(DNOVAR_SAMPLE_MODULE));

  ModuleCache modules;
  {
    const ComponentPtr<Dispatch> counter =
        create_registered<Dispatch>(registry, modules, "samplelib.counter");
    ASSERT_TRUE(counter);
    EXPECT_EQ(module.can_unload_now(), Status::ok_false) << "an instance lives";
    put_property(*counter, "Value", Variant::i2(41));
    EXPECT_EQ(call_method(*counter, "Add"), Variant::i2(42));
    std::vector<Variant> args{Variant::i2(8)};
    DispatchId add = 0;
    ASSERT_EQ(counter->get_ids_of_names("ADD", &add), Status::ok);
    ASSERT_EQ(counter->invoke(add, InvokeKind::method, args, nullptr, nullptr), Status::ok);
    EXPECT_EQ(args[0], Variant::i2(50)) << "the by-reference argument comes back";
    EXPECT_EQ(get_property(*counter, "value"), Variant::i2(50));
    EXPECT_EQ(error_of([&] { get_property(*counter, "Missing"); }), 438);
    EXPECT_EQ(error_of([&] { put_property(*counter, "Value", Variant::i4(70000)); }), 6);
    put_property(*counter, "Value", Variant::i2(32767));
    EXPECT_EQ(error_of([&] { call_method(*counter, "Add"); }), 6);

    TypeInfoRef type;
    ASSERT_EQ(counter->get_type_info(&type), Status::ok);
    EXPECT_EQ(type.library->name, "SampleLib");
    EXPECT_EQ(type.info().name, "_Counter");

    std::vector<DispatchId> events;
    const ComponentPtr<EventSource> source = counter.query<EventSource>();
    ASSERT_TRUE(source);
    const ComponentPtr<EventSink> sink = make_object<CountingSink, EventSink>(&events);
    std::uint32_t cookie = 0;
    EXPECT_EQ(source->advise(Dispatch::iid, sink.get(), &cookie), Status::no_interface);
    ASSERT_EQ(source->advise(kCounterEvents, sink.get(), &cookie), Status::ok);
    call_method(*counter, "Ring");
    EXPECT_EQ(source->unadvise(cookie), Status::ok);
    EXPECT_EQ(source->unadvise(cookie), Status::invalid_argument);
    call_method(*counter, "Ring");
    EXPECT_EQ(events, std::vector<DispatchId>{1});
  }
  EXPECT_EQ(module.can_unload_now(), Status::ok)
      << "the module counts its own objects, not the host's";

  ASSERT_EQ(module.unregister_server(), Status::ok);
  EXPECT_FALSE(registry.find_class(kCounterClass).has_value());
  EXPECT_FALSE(registry.find_prog_id("SampleLib.Counter").has_value());
  EXPECT_EQ(error_of([&] { create_registered(registry, modules, "SampleLib.Counter"); }), 429);
  EXPECT_EQ(modules.unload_unused(), 0u);
}

TEST_F(ModuleTest, HandsOutOnlyItsOwnClass) {
  const LoadedModule module = LoadedModule::open(DNOVAR_SAMPLE_MODULE);
  void* out = reinterpret_cast<void*>(1);
  EXPECT_EQ(module.get_class_object(Guid{}, ClassFactory::iid, &out), Status::class_not_available);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(module.get_class_object(kCounterClass, Dispatch::iid, &out), Status::no_interface);
  EXPECT_EQ(error_of([&] { module.create<Dispatch>(Guid{}); }), 429);
  EXPECT_TRUE(module.create<EventSource>(kCounterClass));
}

TEST_F(ModuleTest, RegistrationFailsCleanlyOnAMalformedRegistry) {
  std::filesystem::create_directories(folder_);
  { std::ofstream(registry_file_) << "{\"format\": \"dnovar-registry\", \"version\": "; }
  const LoadedModule module = LoadedModule::open(DNOVAR_SAMPLE_MODULE);
  EXPECT_EQ(module.register_server(), control_error_status(321));
}

TEST(LoadedModule, ReportsFilesThatAreNoModules) {
  struct Case {
    const char* path;
    int error;
  };
  const Case cases[] = {
      {"/nonexistent/libnothing.so", 48},
      {"/etc/hostname", 48},
#ifdef _WIN32
      {"kernel32.dll", 453},  // a library, but without the entry points
#else
      {"libm.so.6", 453},
#endif
  };
  for (const Case& c : cases) {
    try {
      LoadedModule::open(c.path);
      ADD_FAILURE() << c.path << " loaded";
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.number(), c.error) << c.path;
      EXPECT_NE(std::string(error.what()).find(c.path), std::string::npos) << error.what();
    }
  }
}

}  // namespace
}  // namespace dnovar
