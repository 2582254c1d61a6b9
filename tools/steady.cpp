// Sine, exponential, logarithm and their kin from argument reduction and a series, in doubles.
#include "steady.h"

#include <cmath>

namespace {

const double pi = 3.14159265358979323846;
const double ln2 = 0.69314718055994530942;

// The Taylor series of sin on [-pi/2, pi/2], to x^23: its next term is below 1e-18 there.
double sinNear(double x)
{
    double square = x * x;
    double sum = 1.0;
    for (int n = 23; n > 1; n -= 2)
        sum = 1.0 - square / double(n * (n - 1)) * sum;
    return x * sum;
}

// The same angle in [-pi, pi]: whole turns taken off.
double withinHalfTurn(double x)
{
    return x - 2.0 * pi * std::floor(x / (2.0 * pi) + 0.5);
}

// e^x = 2^k e^r with |r| <= ln 2 / 2, where the series to r^14 leaves out less than 1e-17.
double expOf(double x)
{
    double k = std::floor(x / ln2 + 0.5);
    double r = x - k * ln2;
    double sum = 1.0;
    for (int n = 14; n > 0; --n)
        sum = 1.0 + r / double(n) * sum;
    return std::ldexp(sum, int(k));   // a change of exponent only: exact
}

// log x = e ln 2 + log m with m in [0.7, 1.4), and log m = 2 atanh s with s = (m - 1) / (m + 1).
double logOf(double x)
{
    int e = 0;
    double m = std::frexp(x, &e);   // exact: m in [0.5, 1)
    if (m < 0.70710678118654752) {
        m *= 2.0;
        --e;
    }
    double s = (m - 1.0) / (m + 1.0);
    double square = s * s;
    double sum = 0.0;
    for (int n = 23; n > 0; n -= 2)
        sum = 1.0 / double(n) + square * sum;
    return double(e) * ln2 + 2.0 * s * sum;
}

} // namespace

namespace steady {

float sin(float x)
{
    double r = withinHalfTurn(x);
    if (r > pi / 2.0)
        r = pi - r;
    else if (r < -pi / 2.0)
        r = -pi - r;
    return float(sinNear(r));
}

float cos(float x)
{
    return float(sinNear(pi / 2.0 - std::fabs(withinHalfTurn(x))));
}

float exp(float x)
{
    return float(expOf(x));
}

float pow(float x, float y)
{
    return x == 0.0f ? 0.0f : float(expOf(double(y) * logOf(x)));
}

float tanh(float x)
{
    double e = expOf(-2.0 * std::fabs(double(x)));
    double magnitude = (1.0 - e) / (1.0 + e);
    return float(x < 0.0f ? -magnitude : magnitude);
}

// The square root is one of IEEE 754's exactly rounded operations, and floats square exactly in doubles.
float hypot(float x, float y)
{
    return float(std::sqrt(double(x) * x + double(y) * y));
}

} // namespace steady
