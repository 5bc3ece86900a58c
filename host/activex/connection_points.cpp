#include "host/activex/connection_points.h"

#include "host/activex/com_boundary.h"
#include "host/type_library.h"

namespace dnovar {

namespace {

// One enumerator for the two enumerations a connection point container has, over a snapshot
// that holds a reference to each item; `Traits::hand_out` gives the caller one of its own.
template <typename Interface, typename Traits>
class Enumerator final : public ComObject<Interface> {
  using Held = typename Traits::Held;
  using Item = typename Traits::Item;

 public:
  explicit Enumerator(std::vector<Held> items, std::size_t position = 0)
      : items_(std::move(items)), position_(position) {}

  HRESULT STDMETHODCALLTYPE Next(ULONG count, Item* out, ULONG* fetched) override {
    if (out == nullptr || (count > 1 && fetched == nullptr)) return E_POINTER;
    ULONG given = 0;
    while (given < count && position_ < items_.size())
      out[given++] = Traits::hand_out(items_[position_++]);
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
    *out = nullptr;
    return com_boundary(ErrorOrigin{kDnovarProgId, &interface_id<Interface>()}, [&] {
      *out = make_com<Enumerator>(items_, position_).detach();
      return S_OK;
    });
  }

 private:
  std::vector<Held> items_;
  std::size_t position_;
};

struct ConnectionTraits {
  using Item = CONNECTDATA;
  using Held = std::pair<DWORD, ComRef<IUnknown>>;
  static CONNECTDATA hand_out(const Held& held) {
    return CONNECTDATA{ComRef<IUnknown>(held.second).detach(), held.first};
  }
};

struct PointTraits {
  using Item = IConnectionPoint*;
  using Held = ComRef<IConnectionPoint>;
  static IConnectionPoint* hand_out(const Held& held) { return Held(held).detach(); }
};

// A failure names the control's class and the connection point's interface.
constexpr ErrorOrigin kPointOrigin{kDnovarProgId, &IID_IConnectionPoint};

}  // namespace

ConnectionPoint::ConnectionPoint(IConnectionPointContainer& container, const IID& outgoing,
                                 bool or_dispatch)
    : ComObject(container), container_(container), outgoing_(outgoing), or_dispatch_(or_dispatch) {}

HRESULT ConnectionPoint::GetConnectionInterface(IID* out) {
  return owner_thread_.guarded(kPointOrigin, [&] {
    if (out == nullptr) return E_POINTER;
    *out = outgoing_;
    return S_OK;
  });
}

HRESULT ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** out) {
  return owner_thread_.guarded(kPointOrigin, [&] {
    return ComRef<IConnectionPointContainer>::share(&container_).copy_to(out);
  });
}

HRESULT ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
  return owner_thread_.guarded(kPointOrigin, [&] {
    if (sink == nullptr || cookie == nullptr) return E_POINTER;
    *cookie = 0;
    ComRef<IUnknown> held;
    if (FAILED(sink->QueryInterface(outgoing_, held.put_void())) &&
        (!or_dispatch_ || FAILED(sink->QueryInterface(IID_IDispatch, held.put_void())))) {
      return CONNECT_E_CANNOTCONNECT;
    }
    sinks_.emplace_back(next_cookie_, std::move(held));
    *cookie = next_cookie_++;
    return S_OK;
  });
}

HRESULT ConnectionPoint::Unadvise(DWORD cookie) {
  return owner_thread_.guarded(kPointOrigin, [&] {
    for (auto it = sinks_.begin(); it != sinks_.end(); ++it) {
      if (it->first == cookie) {
        ComRef<IUnknown> leaving = std::move(it->second);  // released after the list is sound
        sinks_.erase(it);
        return S_OK;
      }
    }
    return CONNECT_E_NOCONNECTION;
  });
}

HRESULT ConnectionPoint::EnumConnections(IEnumConnections** out) {
  return owner_thread_.guarded(kPointOrigin, [&] {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    *out = make_com<Enumerator<IEnumConnections, ConnectionTraits>>(sinks_).detach();
    return S_OK;
  });
}

void ConnectionPoint::for_each_sink(const std::function<void(IUnknown& sink)>& deliver) {
  std::vector<ComRef<IUnknown>> advised;
  for (const auto& entry : sinks_) advised.push_back(entry.second);
  for (const ComRef<IUnknown>& sink : advised) deliver(*sink);
}

ComRef<IEnumConnectionPoints> new_connection_point_enumerator(
    std::vector<ComRef<IConnectionPoint>> all) {
  return ComRef<IEnumConnectionPoints>::adopt(
      make_com<Enumerator<IEnumConnectionPoints, PointTraits>>(std::move(all)).detach());
}

}  // namespace dnovar
