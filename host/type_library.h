// The type library DnovarLib: what hosts read about the control. Its automation interface is
// generated from the member table (control_members.h), where dispatch ids are written down and
// nowhere else; dnovar_control.cpp binds the same rows' behaviour to its functions.
#pragma once

#include <cstddef>

#include "component/type_library.h"

namespace dnovar {

// Chosen once; never to change.
inline constexpr Guid kDnovarLibraryId = guid_literal("{E3028864-7BD9-4193-A967-4A9A79C64D67}");
inline constexpr Guid kDnovarInterfaceId = guid_literal("{9C75351E-408F-493C-8922-FA4BFF56BE46}");
inline constexpr Guid kDnovarClassId = guid_literal("{9A4A3FAF-20A3-4CBF-A90D-08461FE86E82}");
inline constexpr Guid kDnovarEventsId = guid_literal("{93252D0C-3828-4FDB-A767-806F55F007FE}");
inline constexpr Guid kMonthEnumId = guid_literal("{E854106B-07BB-4522-911A-37C0EFFE6EA0}");

inline constexpr const char* kDnovarProgId = "DnovarLib.Dnovar";

// Positions of the four types in the library.
inline constexpr std::size_t kDnovarInterfaceIndex = 0;  // _Dnovar
inline constexpr std::size_t kDnovarClassIndex = 1;      // Dnovar
inline constexpr std::size_t kDnovarEventsIndex = 2;     // __Dnovar
inline constexpr std::size_t kMonthEnumIndex = 3;        // eMesic

inline constexpr DispatchId kZavriId = 1;

const TypeLibrary& dnovar_type_library();

}  // namespace dnovar
