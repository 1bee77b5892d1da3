#include "platform/qt/qt_geometry.h"

#include <cmath>

#include "model/numbers.h"

namespace yurana::qt {

namespace {

// A step size a scroll bar accepts: 1 to 32767.
void checkStep(int v) {
    if (v < 1 || v > 32767) {
        throw calc_error(calc_error::Kind::InvalidCall, "invalid property value");
    }
}

}  // namespace

double QtGeometry::read(int i, int px, double perUnit) const {
    const Remembered& r = remembered_[i];
    return r.px == px ? r.units : px / perUnit;
}

int QtGeometry::write(int i, double units, double perUnit) {
    int px = num::nint(units * perUnit);
    remembered_[i] = {units, px};
    return px;
}

double QtGeometry::left() const {
    return read(0, widget_->x(), scale_.x);
}
double QtGeometry::top() const {
    return read(1, widget_->y(), scale_.y);
}
double QtGeometry::width() const {
    return read(2, widget_->width(), scale_.x);
}
double QtGeometry::height() const {
    return read(3, widget_->height(), scale_.y);
}

void QtGeometry::setLeft(double v) {
    widget_->move(write(0, v, scale_.x), widget_->y());
}
void QtGeometry::setTop(double v) {
    widget_->move(widget_->x(), write(1, v, scale_.y));
}

void QtGeometry::setWidth(double v) {
    if (v < 0) {
        throw calc_error(calc_error::Kind::InvalidCall, "invalid property value");
    }
    widget_->resize(write(2, v, scale_.x), widget_->height());
}

void QtGeometry::setHeight(double v) {
    if (v < 0) {
        throw calc_error(calc_error::Kind::InvalidCall, "invalid property value");
    }
    widget_->resize(widget_->width(), write(3, v, scale_.y));
}

bool QtGeometry::visible() const {
    return !widget_->isHidden();
}
void QtGeometry::setVisible(bool v) {
    widget_->setVisible(v);
}

double QtWindowGeometry::scaleWidth() const {
    return client_->width() / innerScale_.x;
}
double QtWindowGeometry::scaleHeight() const {
    return client_->height() / innerScale_.y;
}

void QtScrollBar::setLargeChange(int v) {
    checkStep(v);
    bar_->setPageStep(v);
}

void QtScrollBar::setSmallChange(int v) {
    checkStep(v);
    bar_->setSingleStep(v);
}

QtLine::QtLine(QWidget* line, double x1, double y1, double x2, double y2) : line_(line) {
    setPoints(x1, y1, x2, y2);
}

void QtLine::setPoints(double x1, double y1, double x2, double y2) {
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    int left = num::nint(std::min(x1, x2) * kPanelUnits.x);
    int right = num::nint(std::max(x1, x2) * kPanelUnits.x);
    int y = num::nint(y1 * kPanelUnits.y);
    line_->setGeometry(left, y - 1, std::max(right - left, 1), 2);
}

}  // namespace yurana::qt
