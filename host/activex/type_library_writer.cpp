#include "host/activex/type_library_writer.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "com/com_ref.h"
#include "host/activex/com_guid.h"
#include "host/activex/library_text.h"
#include "platform/error.h"
#include "platform/wide_text.h"

namespace dnovar {

namespace {

void check(HRESULT result, const std::string& step) {
  if (FAILED(result)) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result));
    throw RuntimeError(error_number::invalid_argument,
                       "Invalid procedure call or argument: " + step + " failed (" + code + ")");
  }
}

// Texts live as long as the writer: the system's writer copies them, but keeping them is cheap.
class Texts {
 public:
  LPOLESTR operator()(std::string_view utf8) { return kept(as_ansi_wide(library_bytes(utf8))); }
  // A help string (library_text.h).
  LPOLESTR help(std::string_view utf8) { return kept(wide_text(library_help_text(utf8))); }

 private:
  LPOLESTR kept(std::wstring text) {
    texts_.push_back(std::make_unique<std::wstring>(std::move(text)));
    return texts_.back()->data();
  }
  std::vector<std::unique_ptr<std::wstring>> texts_;
};

struct References {
  HREFTYPE dispatch = 0;  // IDispatch, from stdole
  HREFTYPE colour = 0;    // OLE_COLOR, from stdole
};

// Element descriptions point at type descriptions; these keep them alive for one function.
class Elements {
 public:
  explicit Elements(const References& references) : references_(references) {}

  TYPEDESC value(ValueType type) {
    TYPEDESC description{};
    description.vt = variant_type_of(type);
    if (type == ValueType::colour) description.hreftype = references_.colour;
    return description;
  }
  TYPEDESC pointer_to(ValueType type) {
    pointees_.push_back(std::make_unique<TYPEDESC>(value(type)));
    TYPEDESC description{};
    description.vt = VT_PTR;
    description.lptdesc = pointees_.back().get();
    return description;
  }

 private:
  const References& references_;
  std::vector<std::unique_ptr<TYPEDESC>> pointees_;
};

ELEMDESC element(TYPEDESC type, USHORT flags) {
  ELEMDESC description{};
  description.tdesc = type;
  description.paramdesc.wParamFlags = flags;
  return description;
}

INVOKEKIND invoke_kind_of(InvokeKind kind) {
  switch (kind) {
    case InvokeKind::property_get:
      return INVOKE_PROPERTYGET;
    case InvokeKind::property_put:
      return INVOKE_PROPERTYPUT;
    case InvokeKind::method:
      break;
  }
  return INVOKE_FUNC;
}

USHORT parameter_flags(std::uint32_t flags) {
  USHORT result = 0;
  if (flags & param_flag::in) result |= PARAMFLAG_FIN;
  if (flags & param_flag::out) result |= PARAMFLAG_FOUT;
  if (flags & param_flag::optional) result |= PARAMFLAG_FOPT;
  if (flags & param_flag::retval) result |= PARAMFLAG_FRETVAL;
  return result;
}

// A function of the dual interface as its vtable has it: every entry returns HRESULT, and a value
// comes back through a trailing [out, retval] pointer named as the read accessor's value is.
void add_dual_function(ICreateTypeInfo& type, UINT index, const Function& function,
                       const References& references, Texts& texts) {
  Elements elements(references);
  std::vector<ELEMDESC> parameters;
  std::vector<LPOLESTR> names{texts(function.name)};
  for (const Parameter& parameter : function.parameters) {
    const TYPEDESC type_description = parameter.by_reference ? elements.pointer_to(parameter.type)
                                                             : elements.value(parameter.type);
    parameters.push_back(element(type_description, parameter_flags(parameter.flags)));
    if (!parameter.name.empty()) names.push_back(texts(parameter.name));
  }
  if (function.result != ValueType::none) {
    parameters.push_back(
        element(elements.pointer_to(function.result), PARAMFLAG_FOUT | PARAMFLAG_FRETVAL));
    if (!function.result_name.empty()) names.push_back(texts(function.result_name));
  }
  FUNCDESC description{};
  description.memid = function.id;
  description.funckind = FUNC_PUREVIRTUAL;
  description.invkind = invoke_kind_of(function.kind);
  description.callconv = CC_STDCALL;
  description.cParams = static_cast<SHORT>(parameters.size());
  description.cParamsOpt = 0;
  description.lprgelemdescParam = parameters.empty() ? nullptr : parameters.data();
  description.elemdescFunc = element(TYPEDESC{.lptdesc = nullptr, .vt = VT_HRESULT}, 0);
  description.wFuncFlags = static_cast<WORD>(function.flags);
  check(type.AddFuncDesc(index, &description), "adding " + function.name);
  // A write accessor's value has no name: only the function's name is given.
  const UINT name_count =
      function.kind == InvokeKind::property_put ? 1 : static_cast<UINT>(names.size());
  check(type.SetFuncAndParamNames(index, names.data(), name_count), "naming " + function.name);
  check(type.SetFuncDocString(index, texts.help(function.help)), "describing " + function.name);
}

void add_event(ICreateTypeInfo& type, UINT index, const Function& function, Texts& texts) {
  FUNCDESC description{};
  description.memid = function.id;
  description.funckind = FUNC_DISPATCH;
  description.invkind = INVOKE_FUNC;
  description.callconv = CC_STDCALL;
  description.elemdescFunc = element(TYPEDESC{.lptdesc = nullptr, .vt = VT_VOID}, 0);
  check(type.AddFuncDesc(index, &description), "adding " + function.name);
  LPOLESTR name = texts(function.name);
  check(type.SetFuncAndParamNames(index, &name, 1), "naming " + function.name);
  check(type.SetFuncDocString(index, texts.help(function.help)), "describing " + function.name);
}

void add_constant(ICreateTypeInfo& type, UINT index, const EnumConstant& constant, Texts& texts) {
  VARIANT value;
  VariantInit(&value);
  V_VT(&value) = VT_I4;
  V_I4(&value) = constant.value;
  VARDESC description{};
  description.memid = MEMBERID_NIL;
  description.lpvarValue = &value;
  description.elemdescVar.tdesc.vt = VT_I4;
  description.varkind = VAR_CONST;
  check(type.AddVarDesc(index, &description), "adding " + constant.name);
  check(type.SetVarName(index, texts(constant.name)), "naming " + constant.name);
  check(type.SetVarDocString(index, texts.help(constant.help)), "describing " + constant.name);
}

TYPEKIND type_kind_of(TypeKind kind) {
  switch (kind) {
    case TypeKind::dispinterface:
      return TKIND_DISPATCH;
    case TypeKind::dual_interface:
      return TKIND_INTERFACE;
    case TypeKind::coclass:
      return TKIND_COCLASS;
    case TypeKind::enumeration:
      break;
  }
  return TKIND_ENUM;
}

WORD type_flags_of(std::uint32_t flags) {
  WORD result = 0;
  const std::pair<std::uint32_t, WORD> map[] = {
      {type_flag::can_create, TYPEFLAG_FCANCREATE},
      {type_flag::hidden, TYPEFLAG_FHIDDEN},
      {type_flag::control, TYPEFLAG_FCONTROL},
      {type_flag::dual, TYPEFLAG_FDUAL},
      {type_flag::nonextensible, TYPEFLAG_FNONEXTENSIBLE},
      {type_flag::oleautomation, TYPEFLAG_FOLEAUTOMATION},
      {type_flag::dispatchable, TYPEFLAG_FDISPATCHABLE},
  };
  for (const auto& [ours, theirs] : map)
    if (flags & ours) result |= theirs;
  return result;
}

HREFTYPE reference_to(ICreateTypeInfo& from, ICreateTypeInfo& to) {
  ComRef<ITypeInfo> info;
  check(to.QueryInterface(IID_ITypeInfo, info.put_void()), "reading a type being written");
  HREFTYPE reference = 0;
  check(from.AddRefTypeInfo(info.get(), &reference), "referring to a type");
  return reference;
}

HREFTYPE reference_to(ICreateTypeInfo& from, ITypeInfo& to) {
  HREFTYPE reference = 0;
  check(from.AddRefTypeInfo(&to, &reference), "referring to a standard type");
  return reference;
}

}  // namespace

VARTYPE variant_type_of(ValueType type) {
  switch (type) {
    case ValueType::none:
      return VT_VOID;
    case ValueType::i2:
      return VT_I2;
    case ValueType::i4:
      return VT_I4;
    case ValueType::r8:
      return VT_R8;
    case ValueType::boolean:
      return VT_BOOL;
    case ValueType::date:
      return VT_DATE;
    case ValueType::string:
      return VT_BSTR;
    case ValueType::colour:
      return VT_USERDEFINED;
    case ValueType::variant:
      break;
  }
  return VT_VARIANT;
}

void write_type_library(const TypeLibrary& library, SYSKIND target,
                        const std::filesystem::path& file) {
  Texts texts;
  ComRef<ICreateTypeLib2> writer;
  check(CreateTypeLib2(target, file.wstring().c_str(), writer.put()), "creating the library");
  check(writer->SetName(texts(library.name)), "naming the library");
  check(writer->SetGuid(windows_guid(library.guid)), "setting the library's GUID");
  check(writer->SetVersion(library.major_version, library.minor_version), "versioning");
  check(writer->SetLcid(library.locale), "setting the locale");
  check(writer->SetLibFlags(library.flags), "setting the library flags");
  check(writer->SetDocString(texts.help(library.help)), "describing the library");

  ComRef<ITypeLib> standard;
  check(LoadTypeLib(L"stdole2.tlb", standard.put()), "loading stdole2.tlb");
  ComRef<ITypeInfo> dispatch, colour;
  check(standard->GetTypeInfoOfGuid(IID_IDispatch, dispatch.put()), "finding IDispatch");
  check(standard->GetTypeInfoOfGuid(windows_guid(kOleColourType), colour.put()),
        "finding OLE_COLOR");

  // Every type is created first, in the library's order, so that any can refer to any.
  std::vector<ComRef<ICreateTypeInfo>> types;
  for (const TypeInfo& type : library.types) {
    ComRef<ICreateTypeInfo> created;
    check(writer->CreateTypeInfo(texts(type.name), type_kind_of(type.kind), created.put()),
          "creating " + type.name);
    check(created->SetGuid(windows_guid(type.guid)), "setting the GUID of " + type.name);
    check(created->SetVersion(type.major_version, type.minor_version), "versioning " + type.name);
    check(created->SetTypeFlags(type_flags_of(type.flags)), "flagging " + type.name);
    if (!type.help.empty()) check(created->SetDocString(texts.help(type.help)), "describing");
    types.push_back(std::move(created));
  }

  for (std::size_t t = 0; t < library.types.size(); ++t) {
    const TypeInfo& type = library.types[t];
    ICreateTypeInfo& created = *types[t];
    switch (type.kind) {
      case TypeKind::dual_interface:
      case TypeKind::dispinterface: {
        References references{reference_to(created, *dispatch), reference_to(created, *colour)};
        check(created.AddImplType(0, references.dispatch), "basing " + type.name);
        for (std::size_t f = 0; f < type.functions.size(); ++f) {
          const UINT index = static_cast<UINT>(f);
          if (type.kind == TypeKind::dual_interface) {
            add_dual_function(created, index, type.functions[f], references, texts);
          } else {
            add_event(created, index, type.functions[f], texts);
          }
        }
        break;
      }
      case TypeKind::coclass:
        for (std::size_t i = 0; i < type.interfaces.size(); ++i) {
          const ImplementedInterface& implemented = type.interfaces[i];
          std::size_t target_index = 0;
          while (target_index < library.types.size() &&
                 !names_equal(library.types[target_index].name, implemented.name)) {
            ++target_index;
          }
          if (target_index == library.types.size())
            check(E_INVALIDARG, type.name + " implements an unknown " + implemented.name);
          const UINT index = static_cast<UINT>(i);
          check(created.AddImplType(index, reference_to(created, *types[target_index])),
                "implementing " + implemented.name);
          INT flags = 0;
          if (implemented.flags & implementation_flag::is_default) flags |= IMPLTYPEFLAG_FDEFAULT;
          if (implemented.flags & implementation_flag::source) flags |= IMPLTYPEFLAG_FSOURCE;
          check(created.SetImplTypeFlags(index, flags), "flagging " + implemented.name);
        }
        break;
      case TypeKind::enumeration:
        for (std::size_t c = 0; c < type.constants.size(); ++c)
          add_constant(created, static_cast<UINT>(c), type.constants[c], texts);
        break;
    }
    check(created.LayOut(), "laying out " + type.name);
  }
  check(writer->SaveAllChanges(), "saving the library");
}

}  // namespace dnovar
