#pragma once

// The engine's own sine, cosine, exponential and cube, rounded correctly to the nearest double.
// Every figure's pixels rest on these values, and the C library's functions differ in the last
// bit from one library, CPU or code path (with or without FMA) to the next; a correctly rounded
// value is the one answer that every machine can agree on. They are computed in double-double
// arithmetic, to about 100 bits, and then rounded once: a result could only come out wrong if
// its exact value lay within 2^-100 of the midpoint between two doubles.
namespace RoundedMath {

// Sine and cosine for |x| <= 2 (the tables need 0 to 90 degrees). Beyond that they lose
// accuracy, as no multiple of pi is taken off.
double Sin(double x);
double Cos(double x);

// Correctly rounded for every result in the normal range of doubles; a result below it (x under
// about -708) may be one unit off in its last place, +infinity above about 709.78, and NaN for
// NaN.
double Exp(double x);

// x * x * x as one rounding of the exact cube, keeping the sign of a zero; for |x| < 2^300.
double Cube(double x);

}  // namespace RoundedMath
