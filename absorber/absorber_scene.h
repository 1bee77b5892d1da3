#pragma once

namespace yurana::absorber {

// The picture of the two masses hanging from the wall, rows in px from the picture's top,
// displacements downward positive: the wall's underside, then the spring and damper of the
// main mass, the main mass, the absorber's spring and damper, and the absorber.
struct SceneRows {
    double wall = 0;     // underside of the wall band
    double mainTop = 0;  // the main mass's box
    double mainBottom = 0;
    double absorberTop = 0;  // the absorber's box
    double absorberBottom = 0;
};

// px per metre for a picture `height` px tall: the largest displacement of the run `largest`
// (m) swings a mass by a tenth of the height less a little, so that neither spring closes
// even when the masses swing against each other. 0 when nothing moves.
double sceneScale(double height, double largest);

// Where everything is for the masses at x1 and x2 (m), `scale` px per metre.
SceneRows sceneRows(double height, double scale, double x1, double x2);

}  // namespace yurana::absorber
