#include "math/PortableMath.h"

#include <cmath>

namespace quillaby::portable {
namespace {

// pi / 2 in three parts, each exact in a double with its low bits zero, so that k * part is exact
// for the quadrant counts the scene meets (Cody and Waite's reduction).
constexpr double HalfPi1 = 1.57079632673412561417e+00;
constexpr double HalfPi2 = 6.07710050630396597660e-11;
constexpr double HalfPi3 = 2.02226624871116645580e-21;
constexpr double TwoOverPi = 6.36619772367581382433e-01;

// x = r + k * pi / 2 with |r| <= pi / 4; k's lowest two bits tell the quadrant.
double Reduce(double x, long long& k) {
    const double n = std::nearbyint(x * TwoOverPi); // exact, and rounds alike everywhere
    k = static_cast<long long>(n);
    return ((x - n * HalfPi1) - n * HalfPi2) - n * HalfPi3;
}

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

void SinCos(double x, double& s, double& c) {
    long long k = 0;
    const double r = Reduce(x, k);
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

} // namespace

double Sin(double x) {
    double s = 0, c = 0;
    SinCos(x, s, c);
    return s;
}

double Cos(double x) {
    double s = 0, c = 0;
    SinCos(x, s, c);
    return c;
}

double Tan(double x) {
    double s = 0, c = 0;
    SinCos(x, s, c);
    return s / c;
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
    for (int n = 15; n >= 0; --n) sum = 1.0 / (2 * n + 1) - z * sum;
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
