#pragma once

#include <QWidget>

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
// area, kept in an image; the summary panel Picture1 stands at its left edge and asks for
// its repaint (graph_haikei) through summaryRepaint.
class Form3 : public QWidget {
    Q_OBJECT
  public:
    explicit Form3(QWidget* parent = nullptr);

    // The design client area, 640 × 252 px.
    QSize sizeHint() const override;

    qt::QtPicture& plot() { return plot_; }
    SummaryPanel* picture1() const { return picture1_; }
    const QImage& plotImage() { return plot_.image(); }
    const QImage& panelImage() { return picture1_->picture().image(); }

  signals:
    void summaryRepaint();

  protected:
    void paintEvent(QPaintEvent* event) override;
    // The window re-laid out: the panel repaints, so the plot fills the new size.
    void resizeEvent(QResizeEvent* event) override;

  private:
    qt::QtPicture plot_;
    SummaryPanel* picture1_;
};

}  // namespace yurana::app
