#include "layout/arrange.h"

#include "layout/tiling.h"

namespace yurana {

using namespace tiling;

void arrange(TiledWindows& w, LayoutFlags& flags) {
    w.form0.setVisible(false);
    w.form1.setVisible(false);

    w.form0.setTop(0);
    w.form0.setLeft(0);
    w.form0.setWidth(static_cast<float>(kForm0WidthShare * static_cast<float>(w.frame.width())));
    w.form0.setHeight(static_cast<float>(static_cast<float>(w.form0.width()) * kForm0Aspect));

    w.form1.setHeight(w.form0.height());
    w.form1.setLeft(w.form0.width());
    flags.saihaichi = false;

    w.form1.setTop(1);
    w.form1.setLeft(w.form1.width());
    w.form1.setHeight(w.form0.height());

    w.vscroll1.setTop(0);
    w.vscroll1.setLeft(static_cast<float>(kVScrollRight - static_cast<float>(w.vscroll1.width())));

    w.form0.setVisible(true);
    w.form1.setVisible(true);
    w.form3.setVisible(true);

    w.form3.setTop(w.form0.height());
    w.form3.setLeft(0);
    w.form3.setWidth(w.frame.width());
    w.form3.setHeight(static_cast<float>(static_cast<float>(w.frame.height()) - kGraphMargin -
                                         static_cast<float>(w.form0.height())));
}

}  // namespace yurana
