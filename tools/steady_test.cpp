// The generator's own maths against the C library's, over the ranges the pictures and sounds use.
#include "steady.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// Within one step of float from the exact value, or 1e-12 where large angles lose that much
// in the reduction to half a turn.
void expectClose(float steadyValue, double exact, const char* what, double x)
{
    float rounded = float(exact);
    double step = double(std::nextafter(std::fabs(rounded), std::numeric_limits<float>::infinity())) -
                  std::fabs(double(rounded));
    EXPECT_LE(std::fabs(double(steadyValue) - exact), step + 1e-12) << what << " at " << x;
}

} // namespace

TEST(SteadyMaths, SinesAndCosinesAgreeOverEveryPhaseTheSoundsReach)
{
    for (float x = -12000.0f; x < 12000.0f; x += 0.37f) {
        expectClose(steady::sin(x), std::sin(double(x)), "sin", x);
        expectClose(steady::cos(x), std::cos(double(x)), "cos", x);
    }
}

TEST(SteadyMaths, ExponentialsPowersAndTanhAgree)
{
    for (float x = -30.0f; x < 8.0f; x += 0.013f) {
        expectClose(steady::exp(x), std::exp(double(x)), "exp", x);
        expectClose(steady::tanh(x), std::tanh(double(x)), "tanh", x);
    }
    for (float power : {2.0f, 2.4f, 3.0f, 5.0f, 0.37f})
        for (float x = 0.0f; x < 6.0f; x += 0.0071f)
            expectClose(steady::pow(x, power), std::pow(double(x), double(power)), "pow", x);
    for (float x = -50.0f; x < 50.0f; x += 0.77f)
        expectClose(steady::hypot(x, 3.3f), std::hypot(double(x), 3.3), "hypot", x);
}
