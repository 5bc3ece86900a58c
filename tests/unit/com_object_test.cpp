#include <gtest/gtest.h>

#include "component/automation.h"
#include "component/class_factory.h"
#include "component/object.h"

namespace dnovar {
namespace {

class Named : public Unknown {
 public:
  static constexpr Guid iid = guid_literal("{A1000000-0000-0000-0000-000000000001}");
  virtual std::string name() = 0;

 protected:
  ~Named() = default;
};

class Sized : public Unknown {
 public:
  static constexpr Guid iid = guid_literal("{A1000000-0000-0000-0000-000000000002}");
  virtual int size() = 0;

 protected:
  ~Sized() = default;
};

// Counts its destruction, so a test sees exactly when the last reference went.
class Thing final : public ObjectBase<Named, Sized> {
 public:
  explicit Thing(int* destroyed) : destroyed_(destroyed) {}
  ~Thing() override { ++*destroyed_; }
  std::string name() override { return "thing"; }
  int size() override { return 3; }

 private:
  int* destroyed_;
};

TEST(ComObject, AnswersExactlyItsInterfacesWithOneIdentity) {
  int destroyed = 0;
  const ComponentPtr<Named> named = make_object<Thing, Named>(&destroyed);
  ASSERT_TRUE(named);
  struct Case {
    Guid iid;
    Status status;
  };
  const Case cases[] = {
      {Unknown::iid, Status::ok},
      {Named::iid, Status::ok},
      {Sized::iid, Status::ok},
      {Dispatch::iid, Status::no_interface},
      {ClassFactory::iid, Status::no_interface},
  };
  for (const Case& c : cases) {
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(named->query_interface(c.iid, &out), c.status) << format_guid(c.iid);
    if (c.status == Status::ok) {
      ASSERT_NE(out, nullptr);
      static_cast<Unknown*>(out)->release();
    } else {
      EXPECT_EQ(out, nullptr);
    }
  }
  EXPECT_EQ(named->query_interface(Named::iid, nullptr), Status::pointer);

  const ComponentPtr<Sized> sized = named.query<Sized>();
  ASSERT_TRUE(sized);
  EXPECT_EQ(sized->size(), 3);
  EXPECT_EQ(named.query<Unknown>().get(), sized.query<Unknown>().get());
  EXPECT_EQ(destroyed, 0);
}

TEST(ComObject, LastReleaseDestroysAndModuleCountFollows) {
  const long before = module_state::live_objects();
  int destroyed = 0;
  {
    ComponentPtr<Named> named = make_object<Thing, Named>(&destroyed);
    EXPECT_EQ(module_state::live_objects(), before + 1);
    EXPECT_EQ(named->add_ref(), 2u);
    EXPECT_EQ(named->release(), 1u);
    ComponentPtr<Sized> sized = named.query<Sized>();
    named.reset();
    EXPECT_EQ(destroyed, 0) << "the Sized reference still holds the object";
    const ComponentPtr<Sized> copy = sized;
    sized.reset();
    EXPECT_EQ(destroyed, 0);
  }
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(module_state::live_objects(), before);
}

TEST(ComObject, MakeObjectWithAnUnsupportedInterfaceFreesTheObject) {
  int destroyed = 0;
  const ComponentPtr<Dispatch> none = make_object<Thing, Dispatch>(&destroyed);
  EXPECT_FALSE(none);
  EXPECT_EQ(destroyed, 1);
}

TEST(ClassFactory, CreatesInstancesAndRefusesAggregation) {
  int destroyed = 0;
  int created = 0;
  const ComponentPtr<ClassFactory> factory = make_object<FunctionClassFactory, ClassFactory>([&] {
    ++created;
    return make_object<Thing>(&destroyed);
  });
  ComponentPtr<Sized> sized;
  EXPECT_EQ(factory->create_instance(nullptr, Sized::iid, sized.put()), Status::ok);
  ASSERT_TRUE(sized);
  EXPECT_EQ(sized->size(), 3);

  void* out = reinterpret_cast<void*>(1);
  EXPECT_EQ(factory->create_instance(sized.get(), Sized::iid, &out), Status::no_aggregation);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(factory->create_instance(nullptr, Dispatch::iid, &out), Status::no_interface);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(created, 2);
  EXPECT_EQ(destroyed, 1) << "the instance nobody could take is freed";
  EXPECT_EQ(factory->create_instance(nullptr, Sized::iid, nullptr), Status::pointer);
}

TEST(ClassFactory, CreationFailureBecomesAStatus) {
  const ComponentPtr<ClassFactory> factory = make_object<FunctionClassFactory, ClassFactory>(
      []() -> ComponentPtr<Unknown> { throw RuntimeError(7, "Out of memory"); });
  void* out = nullptr;
  EXPECT_EQ(factory->create_instance(nullptr, Unknown::iid, &out), control_error_status(7));
  EXPECT_EQ(out, nullptr);
}

TEST(ClassFactory, LocksKeepTheModuleAndUnlocksMustBalance) {
  const ComponentPtr<ClassFactory> factory =
      make_object<FunctionClassFactory, ClassFactory>([] { return ComponentPtr<Unknown>(); });
  const long locks = module_state::locks();
  EXPECT_EQ(factory->lock_server(true), Status::ok);
  EXPECT_EQ(factory->lock_server(true), Status::ok);
  EXPECT_EQ(module_state::locks(), locks + 2);
  EXPECT_FALSE(module_state::can_unload());
  EXPECT_EQ(factory->lock_server(false), Status::ok);
  EXPECT_EQ(factory->lock_server(false), Status::ok);
  EXPECT_EQ(module_state::locks(), locks);
  if (locks == 0) {
    EXPECT_EQ(factory->lock_server(false), Status::fail);
    EXPECT_EQ(module_state::locks(), 0);
  }
}

}  // namespace
}  // namespace dnovar
