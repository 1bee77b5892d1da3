#include "layout/layout.h"

#include "layout/tiling.h"
#include "model/calc_error.h"

namespace yurana {

namespace {

using namespace tiling;

// Twips, single precision, as the window sizes are held.
float single(double v) {
    return static_cast<float>(v);
}

// The configuration and moves of both bars, then both flags cleared.
void configureBars(Layout& l) {
    TiledWindows& w = l.windows;
    scroll_yoko(w);
    scroll_tate(w);
    idou_yoko(w.hscroll1, l.content, l.tables);
    idou_tate(w.vscroll1, l.content, l.tables);
    l.flags.saihaichi = false;
    l.flags.shukushou = false;
}

// The panel as high as form0 and as wide as the frame leaves beside it.
void placePanel(TiledWindows& w) {
    w.form1.setScaleTop(0);
    float d = single(w.frame.width()) - single(w.form0.width()) - kPanelMargin;
    if (d > kPanelMinGain) {
        w.form1.setWidth(d);
    }
    w.form1.setHeight(w.form0.height());
}

// VScroll1 along the panel's right inner edge (placed by its old width), HScroll1
// along the bottom; both 300 units thick.
void placeBars(TiledWindows& w) {
    w.vscroll1.setTop(0);
    w.vscroll1.setLeft(single(w.form1.scaleWidth()) - single(w.vscroll1.width()));
    w.vscroll1.setWidth(kBarThickness);
    w.hscroll1.setHeight(kBarThickness);
    w.hscroll1.setLeft(0);
    w.hscroll1.setWidth(single(w.form1.scaleWidth()) - kBarThickness);
    w.hscroll1.setTop(single(w.form1.scaleHeight()) - kBarThickness);
}

// The graph window under form0 across the frame; it keeps its height when the frame
// leaves none.
void placeGraph(TiledWindows& w) {
    w.form3.setTop(w.form0.height());
    w.form3.setLeft(0);
    w.form3.setWidth(w.frame.width());
    float h = single(w.frame.height()) - kGraphMargin - single(w.form0.height());
    if (h > 0) {
        w.form3.setHeight(h);
    }
}

// form0 back inside a frame it outgrew (this raises its resize notification again).
void fitForm0(TiledWindows& w) {
    if (single(w.form0.width()) > single(w.frame.width())) {
        w.form0.setWidth(single(w.frame.width()) - kForm0WidthMargin);
    }
    if (single(w.form0.height()) > single(w.frame.height())) {
        w.form0.setHeight(single(w.frame.height()) - kForm0HeightMargin);
    }
}

// Steps 1 to 11 of haichi.
void arrangeFull(Layout& l) {
    TiledWindows& w = l.windows;
    l.others.graph_haikei();
    l.others.sizePicture1(w.form0.scaleWidth(), w.form0.scaleHeight());
    placePanel(w);
    placeBars(w);
    placeGraph(w);
    fitForm0(w);
    configureBars(l);
}

// Steps 1 to 9 of haichi2.
void arrangeCollapsed(Layout& l) {
    TiledWindows& w = l.windows;
    w.form1.setWidth(single(w.frame.width()) - kCollapsedWidthMargin);
    w.form3.setWidth(w.form1.width());
    w.form1.setLeft(0);
    w.form1.setHeight(single(single(w.frame.height()) * kCollapsedPanelShare));
    w.form3.setTop(w.form1.height());
    w.form3.setLeft(w.form1.left());
    w.form3.setHeight(single(w.frame.height()) - single(w.form1.height()) - kCollapsedGraphMargin);

    scroll_yoko(w);
    scroll_tate(w);
    idou_yoko(w.hscroll1, l.content, l.tables);
    idou_tate(w.vscroll1, l.content, l.tables);

    w.vscroll1.setLeft(single(w.form1.width()) - single(w.hscroll1.height()) +
                       kCollapsedVScrollOffset);
    w.vscroll1.setHeight(single(w.form1.height()) + kCollapsedBarOverhang);
    w.hscroll1.setTop(single(w.form1.height()) - single(w.vscroll1.width()) +
                      kCollapsedBarOverhang);
    w.hscroll1.setWidth(single(w.form1.width()) - kCollapsedHScrollShortening);
}

void collapseIfLow(Layout& l) {
    if (single(l.windows.form0.height()) < kCollapseHeight) {
        haichi2(l);
    }
}

}  // namespace

void haichi(Layout& l) {
    try {
        arrangeFull(l);
    } catch (const calc_error&) {
        // The pass goes on with its last step; nothing is reported.
    }
    configureBars(l);
}

void haichi2(Layout& l) {
    try {
        arrangeCollapsed(l);
        l.flags.shukushou = true;
    } catch (const calc_error&) {
        // The collapsed arrangement stops where it failed, silently.
    }
}

void form0Resized(Layout& l) {
    TiledWindows& w = l.windows;
    try {
        w.form1.setScaleTop(0);
        w.form1.setLeft(w.form0.width());
        w.vscroll1.setTop(0);
        w.vscroll1.setLeft(single(w.form1.scaleWidth()) - single(w.vscroll1.width()));
        w.vscroll1.setHeight(single(w.form1.scaleHeight()) - kBarThickness);
        haichi(l);
        collapseIfLow(l);
    } catch (const calc_error&) {
        // Skips to the last step.
    }
    collapseIfLow(l);
}

}  // namespace yurana
