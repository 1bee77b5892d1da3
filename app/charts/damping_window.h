#pragma once

#include <QCategoryAxis>
#include <QChart>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QRadioButton>
#include <QScatterSeries>
#include <QSpinBox>
#include <QTableWidget>
#include <memory>
#include <optional>

#include "app/charts/analysis_window.h"
#include "damping/fits.h"
#include "damping/measurement.h"
#include "measured/measured_data.h"
#include "model/record.h"

namespace yurana::charts {

// 減衰の測定: the peaks of the model's motion or of a measured free decay in a table, the
// logarithmic decrement over the chosen peaks (最初の山, 山の数), the envelope and the half-power
// band, each ζ beside the panel's; for measured data, the fit with its curve over the data,
// the residuals, R² and each parameter with its standard error, and パネルに送る.
class DampingWindow : public AnalysisWindow {
    Q_OBJECT

  public:
    explicit DampingWindow(QWidget* parent = nullptr);

    void setModel(const ModelRecord& r) override;
    // The data of a file (null: none), measured at once; the window turns to it.
    void setMeasuredData(std::shared_ptr<const measured::MeasuredData> data, const QString& name);

    const damping::Measurement& measurement() const { return measurement_; }
    const std::optional<damping::Fit>& fit() const { return fit_; }
    // The span of time the measured peaks belong to: the run, or the data.
    std::pair<double, double> measuredSpan() const;

    QTableWidget* peakTable() const { return table_; }
    QSpinBox* firstPeak() const { return first_; }
    QSpinBox* peakCount() const { return count_; }
    QRadioButton* modelSource() const { return modelButton_; }
    QRadioButton* dataSource() const { return dataButton_; }
    QLabel* readout() const { return readout_; }
    QLabel* fitReadout() const { return fitText_; }
    QPushButton* fitButton() const { return fitButton_; }
    QPushButton* sendButton() const { return send_; }
    QChart* fitChart() const { return fitChart_; }
    QChart* residualChart() const { return residualChart_; }
    QLineSeries* fittedCurve() const { return fitted_; }

  signals:
    // The peaks or the envelope changed: what the 時刻歴 chart marks.
    void marksChanged();
    // パネルに送る: k and c, and m for a frequency response.
    void sendRequested(std::optional<double> m, double k, double c);

  private:
    QWidget* buildSourceRow();
    QWidget* buildFitPanel();
    void measure();
    void showPeaks();
    void runFit();
    void showFit();
    void showData();
    void send();

    ModelRecord record_;
    std::shared_ptr<const measured::MeasuredData> data_;
    QString dataName_;
    damping::Measurement measurement_;
    std::optional<damping::Fit> fit_;
    double fitMass_ = 0;  // the panel's m when a decay was fitted

    QRadioButton* modelButton_;
    QRadioButton* dataButton_;
    QLabel* dataLabel_;
    QTableWidget* table_;
    QSpinBox* first_;
    QSpinBox* count_;
    QLabel* readout_;
    QLabel* fitText_;
    QPushButton* fitButton_;
    QPushButton* send_;
    QLabel* hint_;
    QWidget* fitView_;
    QWidget* residualView_;
    QChart* fitChart_;
    QChart* residualChart_;
    QCategoryAxis* fitX_;
    QCategoryAxis* fitY_;
    QCategoryAxis* residualX_;
    QCategoryAxis* residualY_;
    QScatterSeries* points_;
    QLineSeries* fitted_;
    QScatterSeries* residuals_;
};

}  // namespace yurana::charts
