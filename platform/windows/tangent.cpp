// The tangent and the arctangent of Relivo.ocx. The C library of a 32-bit
// Windows process computes them with the x87 unit, and the one of a 64-bit
// process with another method: the two files gave different last bits for
// the same argument (Tan(1) was 1.5574077246549021 in one and
// 1.5574077246549023 in the other). Both files use these instead: the value
// is computed in double-double arithmetic (about 100 significant bits) on
// SSE2 and rounded once, which gives the correctly rounded double, the same
// in both files and, but for the rare argument where the Linux C library
// is not correctly rounded, the same as the Linux build.
//
// Defining tan and atan here replaces the C library's functions for every
// caller in the file (std::tan and std::atan included).
#include <cmath>
#include <cstdint>

namespace {

// A value hi + lo with |lo| at most half an ulp of hi.
struct Doble2 {
    double hi;
    double lo;
};

Doble2 SumaExacta(double a, double b) {
    const double s = a + b;
    const double v = s - a;
    return {s, (a - (s - v)) + (b - v)};
}

Doble2 SumaRapida(double a, double b) {  // |a| >= |b|
    const double s = a + b;
    return {s, b - (s - a)};
}

void Partir(double a, double& alto, double& bajo) {
    const double c = 134217729.0 * a;  // 2^27 + 1
    alto = c - (c - a);
    bajo = a - alto;
}

Doble2 ProductoExacto(double a, double b) {
    const double p = a * b;
    double ah = 0, al = 0, bh = 0, bl = 0;
    Partir(a, ah, al);
    Partir(b, bh, bl);
    return {p, ((ah * bh - p) + ah * bl + al * bh) + al * bl};
}

Doble2 operator+(Doble2 a, Doble2 b) {
    Doble2 s = SumaExacta(a.hi, b.hi);
    const Doble2 t = SumaExacta(a.lo, b.lo);
    s.lo += t.hi;
    s = SumaRapida(s.hi, s.lo);
    s.lo += t.lo;
    return SumaRapida(s.hi, s.lo);
}

Doble2 operator-(Doble2 a) {
    return {-a.hi, -a.lo};
}

Doble2 operator-(Doble2 a, Doble2 b) {
    return a + -b;
}

Doble2 operator*(Doble2 a, Doble2 b) {
    Doble2 p = ProductoExacto(a.hi, b.hi);
    p.lo += a.hi * b.lo + a.lo * b.hi;
    return SumaRapida(p.hi, p.lo);
}

Doble2 operator/(Doble2 a, Doble2 b) {
    const double q1 = a.hi / b.hi;
    Doble2 r = a - b * Doble2{q1, 0};
    const double q2 = r.hi / b.hi;
    r = r - b * Doble2{q2, 0};
    const double q3 = r.hi / b.hi;
    return SumaRapida(q1, q2) + Doble2{q3, 0};
}

Doble2 Raiz(Doble2 a) {
    const double x = 1 / std::sqrt(a.hi);
    const double ax = a.hi * x;
    const Doble2 d = a - ProductoExacto(ax, ax);
    return SumaExacta(ax, d.hi * (x * 0.5));
}

// Pi/2 in pieces of 23 bits each (184 bits), so that k times a piece is
// exact for |k| < 2^30. From the hexadecimal digits of pi.
constexpr int kPiezas = 8;
constexpr int kBitsPieza = 23;

struct PiMedios {
    double pieza[kPiezas] = {};
    Doble2 doble{};

    PiMedios() {
        // pi = 3.243F6A8885A308D313198A2E03707344A4093822299F31D0082EFA98EC4E6C89...
        const char* hex = "3243F6A8885A308D313198A2E03707344A4093822299F31D0082EFA98EC4E6C89";
        int bits[4 * 66] = {};
        int n = 0;
        for (const char* c = hex; *c; ++c) {
            const int d = *c <= '9' ? *c - '0' : *c - 'A' + 10;
            for (int b = 3; b >= 0; --b) bits[n++] = (d >> b) & 1;
        }
        // The first bit of the string has weight 2^1 in pi, 2^0 in pi/2.
        for (int p = 0; p < kPiezas; ++p) {
            int64_t entero = 0;
            for (int b = 0; b < kBitsPieza; ++b) entero = entero * 2 + bits[2 + p * kBitsPieza + b];
            pieza[p] = std::ldexp(static_cast<double>(entero), 1 - (p + 1) * kBitsPieza);
        }
        for (int p = kPiezas - 1; p >= 0; --p) doble = doble + Doble2{pieza[p], 0};
    }
};

const PiMedios& Pi2() {
    static const PiMedios p;
    return p;
}

// Below this magnitude the result is the argument itself, rounded.
constexpr double kDiminuto = 0x1p-27;

// sin(r) and cos(r) for |r| <= pi/4 by their series.
void SenoCoseno(Doble2 r, Doble2& seno, Doble2& coseno) {
    const Doble2 r2 = r * r;
    Doble2 termino = r;
    seno = r;
    for (int k = 1; k < 40 && std::fabs(termino.hi) > 1e-40; ++k) {
        termino = -(termino * r2) / Doble2{static_cast<double>((2 * k) * (2 * k + 1)), 0};
        seno = seno + termino;
    }
    termino = {1, 0};
    coseno = {1, 0};
    for (int k = 1; k < 40 && std::fabs(termino.hi) > 1e-40; ++k) {
        termino = -(termino * r2) / Doble2{static_cast<double>((2 * k - 1) * (2 * k)), 0};
        coseno = coseno + termino;
    }
}

// atan(t) for |t| <= 1: halve the angle until t is small, then the series.
Doble2 ArcoTangente(Doble2 t) {
    int mitades = 0;
    while (std::fabs(t.hi) > 0.01) {
        t = t / (Doble2{1, 0} + Raiz(Doble2{1, 0} + t * t));
        ++mitades;
    }
    const Doble2 t2 = t * t;
    Doble2 potencia = t;
    Doble2 suma = t;
    for (int k = 1; k < 30 && std::fabs(potencia.hi) > 1e-40; ++k) {
        potencia = -(potencia * t2);
        suma = suma + potencia / Doble2{static_cast<double>(2 * k + 1), 0};
    }
    const double escala = std::ldexp(1.0, mitades);
    return {suma.hi * escala, suma.lo * escala};
}

}  // namespace

extern "C" double tan(double x) {
    if (!(std::fabs(x) >= kDiminuto)) return x;  // also a NaN
    if (std::isinf(x)) return x - x;
    const PiMedios& p = Pi2();
    const double k = std::nearbyint(x / p.doble.hi);
    if (std::fabs(k) >= 0x1p30) {
        // Out of the reach of the pieces of pi/2: the value in the double
        // closest to the reduced argument (no caller of the component
        // reaches it with a meaningful argument).
        Doble2 s{}, c{};
        SenoCoseno({std::remainder(x, 2 * p.doble.hi), 0}, s, c);
        return (s / c).hi;
    }
    Doble2 r{x, 0};
    for (double pieza : p.pieza) r = r - ProductoExacto(k, pieza);
    Doble2 s{}, c{};
    SenoCoseno(r, s, c);
    const bool impar = std::fmod(k, 2.0) != 0;
    const Doble2 t = impar ? -(c / s) : s / c;
    return t.hi + t.lo;
}

extern "C" double atan(double x) {
    if (!(std::fabs(x) >= kDiminuto)) return x;  // also a NaN
    const double signo = x < 0 ? -1.0 : 1.0;
    const double a = std::fabs(x);
    Doble2 r{};
    if (std::isinf(a)) {
        r = Pi2().doble;
    } else if (a > 1) {
        r = Pi2().doble - ArcoTangente(Doble2{1, 0} / Doble2{a, 0});
    } else {
        r = ArcoTangente({a, 0});
    }
    return signo * (r.hi + r.lo);
}
