#pragma once

#include <QChartView>
#include <QPixmap>

namespace yurana::charts {

// A chart view that shows a picture of its chart, drawn again only when the chart itself
// changes (curves, axes, a resize), with what changes often drawn over it by a subclass:
// repainting the view then costs a copy of the picture rather than the chart's items.
class PictureChartView : public QChartView {
    Q_OBJECT
  public:
    // `ground`: what the picture shows where the chart does not draw (its rounded
    // corners); by default what the chart view itself shows there.
    PictureChartView(QChart* chart, QWidget* parent, QPalette::ColorRole ground = QPalette::NoRole);

  protected:
    // The picture is to be drawn again: for changes the chart tells at once (the plot area,
    // an axis range), before the scene's own notice, which comes with the next events.
    void markStale();
    // The chart as last drawn, drawn again first when stale; `redrawn` (if given) tells
    // whether it was.
    const QPixmap& picture(bool* redrawn = nullptr);
    // What is drawn over the picture, on the viewport.
    virtual void drawOver(QPainter& painter) const;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QPalette::ColorRole ground_;
    QPixmap picture_;
    bool stale_ = true;
};

}  // namespace yurana::charts
