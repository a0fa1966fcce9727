// The handles of the Linux back end: opaque 32-bit values for the device
// contexts and windows of the raster surfaces, resolved back to the surface.
#pragma once

#include <cstdint>

namespace relivo {

class SuperficieRaster;

// A new handle for the surface (never 0, never one that is in use).
int32_t RegistrarHandle(SuperficieRaster* superficie);
void BorrarHandle(int32_t handle);
// The surface of a handle, or null for an unknown handle.
SuperficieRaster* SuperficieDeHandle(int32_t handle);

}  // namespace relivo
