#pragma once

#include <QCategoryAxis>
#include <QChart>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <array>
#include <memory>

#include "absorber/absorber.h"
#include "absorber/absorber_curves.h"
#include "absorber/absorber_motion.h"
#include "app/charts/absorber_picture.h"
#include "app/charts/analysis_window.h"
#include "app/charts/marked_chart_view.h"
#include "app/charts/pieced_curve.h"
#include "model/record.h"

namespace yurana::charts {

// 動吸振器: an absorber of mass μ·m hung from the main mass on a spring and damper, tuned by
// μ, f = ω_a/ωn and ζa (or Den Hartog's optimum, 最適調整). On the left the frequency response
// over g = ω/ωn (the tuned main mass, without absorber, with an undamped and a locked one,
// the absorber's own amplitude, the fixed points P and Q and the force's ω) with its
// read-out; on the right the two masses in motion and their displacements against t with the
// time cursor. A value the boxes cannot take is reported (badValue) and the box shows the
// last good one again.
class AbsorberWindow : public AnalysisWindow {
    Q_OBJECT

  public:
    enum Input { kMu, kF, kZetaA, kInputs };

    explicit AbsorberWindow(QWidget* parent = nullptr);

    void setModel(const ModelRecord& r) override;
    void setTime(double t) override;
    // The picture of the masses and the cursor only: cheap enough for every pass.
    void followTime(double t) override;

    const absorber::AbsorberTuning& tuning() const { return tuning_; }
    QLineEdit* box(Input i) const { return boxes_[i]; }
    QPushButton* optimalButton() const { return optimal_; }
    QLabel* readout() const { return readout_; }
    QChart* responseChart() const { return response_; }
    QChart* motionChart() const { return motion_; }
    MarkedChartView* motionView() const { return motionView_; }
    AbsorberPicture* picture() const { return picture_; }

  signals:
    void badValue();

  private:
    QWidget* buildInputs();
    void buildResponseChart();
    void buildMotionChart();
    // A box's text taken on Enter or when it loses focus.
    void entered(Input i);
    void applyOptimum();
    void showTuning();
    void recompute();
    void showCurves(const absorber::AbsorberCurves& c);
    void showMotion();

    absorber::Plant plant_;
    absorber::InitialState initial_;
    double tmin_ = 0;
    double tmax_ = 0;
    double time_ = 0;
    absorber::AbsorberTuning tuning_;
    bool equalHeight_ = false;  // tuned by 最適調整 and not changed by hand since
    absorber::AbsorberMotion motionOf_;

    std::array<QLineEdit*, kInputs> boxes_{};
    std::array<QString, kInputs> shown_;  // the texts of the last good values
    QPushButton* optimal_ = nullptr;
    QChart* response_ = nullptr;
    QCategoryAxis* gAxis_ = nullptr;
    QCategoryAxis* xAxis_ = nullptr;
    QCategoryAxis* x2Axis_ = nullptr;
    std::unique_ptr<PiecedCurve> chosen_, none_, undamped_, locked_, absorber_;
    QScatterSeries* p_ = nullptr;
    QScatterSeries* q_ = nullptr;
    QScatterSeries* operating_ = nullptr;
    QChart* motion_ = nullptr;
    QCategoryAxis* tAxis_ = nullptr;
    QCategoryAxis* dAxis_ = nullptr;
    QLineSeries* x1_ = nullptr;
    QLineSeries* x2_ = nullptr;
    MarkedChartView* motionView_ = nullptr;
    AbsorberPicture* picture_ = nullptr;
    QLabel* readout_ = nullptr;
};

}  // namespace yurana::charts
