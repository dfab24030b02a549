#pragma once
// Trigonometry and powers with the same bits on every system. The C libraries of Linux (glibc) and
// Windows round sin, cos, tan, atan and pow differently in the last place, and the scene's pictures
// must not depend on the system: these use only IEEE +, -, *, / and sqrt, in double precision, so
// they give one result everywhere (within 1e-15 of the true value for the scene's angles).
namespace quillaby::portable {

double Sin(double x);
double Cos(double x);
// Both from one reduction: the same bits as Sin(x) and Cos(x).
void SinCos(double x, double& s, double& c);
// tan(x) = sin(x) / cos(x), both reduced once.
double Tan(double x);
// Radians in (-pi/2, pi/2).
double Atan(double x);
// x to the power y; exact repeated squaring for integral y (the scene's shininess), else the C
// library's pow.
double Pow(double x, double y);

} // namespace quillaby::portable
