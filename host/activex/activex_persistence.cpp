// IPersistPropertyBag and IPersistStreamInit: the component's initialise, load and save, with the
// container's bag or a stream (stream_format.h) as the store.
#include "com/bag_file.h"
#include "com/windows/com_guid.h"
#include "host/activex/activex_control.h"
#include "host/activex/property_bag_bridge.h"
#include "host/activex/stream_format.h"
#include "host/type_library.h"
#include "platform/wide_text.h"

namespace dnovar {

namespace {

// The status of a persistence call as COM has it; a run-time error's number survives as a
// control error (0x800A0000 | number), and its text as the error info.
HRESULT persistence_result(Status status, const ExceptionInfo& info) {
  if (succeeded(status)) return S_OK;
  if (status != Status::exception) return static_cast<HRESULT>(status);
  ComRef<ICreateErrorInfo> created;
  if (SUCCEEDED(CreateErrorInfo(created.put()))) {
    const std::wstring description = wide_text(info.description);
    created->SetDescription(const_cast<LPOLESTR>(description.c_str()));
    ComRef<IErrorInfo> error = created.query<IErrorInfo>();
    SetErrorInfo(0, error.get());
  }
  return static_cast<HRESULT>(control_error_status(info.number));
}

void read_exactly(IStream& stream, void* into, ULONG size) {
  ULONG read = 0;
  const HRESULT result = stream.Read(into, size, &read);
  if (FAILED(result)) raise_com_failure(result, "reading the stream");
  if (read != size)
    throw RuntimeError(error_number::invalid_file_format,
                       "Invalid file format: the stream ends inside the control's settings");
}

void write_all(IStream& stream, const std::vector<std::uint8_t>& bytes) {
  ULONG written = 0;
  const HRESULT result = stream.Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
  if (FAILED(result)) raise_com_failure(result, "writing the stream");
  if (written != bytes.size()) raise_com_failure(STG_E_MEDIUMFULL, "writing the stream");
}

}  // namespace

HRESULT ActiveXControl::finish_persistence(Status status, const ExceptionInfo& info, bool loaded) {
  if (loaded) dirty_ = false;
  return persistence_result(status, info);
}

HRESULT ActiveXControl::GetClassID(CLSID* out) {
  if (out == nullptr) return E_POINTER;
  *out = windows_guid(kDnovarClassId);
  return S_OK;
}

HRESULT ActiveXControl::InitNew() {
  // One of InitNew and Load, once: a second is the container's mistake.
  if (persistence_started_) return E_UNEXPECTED;
  persistence_started_ = true;
  ExceptionInfo info;
  return finish_persistence(hosting_->init_new(&info), info, true);
}

HRESULT ActiveXControl::Load(IPropertyBag* bag, IErrorLog* log) {
  if (bag == nullptr) return E_POINTER;
  if (persistence_started_) return E_UNEXPECTED;
  persistence_started_ = true;
  PropertyBagBridge bridge(*bag, log);
  ExceptionInfo info;
  return finish_persistence(hosting_->load(bridge, &info), info, true);
}

HRESULT ActiveXControl::Save(IPropertyBag* bag, BOOL clear_dirty, BOOL) {
  if (bag == nullptr) return E_POINTER;
  PropertyBagBridge bridge(*bag, nullptr);
  ExceptionInfo info;
  const Status status = hosting_->save(bridge, &info);
  if (succeeded(status) && clear_dirty) dirty_ = false;
  return persistence_result(status, info);
}

HRESULT ActiveXControl::IsDirty() {
  return dirty_ ? S_OK : S_FALSE;
}

HRESULT ActiveXControl::Load(LPSTREAM stream) {
  if (stream == nullptr) return E_POINTER;
  if (persistence_started_) return E_UNEXPECTED;
  persistence_started_ = true;
  ExceptionInfo info;
  const Status status = guarded_call(&info, [&] {
    std::uint8_t header[kStreamHeaderSize];
    read_exactly(*stream, header, sizeof header);
    std::vector<std::uint8_t> payload(payload_length(header));
    if (!payload.empty()) read_exactly(*stream, payload.data(), static_cast<ULONG>(payload.size()));
    MemoryBag bag = decode_settings(payload);
    return hosting_->load(bag, &info);
  });
  return finish_persistence(status, info, true);
}

HRESULT ActiveXControl::Save(LPSTREAM stream, BOOL clear_dirty) {
  if (stream == nullptr) return E_POINTER;
  ExceptionInfo info;
  const Status status = guarded_call(&info, [&] {
    MemoryBag bag;
    if (const Status saved = hosting_->save(bag, &info); failed(saved)) return saved;
    write_all(*stream, encode_settings(bag));
    return Status::ok;
  });
  if (succeeded(status) && clear_dirty) dirty_ = false;
  return persistence_result(status, info);
}

HRESULT ActiveXControl::GetSizeMax(ULARGE_INTEGER* size) {
  if (size == nullptr) return E_POINTER;
  ExceptionInfo info;
  const Status status = guarded_call(&info, [&] {
    MemoryBag bag;
    if (const Status saved = hosting_->save(bag, &info); failed(saved)) return saved;
    size->QuadPart = encode_settings(bag).size();
    return Status::ok;
  });
  return persistence_result(status, info);
}

}  // namespace dnovar
