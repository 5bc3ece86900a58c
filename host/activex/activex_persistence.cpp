// IPersistPropertyBag and IPersistStreamInit: the component's initialise, load and save, with the
// container's bag or a stream (stream_format.h) as the store.
#include "component/bag_file.h"
#include "host/activex/activex_control.h"
#include "host/activex/com_boundary.h"
#include "host/activex/com_guid.h"
#include "host/activex/property_bag_bridge.h"
#include "host/activex/stream_format.h"
#include "host/type_library.h"

namespace dnovar {

namespace {

// A persistence interface's failure names the control's class and that interface.
constexpr ErrorOrigin kBagOrigin{kDnovarProgId, &IID_IPersistPropertyBag};
constexpr ErrorOrigin kStreamOrigin{kDnovarProgId, &IID_IPersistStreamInit};

// The status of a persistence step as COM has it: a run-time error the component reports keeps
// its number as a control error (0x800A0000 | number) and its text as the error info.
HRESULT persistence_result(Status status, const ExceptionInfo& info, const ErrorOrigin& origin) {
  if (status == Status::exception)
    return report_error(info.number, info.description, origin, nullptr);
  return succeeded(status) ? S_OK : static_cast<HRESULT>(status);
}

void read_exactly(IStream& stream, void* into, ULONG size) {
  ULONG read = 0;
  const HRESULT result = stream.Read(into, size, &read);
  check_com(result, "reading the stream");
  if (read != size)
    throw RuntimeError(error_number::invalid_file_format,
                       "Invalid file format: the stream ends inside the control's settings");
}

void write_all(IStream& stream, const std::vector<std::uint8_t>& bytes) {
  ULONG written = 0;
  const HRESULT result = stream.Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
  check_com(result, "writing the stream");
  if (written != bytes.size()) raise_com_error(STG_E_MEDIUMFULL, nullptr, "writing the stream");
}

}  // namespace

HRESULT ActiveXControl::GetClassID(CLSID* out) {
  return guarded(kStreamOrigin, [&] {
    if (out == nullptr) return E_POINTER;
    *out = windows_guid(kDnovarClassId);
    return S_OK;
  });
}

HRESULT ActiveXControl::InitNew() {
  return guarded(kStreamOrigin, [&] {
    // One of InitNew and Load, once: a second is the container's mistake.
    if (persistence_started_) return E_UNEXPECTED;
    persistence_started_ = true;
    ExceptionInfo info;
    const Status status = hosting_->init_new(&info);
    // A container that runs its controls runs this one now: nobody will load it before. A
    // container in design mode places it as initialised and reloads it when it runs the form.
    if (succeeded(status) && user_mode_) start_from_own_save();
    mark_clean();
    return persistence_result(status, info, kStreamOrigin);
  });
}

HRESULT ActiveXControl::Load(IPropertyBag* bag, IErrorLog* log) {
  return guarded(kBagOrigin, [&] {
    if (bag == nullptr) return E_POINTER;
    if (persistence_started_) return E_UNEXPECTED;
    persistence_started_ = true;
    PropertyBagBridge bridge(*bag, log);
    ExceptionInfo info;
    const Status status = hosting_->load(bridge, &info);
    // What the load changed is the loaded state, not the user's change.
    mark_clean();
    return persistence_result(status, info, kBagOrigin);
  });
}

HRESULT ActiveXControl::Save(IPropertyBag* bag, BOOL clear_dirty, BOOL) {
  return guarded(kBagOrigin, [&] {
    if (bag == nullptr) return E_POINTER;
    PropertyBagBridge bridge(*bag, nullptr);
    ExceptionInfo info;
    const Status status = hosting_->save(bridge, &info);
    if (succeeded(status) && clear_dirty) mark_clean();
    return persistence_result(status, info, kBagOrigin);
  });
}

HRESULT ActiveXControl::IsDirty() {
  return guarded(kStreamOrigin, [&] { return is_dirty() ? S_OK : S_FALSE; });
}

HRESULT ActiveXControl::Load(LPSTREAM stream) {
  return guarded(kStreamOrigin, [&] {
    if (stream == nullptr) return E_POINTER;
    if (persistence_started_) return E_UNEXPECTED;
    persistence_started_ = true;
    ExceptionInfo info;
    const Status status = guarded_call(&info, [&] {
      std::uint8_t header[kStreamHeaderSize];
      read_exactly(*stream, header, sizeof header);
      std::vector<std::uint8_t> payload(payload_length(header));
      if (!payload.empty())
        read_exactly(*stream, payload.data(), static_cast<ULONG>(payload.size()));
      MemoryBag bag = decode_settings(payload);
      return hosting_->load(bag, &info);
    });
    mark_clean();
    return persistence_result(status, info, kStreamOrigin);
  });
}

HRESULT ActiveXControl::Save(LPSTREAM stream, BOOL clear_dirty) {
  return guarded(kStreamOrigin, [&] {
    if (stream == nullptr) return E_POINTER;
    ExceptionInfo info;
    const Status status = guarded_call(&info, [&] {
      MemoryBag bag;
      if (const Status saved = hosting_->save(bag, &info); failed(saved)) return saved;
      write_all(*stream, encode_settings(bag));
      return Status::ok;
    });
    if (succeeded(status) && clear_dirty) mark_clean();
    return persistence_result(status, info, kStreamOrigin);
  });
}

HRESULT ActiveXControl::GetSizeMax(ULARGE_INTEGER* size) {
  return guarded(kStreamOrigin, [&] {
    if (size == nullptr) return E_POINTER;
    ExceptionInfo info;
    const Status status = guarded_call(&info, [&] {
      MemoryBag bag;
      if (const Status saved = hosting_->save(bag, &info); failed(saved)) return saved;
      size->QuadPart = encode_settings(bag).size();
      return Status::ok;
    });
    return persistence_result(status, info, kStreamOrigin);
  });
}

}  // namespace dnovar
