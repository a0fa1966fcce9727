// The Windows and OLE declarations the tests use, in the order they need
// (windows.h first).
#pragma once

// clang-format off
#include <windows.h>
#include <ole2.h>
#include <oleauto.h>
#include <ocidl.h>
#include <olectl.h>
#include <activscp.h>
// clang-format on
