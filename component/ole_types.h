// The OLE Automation types that the generated declarations of the type
// library (Carvex.h) use by their library names.
#pragma once

#include "component/win32.h"

typedef IFontDisp Font;
typedef IPictureDisp Picture;
