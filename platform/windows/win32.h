// The Windows declarations of the Windows back ends, windows.h first.
#pragma once

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on
