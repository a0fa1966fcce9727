// libFuzzer entry of one target: RELIVO_OBJETIVO names the namespace in
// relivo::fuzz whose Ejecutar runs one input, RELIVO_CABECERA the header of
// its checks under tests/support (see relivo_fuzzer in CMakeLists.txt).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include RELIVO_CABECERA

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamano) {
    relivo::fuzz::RELIVO_OBJETIVO::Ejecutar(
        std::string_view(reinterpret_cast<const char*>(datos), tamano));
    return 0;
}
