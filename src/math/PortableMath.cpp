#include "math/PortableMath.h"

#include <array>
#include <cmath>

namespace quillaby::portable {
namespace {

// pi / 2 in three parts, each exact in a double with its low bits zero, so that k * part is exact
// for the quadrant counts the scene meets (Cody and Waite's reduction).
constexpr double HalfPi1 = 1.57079632673412561417e+00;
constexpr double HalfPi2 = 6.07710050630396597660e-11;
constexpr double HalfPi3 = 2.02226624871116645580e-21;
constexpr double TwoOverPi = 6.36619772367581382433e-01;

// Adding and taking away 1.5 * 2^52 rounds a magnitude below 2^51 to the nearest integer (ties to
// even), as nearbyint does in the default rounding mode, without a call into the C library; the sign
// goes back on after, so that -0.3 gives -0 there too.
constexpr double RoundingShift = 6755399441055744.0;
constexpr double ShiftLimit = 2251799813685248.0; // 2^51

struct Reduced {
    double R;    // |R| <= pi / 4
    long long K; // the lowest two bits tell the quadrant
};

// x = R + K * pi / 2. Inlined into each caller: a call costs as much as the reduction.
[[gnu::always_inline]] inline Reduced Reduce(double x) {
    const double t = x * TwoOverPi, magnitude = std::fabs(t);
    const double n = magnitude < ShiftLimit ? std::copysign((magnitude + RoundingShift) - RoundingShift, t)
                                            : std::nearbyint(t); // huge, infinite or NaN
    return {((x - n * HalfPi1) - n * HalfPi2) - n * HalfPi3, static_cast<long long>(n)};
}

// 1 / (2n + 1), the coefficients of atan's series, divided once when compiling: the same doubles
// the division gives at run time.
constexpr auto AtanSeries = [] {
    std::array<double, 16> a{};
    for (int n = 0; n < 16; ++n) a[n] = 1.0 / (2 * n + 1);
    return a;
}();

// Taylor-like minimax polynomials of sin and cos on [-pi/4, pi/4] (the classic fdlibm kernels).
double KernelSin(double x) {
    const double z = x * x;
    const double r = 8.33333333332248946124e-03 +
                     z * (-1.98412698298579493134e-04 +
                          z * (2.75573137070700676789e-06 +
                               z * (-2.50507602534068634195e-08 + z * 1.58969099521155010221e-10)));
    return x + z * x * (-1.66666666666666324348e-01 + z * r);
}

double KernelCos(double x) {
    const double z = x * x;
    const double r =
        z * (4.16666666666666019037e-02 +
             z * (-1.38888888888741095749e-03 +
                  z * (2.48015872894767294178e-05 +
                       z * (-2.75573143513906633035e-07 +
                            z * (2.08757232129817482790e-09 + z * -1.13596475577881948265e-11)))));
    return 1.0 - (0.5 * z - z * r);
}

} // namespace

void SinCos(double x, double& s, double& c) {
    const auto [r, k] = Reduce(x);
    const double ks = KernelSin(r), kc = KernelCos(r);
    switch (k & 3) {
    case 0:
        s = ks, c = kc;
        break;
    case 1:
        s = kc, c = -ks;
        break;
    case 2:
        s = -ks, c = -kc;
        break;
    default:
        s = -kc, c = ks;
        break;
    }
}

// Sin and Cos evaluate only the one kernel their quadrant needs.
double Sin(double x) {
    const auto [r, k] = Reduce(x);
    const double v = k & 1 ? KernelCos(r) : KernelSin(r);
    return k & 2 ? -v : v;
}

double Cos(double x) {
    const auto [r, k] = Reduce(x);
    const double v = k & 1 ? KernelSin(r) : KernelCos(r);
    return (k + 1) & 2 ? -v : v;
}

double Tan(double x) {
    const auto [r, k] = Reduce(x);
    const double ks = KernelSin(r), kc = KernelCos(r);
    // Quadrants 1 and 3: sin / cos = kc / -ks; 0 and 2: ks / kc (both signs flip in 2).
    return k & 1 ? kc / -ks : ks / kc;
}

double Atan(double x) {
    if (std::isnan(x)) return x;
    constexpr double HalfPi = 1.57079632679489661923;
    constexpr double SixthPi = 0.52359877559829887308;
    constexpr double Sqrt3 = 1.73205080756887729353;
    constexpr double TanTwelfthPi = 0.26794919243112270647; // tan(pi / 12)
    const bool negative = x < 0;
    double a = negative ? -x : x;
    double offset = 0;
    bool complement = false;
    if (a > 1) { // atan(a) = pi/2 - atan(1/a)
        a = 1 / a;
        complement = true;
    }
    if (a > TanTwelfthPi) { // atan(a) = pi/6 + atan((a*sqrt3 - 1) / (sqrt3 + a))
        a = (a * Sqrt3 - 1) / (Sqrt3 + a);
        offset = SixthPi;
    }
    // |a| <= tan(pi/12): the series' terms fall by 0.072 each, 16 of them reach 1e-19.
    const double z = a * a;
    double sum = 0;
#pragma GCC unroll 16
    for (int n = 15; n >= 0; --n) sum = AtanSeries[n] - z * sum;
    double result = offset + a * sum;
    if (complement) result = HalfPi - result;
    return negative ? -result : result;
}

double Pow(double x, double y) {
    if (y != std::trunc(y) || std::fabs(y) > 1 << 30) return std::pow(x, y);
    auto n = static_cast<long long>(std::fabs(y));
    double result = 1, square = x;
    for (; n; n >>= 1) {
        if (n & 1) result *= square;
        square *= square;
    }
    return y < 0 ? 1 / result : result;
}

} // namespace quillaby::portable
