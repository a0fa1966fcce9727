// libFuzzer entry of the target in objetivo_propiedades.h.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "tests/support/check_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamano) {
    relivo::fuzz::propiedades::Ejecutar(
        std::string_view(reinterpret_cast<const char*>(datos), tamano));
    return 0;
}
