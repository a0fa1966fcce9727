// The Windows and OLE declarations the component uses, in the order they
// need (windows.h first).
#pragma once

// clang-format off
#include <windows.h>
#include <ole2.h>
#include <oleauto.h>
#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>
// clang-format on

namespace relivo::com {

// The component holds every COM reference it owns in one of these.
using Microsoft::WRL::ComPtr;

}  // namespace relivo::com
