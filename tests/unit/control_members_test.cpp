#include <gtest/gtest.h>

#include <map>

#include "component/bag_file.h"
#include "component/object.h"
#include "host/control_members.h"
#include "host/dnovar_control.h"
#include "host/persistence.h"
#include "host/type_library.h"
#include "test_site.h"

namespace dnovar {
namespace {

using testing_support::TestSite;

// The variant type a value of a member's type travels as.
Variant::Type travels_as(ValueType type) {
  switch (type) {
    case ValueType::i2:
      return Variant::Type::I2;
    case ValueType::i4:
    case ValueType::colour:
      return Variant::Type::I4;
    case ValueType::boolean:
      return Variant::Type::Bool;
    case ValueType::date:
      return Variant::Type::Date;
    case ValueType::string:
      return Variant::Type::String;
    default:
      return Variant::Type::Empty;
  }
}

const Function* function_of(const ControlMember& member, InvokeKind kind) {
  const TypeInfo& type = dnovar_type_library().types.at(kDnovarInterfaceIndex);
  for (const Function& f : type.functions)
    if (f.name == member.name && f.kind == kind) return &f;
  return nullptr;
}

// Every row in the type library: its id, help and type, each accessor of a property, nothing else.
TEST(ControlMembers, EveryRowIsInTheTypeLibrary) {
  std::size_t functions = 0;
  for (const ControlMember& member : control_members()) {
    SCOPED_TRACE(std::string(member.name));
    if (member.kind == MemberKind::state) {
      EXPECT_EQ(function_of(member, InvokeKind::property_get), nullptr);
      EXPECT_EQ(function_of(member, InvokeKind::method), nullptr);
      continue;
    }
    const bool method = member.kind == MemberKind::method;
    for (InvokeKind kind : method
                               ? std::vector{InvokeKind::method}
                               : std::vector{InvokeKind::property_get, InvokeKind::property_put}) {
      const Function* f = function_of(member, kind);
      ASSERT_NE(f, nullptr);
      ++functions;
      EXPECT_EQ(f->id, member.id);
      EXPECT_EQ(f->help, member.help);
      if (kind == InvokeKind::property_put) {
        ASSERT_EQ(f->parameters.size(), 1u);
        EXPECT_EQ(f->parameters[0].type, member.type);
      } else {
        EXPECT_EQ(f->result, member.type);
      }
      if (method) {
        EXPECT_EQ(f->parameters.size(), member.parameters.size());
      }
    }
  }
  EXPECT_EQ(dnovar_type_library().types.at(kDnovarInterfaceIndex).functions.size(), functions);
}

// A bag that records what saving writes.
class RecordingBag final : public PropertyBag {
 public:
  Variant read(std::string_view, const Variant& default_value) override { return default_value; }
  void write(std::string_view key, const Variant& value, const Variant& default_value) override {
    written.push_back({std::string(key), value.type(), default_value.type()});
  }
  bool failure_recorded(std::string_view, const RuntimeError&) override { return false; }
  struct Write {
    std::string key;
    Variant::Type value;
    Variant::Type default_value;
  };
  std::vector<Write> written;
};

// Every row through the dispatch interface of a started control: found by name under its id,
// read with its type, written back with a change notification exactly when the row says so; and
// every row with a bag key saved under its name with its type, in the bag's order.
TEST(ControlMembers, EveryRowAnswersThroughDispatchAndBag) {
  TestSite site;
  const ComponentPtr<Dispatch> control = make_object<DnovarControl, Dispatch>();
  const ComponentPtr<ControlHosting> hosting = control.query<ControlHosting>();
  ASSERT_EQ(hosting->set_site(&site, nullptr), Status::ok);
  MemoryBag stored;
  ASSERT_EQ(hosting->load(stored, nullptr), Status::ok);

  for (const ControlMember& member : control_members()) {
    if (member.kind == MemberKind::state) continue;
    SCOPED_TRACE(std::string(member.name));
    DispatchId id = 0;
    ASSERT_EQ(control->get_ids_of_names(member.name, &id), Status::ok);
    EXPECT_EQ(id, member.id);
    if (member.kind == MemberKind::method) continue;
    std::vector<Variant> none;
    Variant value;
    ASSERT_EQ(control->invoke(id, InvokeKind::property_get, none, &value, nullptr), Status::ok);
    EXPECT_EQ(value.type(), travels_as(member.type));
    site.received.clear();
    std::vector<Variant> args{value};
    ASSERT_EQ(control->invoke(id, InvokeKind::property_put, args, nullptr, nullptr), Status::ok);
    const std::vector<std::string> notified{"changed " + std::string(member.name)};
    EXPECT_EQ(site.received, member.notifies ? notified : std::vector<std::string>{});
  }

  RecordingBag bag;
  ASSERT_EQ(hosting->save(bag, nullptr), Status::ok);
  const std::vector<const ControlMember*> keys = bag_members();
  ASSERT_EQ(bag.written.size(), keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) {
    SCOPED_TRACE(std::string(keys[i]->name));
    EXPECT_EQ(keys[i]->bag->position, static_cast<int>(i));
    EXPECT_EQ(bag.written[i].key, keys[i]->name);
    EXPECT_EQ(bag.written[i].value, travels_as(keys[i]->type));
    EXPECT_EQ(bag.written[i].default_value, travels_as(keys[i]->type));
  }
}

// Names and handles are unique, and each handle finds its own row.
TEST(ControlMembers, NamesAndHandlesAreUnique) {
  std::map<std::string_view, int> names;
  std::map<DispatchId, int> ids;
  for (const ControlMember& member : control_members()) {
    EXPECT_EQ(++names[member.name], 1) << member.name;
    if (member.id != 0) {
      EXPECT_EQ(++ids[member.id], 1) << member.name;
    }
    if (member.which != Member::none) {
      EXPECT_EQ(&control_member(member.which), &member);
    }
    EXPECT_EQ(control_member_named(member.name), &member);
  }
}

}  // namespace
}  // namespace dnovar
