#pragma once
// The few floating-point routines the program uses instead of a general math library.
#include <cstdint>

#include "math/Geometry.h"

// Sine and cosine of Angle (radians) from one evaluation.
void SinCos(Single Angle, Single& Sin, Single& Cos);
Extended Tan(Extended X);
// Truncates toward zero. NaN and values outside the 64-bit range give INT64_MIN,
// the x87 "integer indefinite", instead of undefined behaviour.
int64_t Trunc(Extended X);
// X - Trunc(X): negative for negative X.
Extended Frac(Extended X);
Extended DegToRad(Extended X);
// Single-precision versions use the Single nearest to pi/180 (0x3C8EFA35) and 180/pi (0x42652EE1).
Single DegToRad(Single X);
Single RadToDeg(Single X);
