// A sample component module for the component tests: one class, SampleLib.Counter, with a
// property, a method with a by-reference argument, a failing method and an event. It is loaded
// with dlopen as a host loads the control's module.
#include "component/dispatch_table.h"
#include "component/event_sinks.h"
#include "component/module_server.h"
#include "platform/int16.h"

namespace dnovar {
namespace {

constexpr Guid kLibrary = guid_literal("{5A6B0C01-7D2E-4F30-8A41-9B52C6D7E801}");
constexpr Guid kCounterInterface = guid_literal("{5A6B0C01-7D2E-4F30-8A41-9B52C6D7E802}");
constexpr Guid kCounterClass = guid_literal("{5A6B0C01-7D2E-4F30-8A41-9B52C6D7E803}");
constexpr Guid kCounterEvents = guid_literal("{5A6B0C01-7D2E-4F30-8A41-9B52C6D7E804}");
constexpr DispatchId kRing = 1;

const TypeLibrary& sample_library() {
  static const TypeLibrary library{
      .name = "SampleLib",
      .guid = kLibrary,
      .help = "Sample component",
      .types = {
          TypeInfo{.name = "_Counter",
                   .kind = TypeKind::dual_interface,
                   .guid = kCounterInterface,
                   .flags = type_flag::dual | type_flag::dispatchable,
                   .base = "IDispatch",
                   .functions =
                       {
                           {.name = "Value",
                            .id = 1,
                            .kind = InvokeKind::property_get,
                            .result = ValueType::i2},
                           {.name = "Value",
                            .id = 1,
                            .kind = InvokeKind::property_put,
                            .parameters = {{.type = ValueType::i2}}},
                           {.name = "Add",
                            .id = 2,
                            .result = ValueType::i2,
                            .parameters = {{.name = "amount",
                                            .type = ValueType::i2,
                                            .by_reference = true,
                                            .flags = param_flag::in | param_flag::out |
                                                     param_flag::optional}}},
                           {.name = "Ring", .id = 3},
                       }},
          TypeInfo{.name = "Counter",
                   .kind = TypeKind::coclass,
                   .guid = kCounterClass,
                   .interfaces = {{"_Counter", implementation_flag::is_default},
                                  {"__Counter",
                                   implementation_flag::is_default | implementation_flag::source}}},
          TypeInfo{.name = "__Counter",
                   .kind = TypeKind::dispinterface,
                   .guid = kCounterEvents,
                   .functions = {{.name = "Ring", .id = kRing}}},
      }};
  return library;
}

class Counter final : public ObjectBase<Dispatch, EventSource> {
 public:
  Counter()
      : table_(
            sample_library(), 0,
            {
                {"Value", InvokeKind::property_get, [this](Args&) { return Variant::i2(value_); }},
                {"Value", InvokeKind::property_put,
                 [this](Args& args) {
                   value_ = args[0].to_i2();
                   return Variant();
                 }},
                // Adds `amount` (1 when left out), overflowing past 32767, and hands the new
                // total back through the argument.
                {"Add", InvokeKind::method,
                 [this](Args& args) {
                   value_ =
                       add16(value_, args[0].is_empty() || args[0].to_i2() == 0 ? Int16{1}
                                                                                : args[0].to_i2());
                   args[0] = Variant::i2(value_);
                   return Variant::i2(value_);
                 }},
                {"Ring", InvokeKind::method,
                 [this](Args&) {
                   sinks_.raise(kRing);
                   return Variant();
                 }},
            },
            "SampleLib.Counter") {}

  Status get_ids_of_names(std::string_view name, DispatchId* id) override {
    return table_.get_ids_of_names(name, id);
  }
  Status invoke(DispatchId id, InvokeKind kind, Args& args, Variant* result,
                ExceptionInfo* info) override {
    return table_.invoke(id, kind, args, result, info);
  }
  Status get_type_info(TypeInfoRef* out) override { return table_.get_type_info(out); }

  Status advise(const Guid& source_iid, EventSink* sink, std::uint32_t* cookie) override {
    if (sink == nullptr || cookie == nullptr) return Status::pointer;
    if (source_iid != kCounterEvents) return Status::no_interface;
    *cookie = sinks_.advise(*sink);
    return Status::ok;
  }
  Status unadvise(std::uint32_t cookie) override {
    return sinks_.unadvise(cookie) ? Status::ok : Status::invalid_argument;
  }

 private:
  DispatchTable table_;
  EventSinks sinks_;
  Int16 value_ = 0;
};

}  // namespace
}  // namespace dnovar

using dnovar::Guid;
using dnovar::Status;

DNOVAR_MODULE_EXPORT Status DllRegisterServer() {
  return dnovar::register_module_class(
      {dnovar::kCounterClass, "SampleLib.Counter",
       dnovar::module_path_of(reinterpret_cast<const void*>(&DllRegisterServer)), dnovar::kLibrary,
       "1.0"});
}

DNOVAR_MODULE_EXPORT Status DllUnregisterServer() {
  return dnovar::unregister_module_class(dnovar::kCounterClass);
}

DNOVAR_MODULE_EXPORT Status DllGetClassObject(const Guid& clsid, const Guid& iid, void** out) {
  return dnovar::serve_class_object(clsid, iid, out, dnovar::kCounterClass,
                                    [] { return dnovar::make_object<dnovar::Counter>(); });
}

DNOVAR_MODULE_EXPORT Status DllCanUnloadNow() {
  return dnovar::module_can_unload_now();
}
