// A host program's view of the control: the module is found through the registry, loaded with
// dlopen, and the control is created by its class factory and driven by dispatch id only.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "component/bag_file.h"
#include "component/class_factory.h"
#include "component/module.h"
#include "component/module_resources.h"
#include "component/registry.h"
#include "host/dnovar_control.h"
#include "host/type_library.h"
#include "platform/environment.h"
#include "test_site.h"

namespace dnovar {
namespace {

class CountingSink final : public ObjectBase<EventSink> {
 public:
  Status invoke(DispatchId id, std::vector<Variant>&) override {
    received.push_back(id);
    return Status::ok;
  }
  std::vector<DispatchId> received;
};

Variant invoke(Dispatch& object, DispatchId id, InvokeKind kind, std::vector<Variant> args = {}) {
  Variant result;
  ExceptionInfo info;
  check_status(object.invoke(id, kind, args, &result, &info), &info);
  return result;
}

class ModuleHost : public ::testing::Test {
 protected:
  void SetUp() override {
    registry_file_ = std::filesystem::temp_directory_path() /
                     ("dnovar-host-test-" + std::to_string(::getpid()) + ".json");
    std::filesystem::remove(registry_file_);
    set_environment(kRegistryVariable, registry_file_);
    check_status(LoadedModule::open(DNOVAR_CONTROL_MODULE).register_server());
  }
  void TearDown() override { std::filesystem::remove(registry_file_); }

  std::filesystem::path registry_file_;
};

TEST_F(ModuleHost, CreatesTwoInstancesDrivesThemByIdAndUnloads) {
  const Registry registry(registry_file_);
  const auto clsid = registry.find_prog_id("DnovarLib.Dnovar");
  ASSERT_TRUE(clsid.has_value());
  EXPECT_EQ(*clsid, kDnovarClassId);
  const auto entry = registry.find_class(*clsid);
  ASSERT_TRUE(entry.has_value());
  LoadedModule module = LoadedModule::open(entry->module);

  testing_support::TestSite site(make_date(2026, 12, 7));
  auto sink = make_object<CountingSink, EventSink>();
  {
    ComponentPtr<ClassFactory> factory;
    check_status(module.get_class_object(*clsid, ClassFactory::iid,
                                         reinterpret_cast<void**>(factory.put())));
    ComponentPtr<Dispatch> first, second;
    check_status(
        factory->create_instance(nullptr, Dispatch::iid, reinterpret_cast<void**>(first.put())));
    check_status(
        factory->create_instance(nullptr, Dispatch::iid, reinterpret_cast<void**>(second.put())));

    std::uint32_t cookies[2] = {};
    Dispatch* instances[2] = {first.get(), second.get()};
    MemoryBag bag;
    bag.set("Datum", Variant::date(make_date(2024, 5, 20)));
    for (int i = 0; i < 2; ++i) {
      ComponentPtr<Unknown> object = ComponentPtr<Unknown>::share(instances[i]);
      check_status(object.query<ControlHosting>()->set_site(&site, nullptr));
      check_status(object.query<ControlHosting>()->load(bag, nullptr));
      check_status(object.query<EventSource>()->advise(kDnovarEventsId, sink.get(), &cookies[i]));
    }

    // By dispatch id: Datum, Aktualizuj(k = 1), Enabled, Velikonoce with its argument left as
    // passed.
    invoke(*first, 0x68030000, InvokeKind::property_put, {Variant::string("2001-02-13")});
    invoke(*first, 0x6003000F, InvokeKind::method, {Variant::i2(1)});
    EXPECT_EQ(invoke(*first, 0x68030000, InvokeKind::property_get),
              Variant::date(make_date(2001, 2, 13)));
    EXPECT_EQ(invoke(*second, 0x68030000, InvokeKind::property_get),
              Variant::date(make_date(2024, 5, 20)));
    EXPECT_EQ(invoke(*first, kDispidEnabled, InvokeKind::property_get), Variant::boolean(true));
    std::vector<Variant> year{Variant::i4(2024)};
    Variant easter;
    check_status(first->invoke(0x60030015, InvokeKind::method, year, &easter, nullptr));
    EXPECT_EQ(easter, Variant::date(make_date(2024, 4, 1)));
    EXPECT_EQ(year[0], Variant::i4(2024));
    DispatchId about = 0;
    check_status(first->get_ids_of_names("showabout", &about));
    EXPECT_EQ(about, kDispidAboutBox);

    // The user presses "Zavři" on each: the sink hears Zavri (1) twice.
    ASSERT_EQ(site.surfaces.made.size(), 2u);
    for (HeadlessSurface* surface : site.surfaces.made) surface->user_click(widget_ids::cmdZavri);
    EXPECT_EQ(static_cast<CountingSink*>(sink.get())->received,
              (std::vector<DispatchId>{kZavriId, kZavriId}));
    EXPECT_EQ(module.can_unload_now(), Status::ok_false);

    for (int i = 0; i < 2; ++i) {
      ComponentPtr<Unknown> object = ComponentPtr<Unknown>::share(instances[i]);
      check_status(object.query<EventSource>()->unadvise(cookies[i]));
      check_status(object.query<ControlHosting>()->set_site(nullptr, nullptr));
    }
  }
  EXPECT_EQ(module.can_unload_now(), Status::ok);

  // The resources are there without an instance.
  ComponentPtr<ModuleResources> resources;
  check_status(module.get_class_object(*clsid, ModuleResources::iid,
                                       reinterpret_cast<void**>(resources.put())));
  std::vector<std::uint8_t> bitmap;
  EXPECT_EQ(resources->find_resource("BITMAP", "30000", &bitmap), Status::ok);
  EXPECT_EQ(bitmap.size(), 224u);
  resources = {};
  EXPECT_EQ(module.can_unload_now(), Status::ok);

  check_status(module.unregister_server());
  EXPECT_FALSE(Registry(registry_file_).find_prog_id("DnovarLib.Dnovar").has_value());
  EXPECT_TRUE(Registry(registry_file_).classes().empty());
}

}  // namespace
}  // namespace dnovar
