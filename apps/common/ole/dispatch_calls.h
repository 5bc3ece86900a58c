// Late-bound calls on a hosted control's IDispatch, as a script makes them: by dispatch id or by
// member name, with the project's values as arguments and result. The arguments go into the
// call's DISPPARAMS last first, a write's one value named DISPID_PROPERTYPUT. A failed call is
// raised as the run-time error the control reported (error_from_com); `what` (what the caller was
// doing) is added to the text of a status that is no control error.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <string_view>
#include <vector>

#include "platform/variant.h"

namespace dnovar::ole {

// `flags` is DISPATCH_PROPERTYGET, DISPATCH_PROPERTYPUT (args: the one new value) or
// DISPATCH_METHOD. A write or a call without a value gives Empty.
Variant invoke_member(IDispatch& object, DISPID id, WORD flags, const std::vector<Variant>& args,
                      std::string_view what = {});

Variant get_property(IDispatch& object, std::string_view name);
void put_property(IDispatch& object, std::string_view name, const Variant& value);
Variant call_method(IDispatch& object, std::string_view name, const std::vector<Variant>& args);

}  // namespace dnovar::ole
