#include "app/charts/damping_window.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QSignalBlocker>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "analysis/format.h"
#include "app/charts/chart_parts.h"
#include "app/charts/palette.h"
#include "measured/thinning.h"

namespace yurana::charts {

namespace {

constexpr int kListedPeaks = 5000;
constexpr std::size_t kDrawnPoints = 4000;
constexpr int kCurvePoints = 1000;

QString g6(double v) {
    return QString::fromStdString(analysis::g6(v));
}

QString fitText(const damping::Fit& fit, bool response, double mass) {
    if (!fit.ok) {
        return QStringLiteral("あてはめできません: ") + QString::fromStdString(fit.why);
    }
    QString text = response ? QStringLiteral("|H|(ω) = F / √((k − m·ω²)² + (c·ω)²)")
                            : QStringLiteral("x(t) = A·e^(−σ(t−t1))·cos(ωd(t−t1)+ψ) + x0");
    text += QStringLiteral("  R²=") + g6(fit.r2);
    for (const damping::FitParameter& p : fit.parameters) {
        text += QStringLiteral("\n%1=%2 ± %3 %4")
                    .arg(QString::fromStdString(p.name), g6(p.value), g6(p.error),
                         QString::fromStdString(p.unit));
    }
    if (!response) {
        text += QStringLiteral("  (k, c はパネルの m=%1 で)").arg(g6(mass));
    }
    return text;
}

}  // namespace

DampingWindow::DampingWindow(QWidget* parent)
    : AnalysisWindow(QStringLiteral("DampingWindow"), QStringLiteral("減衰の測定"), parent) {
    table_ = new QTableWidget(0, 3, this);
    table_->setHorizontalHeaderLabels(
        {QStringLiteral("番号"), QStringLiteral("t (s)"), QStringLiteral("x (m)")});
    table_->setAccessibleName(QStringLiteral("山"));
    table_->verticalHeader()->setVisible(false);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setWordWrap(false);

    auto* choice = new QWidget(this);
    auto* h = new QHBoxLayout(choice);
    h->setContentsMargins(0, 0, 0, 0);
    first_ = new QSpinBox(choice);
    count_ = new QSpinBox(choice);
    for (auto [box, caption] : {std::pair{first_, "最初の山"}, {count_, "山の数"}}) {
        auto* label = new QLabel(QString::fromUtf8(caption), choice);
        label->setBuddy(box);
        box->setAccessibleName(QString::fromUtf8(caption));
        box->setRange(1, 1);
        connect(box, &QSpinBox::valueChanged, this, &DampingWindow::measure);
        h->addWidget(label);
        h->addWidget(box);
    }
    h->addStretch(1);

    readout_ = readoutLabel(this);

    auto* left = new QWidget(this);
    auto* v = new QVBoxLayout(left);
    v->setContentsMargins(0, 0, 0, 0);
    v->addWidget(table_, 1);
    v->addWidget(choice);
    auto* split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(left);
    split->addWidget(buildFitPanel());
    split->setStretchFactor(1, 2);
    split->setSizes({340, 840});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildSourceRow());
    layout->addWidget(split, 1);
    layout->addWidget(readoutPlace(readout_));
    showData();
    resize(1180, 720);
}

QWidget* DampingWindow::buildSourceRow() {
    auto* row = new QWidget(this);
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    modelButton_ = new QRadioButton(QStringLiteral("モデル"), row);
    dataButton_ = new QRadioButton(QStringLiteral("測定データ"), row);
    auto* group = new QButtonGroup(row);
    group->addButton(modelButton_);
    group->addButton(dataButton_);
    modelButton_->setChecked(true);
    dataButton_->setEnabled(false);
    connect(modelButton_, &QRadioButton::toggled, this, [this] {
        measure();
        showData();
    });
    dataLabel_ = new QLabel(QStringLiteral("測定データなし (ファイル > 測定データを開く)"), row);
    h->addWidget(new QLabel(QStringLiteral("測定対象:"), row));
    h->addWidget(modelButton_);
    h->addWidget(dataButton_);
    h->addSpacing(16);
    h->addWidget(dataLabel_, 1);
    return row;
}

QWidget* DampingWindow::buildFitPanel() {
    auto* panel = new QWidget(this);
    fitX_ = valueAxis(QStringLiteral("t (s)"));
    fitY_ = valueAxis(QStringLiteral("x (m)"));
    points_ = dotSeries(QStringLiteral("測定データ"), palette::kMeasured);
    points_->setMarkerSize(4);
    points_->setBorderColor(palette::kMeasured);
    fitted_ = lineSeries(QStringLiteral("あてはめ"), palette::kFitted, 1.6);
    fitChart_ = axesChart(QStringLiteral("測定データとあてはめ"), fitX_, fitY_, {points_, fitted_});
    residualX_ = valueAxis(QStringLiteral("t (s)"));
    residualY_ = valueAxis(QStringLiteral("残差 (m)"));
    residuals_ = dotSeries(QStringLiteral("残差"), palette::kMeasured);
    residuals_->setMarkerSize(3);
    residuals_->setBorderColor(palette::kMeasured);
    residualChart_ = axesChart(QStringLiteral("残差"), residualX_, residualY_, {residuals_});
    residualChart_->legend()->hide();

    fitButton_ = new QPushButton(QStringLiteral("あてはめ"), panel);
    send_ = new QPushButton(QStringLiteral("パネルに送る"), panel);
    for (QPushButton* b : {fitButton_, send_}) {
        b->setAccessibleName(b->text());
        b->setEnabled(false);
    }
    connect(fitButton_, &QPushButton::clicked, this, &DampingWindow::runFit);
    connect(send_, &QPushButton::clicked, this, &DampingWindow::send);
    fitText_ = new QLabel(panel);
    fitText_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    fitText_->setWordWrap(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(fitButton_);
    buttons->addWidget(send_);
    buttons->addStretch(1);
    auto* v = new QVBoxLayout(panel);
    v->setContentsMargins(0, 0, 0, 0);
    fitView_ = chartView(fitChart_, panel);
    residualView_ = chartView(residualChart_, panel);
    // Charts without data would show bare axes: a hint stands in for them.
    hint_ =
        new QLabel(QStringLiteral("ファイル > 測定データを開く で、測定した自由振動または"
                                  "周波数応答を読み込むと、ここにデータとあてはめが表示されます。"),
                   panel);
    hint_->setWordWrap(true);
    hint_->setAlignment(Qt::AlignCenter);
    v->addWidget(hint_, 5);
    v->addWidget(fitView_, 3);
    v->addWidget(residualView_, 2);
    v->addLayout(buttons);
    v->addWidget(fitText_);
    return panel;
}

void DampingWindow::setModel(const ModelRecord& r) {
    record_ = r;
    measure();
}

void DampingWindow::setMeasuredData(std::shared_ptr<const measured::MeasuredData> data,
                                    const QString& name) {
    data_ = std::move(data);
    fit_.reset();
    dataButton_->setEnabled(data_ != nullptr);
    if (!data_) {
        dataLabel_->setText(QStringLiteral("測定データなし (ファイル > 測定データを開く)"));
        modelButton_->setChecked(true);
    } else {
        const QString kind = data_->kind == measured::DataKind::FreeDecay
                                 ? QStringLiteral("自由振動 t, x")
                             : data_->kind == measured::DataKind::ResponseHz
                                 ? QStringLiteral("周波数応答 f (Hz), 振幅")
                                 : QStringLiteral("周波数応答 ω (rad/s), 振幅");
        dataLabel_->setText(
            QStringLiteral("%1: %2, %3 行").arg(name, kind).arg(qsizetype(data_->x.size())));
        dataButton_->setChecked(true);
    }
    fitX_->setTitleText(data_ && data_->isResponse() ? QStringLiteral("ω (rad/s)")
                                                     : QStringLiteral("t (s)"));
    residualX_->setTitleText(fitX_->titleText());
    fitY_->setTitleText(data_ && data_->isResponse() ? QStringLiteral("振幅 (m)")
                                                     : QStringLiteral("x (m)"));
    measure();
    showData();
}

std::pair<double, double> DampingWindow::measuredSpan() const {
    if (measurement_.fromData && data_ && !data_->x.empty()) {
        return {data_->x.front(), data_->x.back()};
    }
    return {std::min(record_.tmin, record_.tmax), std::max(record_.tmin, record_.tmax)};
}

void DampingWindow::measure() {
    const bool fromData = dataButton_->isChecked() && data_;
    const auto first = std::size_t(first_->value()), count = std::size_t(count_->value());
    measurement_ = fromData ? damping::measureData(*data_, record_, first, count)
                            : damping::measureModel(record_, first, count);
    // The spin boxes keep within the peaks; a change of range measures again.
    const int peaks = int(measurement_.peaks.size());
    const QSignalBlocker b1(first_), b2(count_);
    first_->setRange(1, std::max(1, peaks - 1));
    count_->setRange(1, std::max(1, peaks - first_->value()));
    if (first_->value() != int(first) || count_->value() != int(count)) {
        measurement_ = fromData
                           ? damping::measureData(*data_, record_, std::size_t(first_->value()),
                                                  std::size_t(count_->value()))
                           : damping::measureModel(record_, std::size_t(first_->value()),
                                                   std::size_t(count_->value()));
    }
    showReadout(readout_, damping::dampingReadout(measurement_));
    showPeaks();
    fitButton_->setEnabled(fromData);
    emit marksChanged();
}

void DampingWindow::showPeaks() {
    const int rows = std::min<int>(int(measurement_.peaks.size()), kListedPeaks);
    table_->setRowCount(rows);
    for (int i = 0; i < rows; ++i) {
        const damping::Peak& p = measurement_.peaks[std::size_t(i)];
        const QString cells[] = {QString::number(i + 1), g6(p.t), g6(p.x)};
        for (int c = 0; c < 3; ++c) {
            table_->setItem(i, c, new QTableWidgetItem(cells[c]));
        }
    }
}

void DampingWindow::showData() {
    QList<QPointF> points;
    if (data_ && dataButton_->isChecked()) {
        for (std::size_t i : measured::thinnedIndices(data_->y, kDrawnPoints)) {
            points.append(QPointF(data_->x[i], data_->y[i]));
        }
    }
    points_->replace(points);
    hint_->setVisible(points.isEmpty());
    fitView_->setVisible(!points.isEmpty());
    residualView_->setVisible(!points.isEmpty());
    if (!points.isEmpty()) {
        const auto [lo, hi] = std::minmax_element(data_->y.begin(), data_->y.end());
        setRangeWithRoundTicks(fitX_, {data_->x.front(), data_->x.back()});
        setRangeWithRoundTicks(fitY_, {*lo, *hi});
    }
    showFit();
}

void DampingWindow::runFit() {
    if (!data_) {
        return;
    }
    fitMass_ = record_.m;
    fit_ = data_->isResponse() ? damping::fitResponse(*data_, record_.f)
                               : damping::fitFreeDecay(*data_, fitMass_);
    showFit();
}

void DampingWindow::showFit() {
    const bool shown = fit_ && fit_->ok && data_ && dataButton_->isChecked();
    QList<QPointF> curve, residuals;
    if (shown) {
        const double lo = data_->x.front(), hi = data_->x.back();
        for (int i = 0; i <= kCurvePoints; ++i) {
            const double x = lo + (hi - lo) * i / kCurvePoints;
            curve.append(QPointF(x, fit_->curve.at(x)));
        }
        for (std::size_t i : measured::thinnedIndices(fit_->residuals, kDrawnPoints)) {
            residuals.append(QPointF(data_->x[i], fit_->residuals[i]));
        }
        const auto [rlo, rhi] = std::minmax_element(fit_->residuals.begin(), fit_->residuals.end());
        const double r = std::max({std::abs(*rlo), std::abs(*rhi), 1e-300});
        setRangeWithRoundTicks(residualX_, {lo, hi});
        setRangeWithRoundTicks(residualY_, {-r, r});
    }
    fitted_->replace(curve);
    residuals_->replace(residuals);
    const std::string text =
        fit_ ? fitText(*fit_, data_ && data_->isResponse(), fitMass_).toStdString() : std::string();
    showReadout(fitText_, text);
    send_->setEnabled(shown);
}

void DampingWindow::send() {
    if (!fit_ || !fit_->ok) {
        return;
    }
    if (fit_->m) {
        emit sendRequested(fit_->m, fit_->k, fit_->c);
        return;
    }
    // A decay gives ωn and ζ: k and c follow from the panel's m as it is now.
    const double m = record_.m;
    emit sendRequested(std::nullopt, m * fit_->wn * fit_->wn, 2 * fit_->zeta * fit_->wn * m);
}

}  // namespace yurana::charts
