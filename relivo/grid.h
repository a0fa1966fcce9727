// ValoresZ: the sampled grid of z values, indexed (i, j) with i = 0 .. nX
// along x and j = 0 .. nY along y.
//
// The storage is taken zero-filled from the system without touching it, so a
// huge grid costs memory only as far as it is filled. Every access checks its
// indexes (9 when out of range), so a loop that outlives a resized grid fails
// cleanly instead of reading past it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace relivo {

class MatrizZ {
public:
    MatrizZ() = default;

    // A grid with bounds 0 .. nX by 0 .. nY, every value 0. Raises 9 for a
    // negative bound and 7 when the memory cannot be had.
    MatrizZ(int32_t nX, int32_t nY);

    double& operator()(int32_t i, int32_t j) { return datos_.get()[Posicion(i, j)]; }
    double operator()(int32_t i, int32_t j) const { return datos_.get()[Posicion(i, j)]; }

private:
    struct Liberar {
        void operator()(double* p) const { std::free(p); }
    };

    // Rows of constant j are contiguous: the sampling fills them in order.
    std::size_t Posicion(int32_t i, int32_t j) const {
        if (i < 0 || i > nX_ || j < 0 || j > nY_) [[unlikely]]
            FueraDeRango();
        return static_cast<std::size_t>(j) * (static_cast<std::size_t>(nX_) + 1) +
               static_cast<std::size_t>(i);
    }
    [[noreturn]] static void FueraDeRango();

    std::unique_ptr<double, Liberar> datos_;
    int32_t nX_ = -1;
    int32_t nY_ = -1;
};

}  // namespace relivo
