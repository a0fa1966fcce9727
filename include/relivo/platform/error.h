// The one error type of the product: a run-time error number and its text.
//
// Inner procedures throw it; only the public members of the controls catch
// it, record it and report it to the host.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace relivo {

// One entry of a catalogue of messages: an error number and its text.
struct Mensaje {
    int32_t numero;
    const char* texto;
};

class Fallo : public std::exception {
public:
    Fallo(int32_t numero, std::string texto) : numero_(numero), texto_(std::move(texto)) {}
    explicit Fallo(const Mensaje& m) : Fallo(m.numero, m.texto) {}

    int32_t numero() const noexcept { return numero_; }
    const std::string& texto() const noexcept { return texto_; }
    const char* what() const noexcept override { return texto_.c_str(); }

    // A platform run-time error (5, 6, 7, 9, 11, 13, 28, ...) with its own text.
    static Fallo Plataforma(int32_t numero);

private:
    int32_t numero_;
    std::string texto_;
};

// Platform run-time error numbers.
namespace errores {
inline constexpr int32_t kArgumentoNoValido = 5;
inline constexpr int32_t kDesbordamiento = 6;
inline constexpr int32_t kMemoriaInsuficiente = 7;
inline constexpr int32_t kSubindice = 9;
inline constexpr int32_t kDivisionPorCero = 11;
inline constexpr int32_t kTiposNoCoinciden = 13;
inline constexpr int32_t kPilaInsuficiente = 28;
inline constexpr int32_t kArchivoNoEncontrado = 53;
inline constexpr int32_t kAccesoArchivo = 75;
inline constexpr int32_t kFormatoArchivo = 321;
inline constexpr int32_t kValorPropiedad = 380;

// The user-error base 0x80040000 as a signed 32-bit number.
inline constexpr int32_t kBaseUsuario = -2147221504;
}  // namespace errores

// Text of a platform run-time error number ("" for a number it does not know).
const char* TextoErrorPlataforma(int32_t numero);

// The failure carried by the exception being handled (call it only inside a
// catch block): a Fallo as it is, memory exhaustion as 7, anything else as 5,
// so that no other exception leaves a public member.
Fallo FalloActual();

}  // namespace relivo
