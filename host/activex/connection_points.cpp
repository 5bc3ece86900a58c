#include "host/activex/connection_points.h"

#include <atomic>
#include <new>

namespace dnovar {

namespace {

// One enumerator for the two enumerations a connection point container has: over a snapshot,
// handing out each item with a reference added (`Traits::share`).
template <typename Interface, typename Item, typename Traits>
class Enumerator final : public Interface {
 public:
  Enumerator(const IID& iid, std::vector<Item> items, std::size_t position = 0)
      : iid_(iid), items_(std::move(items)), position_(position) {
    for (Item& item : items_) Traits::add_ref(item);
  }
  ~Enumerator() {
    for (Item& item : items_) Traits::release(item);
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != iid_) return E_NOINTERFACE;
    *out = this;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG remaining = --references_;
    if (remaining == 0) delete this;
    return remaining;
  }

  HRESULT STDMETHODCALLTYPE Next(ULONG count, Item* out, ULONG* fetched) override {
    if (out == nullptr || (count > 1 && fetched == nullptr)) return E_POINTER;
    ULONG given = 0;
    while (given < count && position_ < items_.size()) {
      out[given] = items_[position_++];
      Traits::add_ref(out[given]);
      ++given;
    }
    if (fetched != nullptr) *fetched = given;
    return given == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    const std::size_t left = items_.size() - position_;
    position_ += count < left ? count : left;
    return count <= left ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    position_ = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(Interface** out) override {
    if (out == nullptr) return E_POINTER;
    *out = new (std::nothrow) Enumerator(iid_, items_, position_);
    if (*out == nullptr) return E_OUTOFMEMORY;
    (*out)->AddRef();
    return S_OK;
  }

 private:
  IID iid_;
  std::vector<Item> items_;
  std::size_t position_;
  std::atomic<ULONG> references_{0};
};

struct ConnectionTraits {
  static void add_ref(CONNECTDATA& data) { data.pUnk->AddRef(); }
  static void release(CONNECTDATA& data) { data.pUnk->Release(); }
};

struct PointTraits {
  static void add_ref(IConnectionPoint*& point) { point->AddRef(); }
  static void release(IConnectionPoint*& point) { point->Release(); }
};

template <typename Interface, typename Item, typename Traits>
Interface* new_enumerator(const IID& iid, std::vector<Item> items) {
  auto* enumerator = new (std::nothrow) Enumerator<Interface, Item, Traits>(iid, std::move(items));
  if (enumerator != nullptr) enumerator->AddRef();
  return enumerator;
}

}  // namespace

ConnectionPoint::ConnectionPoint(IConnectionPointContainer& container, const IID& outgoing,
                                 bool or_dispatch)
    : container_(container), outgoing_(outgoing), or_dispatch_(or_dispatch) {}

HRESULT ConnectionPoint::QueryInterface(REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (iid != IID_IUnknown && iid != IID_IConnectionPoint) return E_NOINTERFACE;
  *out = static_cast<IConnectionPoint*>(this);
  AddRef();
  return S_OK;
}

ULONG ConnectionPoint::AddRef() {
  return container_.AddRef();
}

ULONG ConnectionPoint::Release() {
  return container_.Release();
}

HRESULT ConnectionPoint::GetConnectionInterface(IID* out) {
  if (out == nullptr) return E_POINTER;
  *out = outgoing_;
  return S_OK;
}

HRESULT ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** out) {
  if (out == nullptr) return E_POINTER;
  *out = &container_;
  container_.AddRef();
  return S_OK;
}

HRESULT ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
  if (sink == nullptr || cookie == nullptr) return E_POINTER;
  *cookie = 0;
  ComRef<IUnknown> held;
  if (FAILED(sink->QueryInterface(outgoing_, held.put_void())) &&
      (!or_dispatch_ || FAILED(sink->QueryInterface(IID_IDispatch, held.put_void())))) {
    return CONNECT_E_CANNOTCONNECT;
  }
  *cookie = next_cookie_++;
  sinks_.emplace_back(*cookie, std::move(held));
  return S_OK;
}

HRESULT ConnectionPoint::Unadvise(DWORD cookie) {
  for (auto it = sinks_.begin(); it != sinks_.end(); ++it) {
    if (it->first == cookie) {
      ComRef<IUnknown> leaving = std::move(it->second);  // released after the list is sound
      sinks_.erase(it);
      return S_OK;
    }
  }
  return CONNECT_E_NOCONNECTION;
}

HRESULT ConnectionPoint::EnumConnections(IEnumConnections** out) {
  if (out == nullptr) return E_POINTER;
  std::vector<CONNECTDATA> connections;
  for (const auto& [cookie, sink] : sinks_) connections.push_back(CONNECTDATA{sink.get(), cookie});
  *out = new_enumerator<IEnumConnections, CONNECTDATA, ConnectionTraits>(IID_IEnumConnections,
                                                                         std::move(connections));
  return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

void ConnectionPoint::for_each_sink(const std::function<void(IUnknown& sink)>& deliver) {
  std::vector<ComRef<IUnknown>> advised;
  for (const auto& entry : sinks_) advised.push_back(entry.second);
  for (const ComRef<IUnknown>& sink : advised) deliver(*sink);
}

IEnumConnectionPoints* new_connection_point_enumerator(std::vector<ComRef<IConnectionPoint>> all) {
  std::vector<IConnectionPoint*> points;
  for (const auto& point : all) points.push_back(point.get());
  return new_enumerator<IEnumConnectionPoints, IConnectionPoint*, PointTraits>(
      IID_IEnumConnectionPoints, std::move(points));
}

}  // namespace dnovar
