#include "absorber/absorber_scene.h"

#include <cmath>

namespace yurana::absorber {

namespace {

// Shares of the height at rest: the wall band, the main spring, the main mass, the
// absorber's spring and the absorber; what is left below takes the absorber's swing.
constexpr double kWall = 0.08;
constexpr double kMainSpring = 0.30;
constexpr double kMainMass = 0.16;
constexpr double kAbsorberSpring = 0.24;
constexpr double kAbsorberMass = 0.10;
// The largest swing: below half the absorber's spring (the masses may swing apart by two
// swings) and within the room under the absorber.
constexpr double kSwing = 0.09;

}  // namespace

double sceneScale(double height, double largest) {
    return largest > 0 && std::isfinite(largest) ? kSwing * height / largest : 0.0;
}

SceneRows sceneRows(double height, double scale, double x1, double x2) {
    SceneRows r;
    r.wall = kWall * height;
    r.mainTop = r.wall + kMainSpring * height + x1 * scale;
    r.mainBottom = r.mainTop + kMainMass * height;
    const double restBelow = r.wall + (kMainSpring + kMainMass + kAbsorberSpring) * height;
    r.absorberTop = restBelow + x2 * scale;
    r.absorberBottom = r.absorberTop + kAbsorberMass * height;
    return r;
}

}  // namespace yurana::absorber
