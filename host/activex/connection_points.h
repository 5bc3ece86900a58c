// The control's two outgoing interfaces: its events (__Dnovar, delivered through IDispatch) and
// the property-change notifications (IPropertyNotifySink). A connection point is a part of its
// control: it counts references on the control, which owns it.
#pragma once

#include <windows.h>

#include <ocidl.h>
#include <olectl.h>

#include <functional>
#include <utility>
#include <vector>

#include "com/com_object.h"
#include "com/com_ref.h"
#include "host/activex/owner_thread.h"

namespace dnovar {

class ConnectionPoint final : public ComObject<IConnectionPoint> {
 public:
  // `outgoing` is the interface sinks implement; `or_dispatch` lets an events sink answer
  // IDispatch only, as script hosts' sinks do.
  ConnectionPoint(IConnectionPointContainer& container, const IID& outgoing, bool or_dispatch);

  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* out) override;
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** out) override;
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** out) override;

  const IID& outgoing() const { return outgoing_; }
  // Calls `deliver` for every sink advised when it starts, in advise order, each with a reference
  // held: a sink may unadvise itself or others meanwhile. The sinks' results are theirs.
  void for_each_sink(const std::function<void(IUnknown& sink)>& deliver);
  // Drops every sink (the control is going away).
  void clear() { sinks_.clear(); }

 private:
  // Made with its control, on the control's thread; it answers there only, as the control does.
  const OwnerThread owner_thread_;
  IConnectionPointContainer& container_;
  IID outgoing_;
  bool or_dispatch_;
  std::vector<std::pair<DWORD, ComRef<IUnknown>>> sinks_;
  DWORD next_cookie_ = 1;
};

// An IEnumConnectionPoints over a fixed list, for the container's EnumConnectionPoints; throws
// std::bad_alloc when there is no memory for it.
ComRef<IEnumConnectionPoints> new_connection_point_enumerator(
    std::vector<ComRef<IConnectionPoint>> all);

}  // namespace dnovar
