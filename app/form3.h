#pragma once

#include <QWidget>
#include <functional>

#include "graph/graph.h"
#include "graph/pen_memory.h"
#include "model/record.h"
#include "model/response.h"
#include "platform/panel.h"
#include "platform/qt/qt_picture.h"

namespace yurana::app {

// The summary panel Picture1 of the graph window: light grey, "ＭＳ Ｐゴシック" 9 pt.
// Its "repaint" — being shown or resized by anyone but graph_haikei itself — emits
// repaintRequested once from the event loop. An ordinary paint (a plot update, the window
// being uncovered) only copies the kept image. Its accessible name is the text it shows.
class SummaryPanel : public QWidget {
    Q_OBJECT
  public:
    explicit SummaryPanel(QWidget* parent = nullptr);

    qt::QtPicture& picture() { return picture_; }
    // The printed lines joined by line breaks.
    QString summaryText() const;

  signals:
    void repaintRequested();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  public:
    // Queues one repaint of the panel (graph_haikei) for the event loop.
    void requestRepaint();

  private:
    qt::QtPicture picture_;
    bool repaintPending_ = false;
};

// The graph window Form3 ("グラフ表示ウインドウ"): its whole client area is the plot
// area, kept in an image; the summary panel Picture1 stands at its left edge. A
// repaint of the panel runs graph_haikei and ignores its failure.
class Form3 : public QWidget {
    Q_OBJECT
  public:
    Form3(const Panel& panel, ModelRecord& record, graph::PenMemory& pen,
          QWidget* parent = nullptr);

    // graph_haikei: background and summary; throws calc_error (see graph/graph.h).
    void graph_haikei();
    // The plot step for step time t: segments, `between`, pen update; throws calc_error.
    void plotStep(double t, const StepValues& v, const std::function<void()>& between = {});
    // Clear drawing of the クリア button: the pen is kept.
    void clear();

    // Live client size, px (what graph_haikei and dainyuu capture).
    QSize clientSize() const { return size(); }
    // The design client area, 640 × 252 px.
    QSize sizeHint() const override;

    SummaryPanel* picture1() const { return picture1_; }
    const QImage& plotImage() { return plot_.image(); }
    const QImage& panelImage() { return picture1_->picture().image(); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    // The window re-laid out: the panel repaints, so the plot fills the new size.
    void resizeEvent(QResizeEvent* event) override;

  private:
    qt::QtPicture plot_;
    SummaryPanel* picture1_;
    graph::Graph graph_;
};

}  // namespace yurana::app
