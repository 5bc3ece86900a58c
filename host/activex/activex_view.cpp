// IViewObject2: the control drawn where it is not active in place (a form designer, printing, a
// container's picture of its form), from a picture its real windows paint of themselves; and the
// connection point container.
#include "backends/win32/win32_picture.h"
#include "host/activex/activex_control.h"
#include "host/activex/com_boundary.h"
#include "host/type_library.h"

namespace dnovar {

namespace {

// A picture that cannot be made, or an enumerator, names the control's class and its interface.
constexpr ErrorOrigin kViewOrigin{kDnovarProgId, &IID_IViewObject2};
constexpr ErrorOrigin kConnectionsOrigin{kDnovarProgId, &IID_IConnectionPointContainer};

}  // namespace

HRESULT ActiveXControl::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC target,
                             LPCRECTL bounds, LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR),
                             ULONG_PTR) {
  return guarded(kViewOrigin, [&] {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (target == nullptr || bounds == nullptr) return E_INVALIDARG;
    Win32Surface* shown = surface();
    if (shown == nullptr) return E_UNEXPECTED;
    const SurfacePicture picture = picture_of(*shown);
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = picture.width;
    header.bmiHeader.biHeight = -picture.height;  // top row first, as the picture has it
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    const int drawn =
        StretchDIBits(target, bounds->left, bounds->top, bounds->right - bounds->left,
                      bounds->bottom - bounds->top, 0, 0, picture.width, picture.height,
                      picture.pixels.data(), &header, DIB_RGB_COLORS, SRCCOPY);
    return drawn == 0 ? E_FAIL : S_OK;
  });
}

HRESULT ActiveXControl::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** out) {
  return guarded(kViewOrigin, [&] {
    if (out != nullptr) *out = nullptr;
    return S_FALSE;  // no palette of its own
  });
}

HRESULT ActiveXControl::Freeze(DWORD, LONG, void*, DWORD* cookie) {
  return guarded(kViewOrigin, [&] {
    if (cookie != nullptr) *cookie = 0;
    return E_NOTIMPL;  // every drawing shows the control as it is
  });
}

HRESULT ActiveXControl::Unfreeze(DWORD) {
  return guarded(kViewOrigin, [&] { return OLE_E_NOCONNECTION; });
}

HRESULT ActiveXControl::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) {
  return guarded(kViewOrigin, [&] {
    view_sink_ = ComRef<IAdviseSink>::share(sink);
    view_advise_aspects_ = aspects;
    view_advise_flags_ = flags;
    if (sink != nullptr && (flags & ADVF_PRIMEFIRST)) view_changed();
    return S_OK;
  });
}

HRESULT ActiveXControl::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** out) {
  return guarded(kViewOrigin, [&] {
    if (aspects != nullptr) *aspects = view_advise_aspects_;
    if (flags != nullptr) *flags = view_advise_flags_;
    if (out != nullptr) view_sink_.copy_to(out);
    return S_OK;
  });
}

HRESULT ActiveXControl::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
  return guarded(kViewOrigin, [&] { return GetExtent(aspect, size); });
}

HRESULT ActiveXControl::EnumConnectionPoints(IEnumConnectionPoints** out) {
  return guarded(kConnectionsOrigin, [&] {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    *out = new_connection_point_enumerator({ComRef<IConnectionPoint>::share(&events_point_),
                                            ComRef<IConnectionPoint>::share(&property_point_)})
               .detach();
    return S_OK;
  });
}

HRESULT ActiveXControl::FindConnectionPoint(REFIID interface_id, IConnectionPoint** out) {
  return guarded(kConnectionsOrigin, [&] {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    ConnectionPoint* point = nullptr;
    if (interface_id == events_point_.outgoing()) point = &events_point_;
    if (interface_id == property_point_.outgoing()) point = &property_point_;
    if (point == nullptr) return CONNECT_E_NOCONNECTION;
    return ComRef<IConnectionPoint>::share(point).copy_to(out);
  });
}

}  // namespace dnovar
