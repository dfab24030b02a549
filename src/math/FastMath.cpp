#include "math/FastMath.h"

#include <cmath>
#include <limits>

#include "math/PortableMath.h"

void SinCos(Single Angle, Single& Sin, Single& Cos) {
    double s = 0, c = 0;
    quillaby::portable::SinCos(Angle, s, c);
    Sin = static_cast<Single>(s);
    Cos = static_cast<Single>(c);
}

Extended Tan(Extended X) {
    return quillaby::portable::Tan(static_cast<double>(X));
}

int64_t Trunc(Extended X) {
    // 2^63 is exactly representable in long double; anything at or past it does not fit.
    constexpr Extended limit = 9223372036854775808.0L;
    if (std::isnan(X) || X >= limit || X < -limit) return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(X); // the C++ conversion truncates toward zero
}

Extended Frac(Extended X) {
    return X - std::trunc(X);
}

Extended DegToRad(Extended X) {
    return X * 0.017453292519943295769L;
}

Single DegToRad(Single X) {
    return X * 0.0174532924f;
}

Single RadToDeg(Single X) {
    return X * 57.29578f;
}
