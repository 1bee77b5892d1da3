#pragma once

namespace yurana::graph {

// Pen memory of the plot step: the previous sample of every curve, px. All zero at
// program start, so nothing is drawn until a step has stored a first sample.
struct PenMemory {
    double mae_x = 0;     // x of the previous sample, shared by all curves
    double mae_heni = 0;  // y of the total-displacement curve
    double mae_xc = 0;    // y of the complementary-solution curve
    double mae_xp = 0;    // y of the particular-solution curve
    double mae_xcxp = 0;  // y of the complementary + particular curve
    float mae_kabe = 0;   // y of the wall-displacement curve, held as a Single
};

// Pen reset of the Start/Stop button: −100 blocks the segments of the next step.
inline void resetPen(PenMemory& pen) {
    pen.mae_x = -100;
    pen.mae_heni = -100;
}

}  // namespace yurana::graph
