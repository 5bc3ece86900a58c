#include "backends/win32/win32_accessible.h"

#include <new>
#include <vector>

#include "backends/win32/win32_surface.h"
#include "com/com_object.h"
#include "com/com_values.h"

namespace dnovar {

namespace {

// A call of the accessibility client, with what fails on the surface's side as its status: no
// exception crosses into the client, which has no use for an error's text.
template <typename Call>
HRESULT accessible_call(Call&& call) noexcept {
  try {
    return call();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

}  // namespace

// IAccessible over the surface's drawn widgets; the rest goes to the system's client object.
class SurfaceAccessible final : public ComObject<Answers<IAccessible, IDispatch>> {
 public:
  SurfaceAccessible(Win32Surface& surface, ComRef<IAccessible> standard)
      : surface_(&surface), standard_(std::move(standard)) {}

  void detach() {
    surface_ = nullptr;
    standard_.reset();
  }

  // IDispatch: clients call IAccessible through its table; late binding is not offered.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info != nullptr) *info = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    if (!connected()) return CO_E_OBJNOTCONNECTED;
    return standard_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (count == nullptr) return E_POINTER;
    if (!connected()) return CO_E_OBJNOTCONNECTED;
    return accessible_call([&] {
      long windows = 0;
      const HRESULT result = standard_->get_accChildCount(&windows);
      if (FAILED(result)) return result;
      *count = static_cast<long>(drawn().size()) + windows;
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    return answer(
        child, [&](VARIANT own) { return standard_->get_accChild(own, object); },
        [](Win32Widget&) { return S_FALSE; });  // a drawn widget is a simple element
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    return text(
        child, name, [&](VARIANT own) { return standard_->get_accName(own, name); },
        [](Win32Widget& widget) { return Bstr(widget.accessible_name()); });
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    return text(
        child, description,
        [&](VARIANT own) { return standard_->get_accDescription(own, description); },
        [](Win32Widget& widget) { return Bstr(widget.accessible_description()); });
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return none(child, value, [&](VARIANT own) { return standard_->get_accValue(own, value); });
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return none(child, help, [&](VARIANT own) { return standard_->get_accHelp(own, help); });
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
    return none(child, keys,
                [&](VARIANT own) { return standard_->get_accKeyboardShortcut(own, keys); });
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return none(child, action,
                [&](VARIANT own) { return standard_->get_accDefaultAction(own, action); });
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    if (file != nullptr) *file = nullptr;
    return answer(
        child, [&](VARIANT own) { return standard_->get_accHelpTopic(file, own, topic); },
        [](Win32Widget&) { return S_FALSE; });
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (role == nullptr) return E_POINTER;
    VariantInit(role);
    return answer(
        child, [&](VARIANT own) { return standard_->get_accRole(own, role); },
        [&](Win32Widget& widget) {
          role->vt = VT_I4;
          role->lVal =
              widget.kind() == WidgetKind::Frame ? ROLE_SYSTEM_GROUPING : ROLE_SYSTEM_STATICTEXT;
          return S_OK;
        });
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (state == nullptr) return E_POINTER;
    VariantInit(state);
    return answer(
        child, [&](VARIANT own) { return standard_->get_accState(own, state); },
        [&](Win32Widget& widget) {
          long flags = STATE_SYSTEM_READONLY;
          if (!widget.enabled() || !IsWindowEnabled(surface_->window()))
            flags |= STATE_SYSTEM_UNAVAILABLE;
          if (!IsWindowVisible(surface_->window())) flags |= STATE_SYSTEM_INVISIBLE;
          state->vt = VT_I4;
          state->lVal = flags;
          return S_OK;
        });
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    if (!connected()) return CO_E_OBJNOTCONNECTED;
    return accessible_call([&] { return shifted(standard_->get_accFocus(focus), focus); });
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    if (!connected()) return CO_E_OBJNOTCONNECTED;
    return accessible_call(
        [&] { return shifted(standard_->get_accSelection(selection), selection); });
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    return answer(
        child, [&](VARIANT own) { return standard_->accSelect(flags, own); },
        [](Win32Widget&) { return DISP_E_MEMBERNOTFOUND; });
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override {
    return answer(
        child, [&](VARIANT own) { return standard_->accLocation(left, top, width, height, own); },
        [&](Win32Widget& widget) {
          if (left == nullptr || top == nullptr || width == nullptr || height == nullptr)
            return E_POINTER;
          POINT corner{widget.area().left, widget.area().top};
          ClientToScreen(surface_->window(), &corner);
          *left = corner.x;
          *top = corner.y;
          *width = widget.area().right - widget.area().left;
          *height = widget.area().bottom - widget.area().top;
          return S_OK;
        });
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    if (end == nullptr) return E_POINTER;
    VariantInit(end);
    if (!connected()) return CO_E_OBJNOTCONNECTED;
    if (start.vt != VT_I4) return E_INVALIDARG;
    return accessible_call([&] { return navigate(direction, start, end); });
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
    if (hit == nullptr) return E_POINTER;
    VariantInit(hit);
    if (!connected()) return CO_E_OBJNOTCONNECTED;
    return accessible_call([&] { return hit_test(x, y, hit); });
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return answer(
        child, [&](VARIANT own) { return standard_->accDoDefaultAction(own); },
        [](Win32Widget&) { return DISP_E_MEMBERNOTFOUND; });
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  HRESULT navigate(long direction, VARIANT start, VARIANT* end) {
    const long drawn_count = static_cast<long>(drawn().size());
    long target = 0;
    if (start.lVal == CHILDID_SELF && direction == NAVDIR_FIRSTCHILD && drawn_count > 0) {
      target = 1;
    } else if (start.lVal >= 1 && start.lVal <= drawn_count && direction == NAVDIR_NEXT) {
      target = start.lVal + 1;
    } else if (start.lVal >= 1 && start.lVal <= drawn_count && direction == NAVDIR_PREVIOUS) {
      target = start.lVal - 1;
    } else if (start.lVal >= 1 && start.lVal <= drawn_count) {
      return S_FALSE;  // no children, and no directions on the screen between drawn widgets
    } else {
      const HRESULT result = shifted(standard_->accNavigate(direction, own_child(start), end), end);
      // Before the first child window comes the last drawn widget.
      if (result != S_FALSE || direction != NAVDIR_PREVIOUS || start.lVal != drawn_count + 1 ||
          drawn_count == 0)
        return result;
      target = drawn_count;
    }
    if (target < 1 || target > drawn_count) {
      // Past the last drawn widget come the windows, as the system's object lists them.
      if (target == 0) return S_FALSE;
      VARIANT self{};
      self.vt = VT_I4;
      self.lVal = CHILDID_SELF;
      return shifted(standard_->accNavigate(NAVDIR_FIRSTCHILD, self, end), end);
    }
    end->vt = VT_I4;
    end->lVal = target;
    return S_OK;
  }

  HRESULT hit_test(long x, long y, VARIANT* hit) {
    POINT point{x, y};
    ScreenToClient(surface_->window(), &point);
    const std::vector<Win32Widget*> items = drawn();
    // Labels lie on frames: the last drawn (topmost) widget under the point is the one.
    for (std::size_t i = items.size(); i-- > 0;) {
      if (!PtInRect(&items[i]->area(), point)) continue;
      if (ChildWindowFromPointEx(surface_->window(), point, CWP_SKIPINVISIBLE) !=
          surface_->window())
        break;  // a child window lies over it
      hit->vt = VT_I4;
      hit->lVal = static_cast<long>(i) + 1;
      return S_OK;
    }
    return shifted(standard_->accHitTest(x, y, hit), hit);
  }

  bool connected() const { return surface_ != nullptr && standard_; }

  // The drawn widgets in the table's order: child ids 1, 2, ...
  std::vector<Win32Widget*> drawn() const {
    std::vector<Win32Widget*> items;
    for (std::size_t i = 0; i < surface_->widget_count(); ++i) {
      Win32Widget& widget = surface_->widget(WidgetId{static_cast<int>(i)});
      if (widget.drawn()) items.push_back(&widget);
    }
    return items;
  }

  // `child` as the system's object numbers it: the window itself, or a child window after the
  // drawn widgets.
  VARIANT own_child(VARIANT child) const {
    if (child.vt == VT_I4 && child.lVal > 0) child.lVal -= static_cast<long>(drawn().size());
    return child;
  }

  // A child id the system's object returned, in this object's numbering.
  HRESULT shifted(HRESULT result, VARIANT* child) const {
    if (result == S_OK && child != nullptr && child->vt == VT_I4 && child->lVal > 0)
      child->lVal += static_cast<long>(drawn().size());
    return result;
  }

  // A drawn widget's answer from `own`, anything else's from the system's object by `system`.
  template <typename System, typename Own>
  HRESULT answer(VARIANT child, System&& system, Own&& own) {
    if (!connected()) return CO_E_OBJNOTCONNECTED;
    if (child.vt != VT_I4) return E_INVALIDARG;
    return accessible_call([&] {
      const std::vector<Win32Widget*> items = drawn();
      if (child.lVal >= 1 && child.lVal <= static_cast<long>(items.size()))
        return own(*items[static_cast<std::size_t>(child.lVal - 1)]);
      return system(own_child(child));
    });
  }

  // A text property: a drawn widget's from `make` (nothing for an empty text).
  template <typename System, typename Make>
  HRESULT text(VARIANT child, BSTR* out, System&& system, Make&& make) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    return answer(child, system, [&](Win32Widget& widget) {
      Bstr made = make(widget);
      if (SysStringLen(made.get()) == 0) return S_FALSE;
      *out = made.detach();
      return S_OK;
    });
  }

  // A property the drawn widgets lack.
  template <typename System>
  HRESULT none(VARIANT child, BSTR* out, System&& system) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    return answer(child, system, [](Win32Widget&) { return DISP_E_MEMBERNOTFOUND; });
  }

  Win32Surface* surface_;
  ComRef<IAccessible> standard_;
};

SurfaceAccessibility::SurfaceAccessibility(Win32Surface& surface) : surface_(surface) {}

SurfaceAccessibility::~SurfaceAccessibility() {
  if (object_) object_->detach();
}

LRESULT SurfaceAccessibility::answer(WPARAM w, LPARAM l) {
  if (static_cast<LONG>(l) != static_cast<LONG>(OBJID_CLIENT)) return 0;
  if (!object_) {
    ComRef<IAccessible> standard;
    if (FAILED(CreateStdAccessibleObject(surface_.window(), OBJID_CLIENT, __uuidof(IAccessible),
                                         standard.put_void())))
      return 0;
    try {
      object_ = make_com<SurfaceAccessible>(surface_, std::move(standard));
    } catch (const std::bad_alloc&) {
      return 0;  // the system's own client object answers instead
    }
  }
  const LRESULT result = LresultFromObject(__uuidof(IAccessible), w, object_.get());
  return FAILED(static_cast<HRESULT>(result)) ? 0 : result;
}

}  // namespace dnovar
