#pragma once

#include <QColor>
#include <QImage>
#include <QLine>
#include <QPointF>
#include <QStringList>
#include <QWidget>

#include "platform/picture.h"

namespace yurana::qt {

// A picture surface kept in an image that its widget shows: the widget's paintEvent
// copies the image, so covering and uncovering the window loses nothing. The image
// follows the widget's size; a part that grows shows the widget's background colour
// until it is drawn on. Each drawing updates only the rectangle it touched.
class QtPicture : public Picture {
  public:
    explicit QtPicture(QWidget* widget);

    void setDrawColor(Rgb color) override;
    void line(float x1, float y1, float x2, float y2) override;
    void line(float x1, float y1, float x2, float y2, Rgb color) override;
    void polyline(std::span<const PlotPoint> points) override;
    void fillRect(float x1, float y1, float x2, float y2, Rgb color) override;
    void setTextPos(float x, float y) override;
    void print(std::string_view text) override;
    int clientWidth() const override;
    int clientHeight() const override;
    void setWidth(int px) override;

    // The kept image at the widget's current size.
    const QImage& image();
    // Copies the image's part `rect` onto the widget (for its paintEvent).
    void paint(QWidget* target, const QRect& rect);
    // The lines printed since the last fill of the whole surface, top to bottom.
    const QStringList& printedLines() const { return lines_; }
    // True while setWidth resizes the widget, so its resize handling can tell that
    // resize apart from one made by the user or the layout.
    bool settingWidth() const { return settingWidth_; }

  private:
    void sync();
    void drawLine(float x1, float y1, float x2, float y2, const QColor& color);
    // The segment cut to the image and its margin, rounded to pixels; false when nothing
    // of it is inside.
    bool toPixels(QLineF seg, QLine& out) const;

    bool alreadyDrawn(QPoint a, QPoint b, const QColor& color) const;

    QWidget* widget_;
    QImage image_;
    QColor color_{Qt::black};
    QPointF pos_;
    QStringList lines_;
    bool settingWidth_ = false;
};

}  // namespace yurana::qt
