#pragma once

#include <QPaintEvent>
#include <QWidget>

namespace yurana::charts {

// The two masses in motion: the wall at the top, the main mass hanging on its spring k and
// damper c, the absorber hanging from it on its own, each mass's place at rest dotted, and
// the displacements magnified so that the largest of the run swings a tenth of the height.
class AbsorberPicture : public QWidget {
  public:
    explicit AbsorberPicture(QWidget* parent);

    // The largest displacement of the run (m), which sets the magnification.
    void setLargest(double largest);
    // The masses at x1 and x2 (m) at time t (s); none when there is no motion to show.
    void setState(double t, double x1, double x2);
    void clearState();

    // What is drawn: whether the masses are, and at which time.
    bool shown() const { return shown_; }
    double time() const { return t_; }

    QSize sizeHint() const override { return {360, 420}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    double largest_ = 0;
    bool shown_ = false;
    double t_ = 0;
    double x1_ = 0;
    double x2_ = 0;
};

}  // namespace yurana::charts
