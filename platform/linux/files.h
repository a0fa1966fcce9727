// Whole-file reading and writing for the Linux back end.
#pragma once

#include <cstddef>
#include <string>

namespace relivo {

// The contents of a file. Raises Fallo 53 when it cannot be opened, 75 when
// reading fails and 7 when it is longer than `limite` bytes.
std::string LeerArchivo(const std::string& ruta, size_t limite);

// Replaces the file's contents; raises Fallo 75 when it cannot be written.
void EscribirArchivo(const std::string& ruta, const std::string& datos);

}  // namespace relivo
