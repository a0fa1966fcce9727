// The pending work of the Linux host, run by Ceder (platform/yield.h).
//
// One queue for the process (the user-interface thread's). Work queued
// while Ceder runs waits for the next Ceder; watchers run at every Ceder,
// after the queued work (for example to turn a Ctrl-C flag into Cancelar).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace relivo {

void EncolarTrabajo(std::function<void()> trabajo);
size_t TrabajosPendientes();

// Returns an identifier for QuitarVigilante.
int32_t AgregarVigilante(std::function<void()> vigilante);
void QuitarVigilante(int32_t id);

// How many times Ceder has run (for tools and tests).
uint64_t VecesCedido();

}  // namespace relivo
