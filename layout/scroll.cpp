#include "layout/scroll.h"

#include <limits>
#include <stdexcept>

#include "model/calc_error.h"
#include "model/numbers.h"
#include "panel/panel_controls.h"

namespace yurana {

namespace {

constexpr int kScrollMax = 100;  // Max of both bars

// What scroll_yoko and scroll_tate differ in. `length` measures the panel and the other
// bar along the configured bar (Width for HScroll1, Height for VScroll1); the other bar
// is resized across it, by `crossLength`.
struct BarAxis {
    double (Geometry::*length)() const;
    double (Geometry::*crossLength)() const;
    void (Geometry::*setCrossLength)(double);
    float contentFit;    // content length that must fit beside the other bar (units)
    double stepsExtent;  // content extent of the step sizes (units)
    bool shortensOther;  // only a shown HScroll1 shortens VScroll1, by its own height
};

constexpr BarAxis kYokoBar{&Geometry::width, &Geometry::height, &Geometry::setHeight,
                           9925.0f,          kContentWidth,     true};
constexpr BarAxis kTateBar{&Geometry::height, &Geometry::width,    &Geometry::setWidth,
                           6400.0f,           kContentHeightSteps, false};

// A recorded coordinate less the offset, as the Single a control's place holds.
double shifted(std::int32_t recorded, double offset) {
    return static_cast<float>(recorded - offset);
}

// Line2 across: X1 and X2 are recorded and moved. Down: only Y1 is recorded, and both
// ends move to it.
void recordLineX(const LineGeometry& line, std::vector<std::int32_t>& table) {
    table.push_back(num::nint(line.x1()));
    table.push_back(num::nint(line.x2()));
}
void moveLineX(LineGeometry& line, std::span<const std::int32_t> recorded, double offset) {
    line.setPoints(shifted(recorded[0], offset), line.y1(), shifted(recorded[1], offset),
                   line.y2());
}
void recordLineY(const LineGeometry& line, std::vector<std::int32_t>& table) {
    table.push_back(num::nint(line.y1()));
}
void moveLineY(LineGeometry& line, std::span<const std::int32_t> recorded, double offset) {
    double y = shifted(recorded[0], offset);
    line.setPoints(line.x1(), y, line.x2(), y);
}

// What idou_yoko and idou_tate differ in, besides their table.
struct MoveAxis {
    double (Geometry::*place)() const;  // Left or Top
    void (Geometry::*setPlace)(double);
    double offsetExtent;  // units
    void (*recordLine)(const LineGeometry&, std::vector<std::int32_t>&);
    void (*moveLine)(LineGeometry&, std::span<const std::int32_t>, double);
};

constexpr MoveAxis kYokoMove{&Geometry::left, &Geometry::setLeft, kContentWidth, recordLineX,
                             moveLineX};
constexpr MoveAxis kTateMove{&Geometry::top, &Geometry::setTop, kContentHeightOffset, recordLineY,
                             moveLineY};

// The step sizes for a panel `outer` long over a content `extent` long:
// LargeChange = nint(r·Max / (1 − r)) with r = outer / extent, SmallChange =
// nint(LargeChange·0.1). Fails when the bar refuses either value.
void setSteps(ScrollBar& bar, double outer, double extent) {
    double r = outer / extent;
    bar.setLargeChange(num::nint16(num::div(r * bar.max(), 1.0 - r)));
    bar.setSmallChange(num::nint16(bar.largeChange() * 0.1));
}

// scroll_yoko or scroll_tate: configures `bar`, with `other` the bar across it.
void configureBar(const BarAxis& axis, ScrollBar& bar, ScrollBar& other,
                  const WindowGeometry& panel) {
    try {
        bar.setMax(kScrollMax);
        bar.setVisible(true);
        auto panelLength = static_cast<float>((panel.*axis.length)());
        if (static_cast<float>((other.*axis.length)()) + axis.contentFit > panelLength) {
            setSteps(bar, panelLength, axis.stepsExtent);
            if (axis.shortensOther) {
                (other.*axis.setCrossLength)(static_cast<float>((panel.*axis.crossLength)()) -
                                             static_cast<float>((other.*axis.crossLength)()));
            }
            bar.setVisible(true);
        } else {
            bar.setVisible(false);
            (other.*axis.setCrossLength)((panel.*axis.crossLength)());
        }
    } catch (const calc_error&) {
        // Ends here, silently; what is already set stays.
    }
}

// The scroll distance of a bar: Value / (Max + LargeChange) · extent, the sum held
// in 16 bits.
double offsetOf(const ScrollBar& bar, double extent) {
    int sum = bar.max() + bar.largeChange();
    if (sum > std::numeric_limits<std::int16_t>::max() ||
        sum < std::numeric_limits<std::int16_t>::min()) {
        throw calc_error(calc_error::Kind::Overflow, "integer overflow");
    }
    return num::div(bar.value(), sum) * extent;
}

// idou_yoko or idou_tate: fills `table` on the first run (`recorded` false), then moves
// every control and Line2 to its recorded place less the bar's offset.
void moveBy(const MoveAxis& axis, const ScrollBar& bar, const PanelContent& content,
            std::vector<std::int32_t>& table, bool& recorded) {
    double offset = offsetOf(bar, axis.offsetExtent);
    if (!recorded) {
        std::vector<std::int32_t> places;
        places.reserve(content.controls.size() + 2);
        for (const auto& [name, control] : content.controls) {
            places.push_back(num::nint((control->*axis.place)()));
        }
        if (content.line2 != nullptr) {
            axis.recordLine(*content.line2, places);
        }
        table = std::move(places);
        recorded = true;
    }
    for (std::size_t i = 0; i < content.controls.size(); ++i) {
        (content.controls[i].second->*axis.setPlace)(shifted(table[i], offset));
    }
    if (content.line2 != nullptr) {
        axis.moveLine(*content.line2, std::span(table).subspan(content.controls.size()), offset);
    }
}

// A change notification's move: a failure leaves the controls where they are.
void moveQuietly(const MoveAxis& axis, const ScrollBar& bar, const PanelContent& content,
                 std::vector<std::int32_t>& table, bool& recorded) {
    try {
        moveBy(axis, bar, content, table, recorded);
    } catch (const calc_error&) {
        // Only the offset and the first recording can fail, before anything moves.
    }
}

}  // namespace

std::vector<std::string_view> movedControlNames() {
    std::vector<std::string_view> names;
    for (const ControlDef& c : panelControls()) {
        const bool bar = c.kind == ControlKind::VScrollBar || c.kind == ControlKind::HScrollBar;
        if (c.parent.empty() && !bar && c.kind != ControlKind::Line) {
            names.push_back(c.name);
        }
    }
    return names;
}

PanelContent makePanelContent(const std::function<Geometry*(std::string_view)>& find,
                              LineGeometry* line2) {
    PanelContent content;
    content.line2 = line2;
    for (std::string_view name : movedControlNames()) {
        Geometry* control = find(name);
        if (control == nullptr) {
            throw std::logic_error("panel control missing: " + std::string(name));
        }
        content.controls.emplace_back(std::string(name), control);
    }
    return content;
}

void scroll_yoko(TiledWindows& w) {
    configureBar(kYokoBar, w.hscroll1, w.vscroll1, w.form1);
}

void scroll_tate(TiledWindows& w) {
    configureBar(kTateBar, w.vscroll1, w.hscroll1, w.form1);
}

void idou_yoko(const ScrollBar& hscroll1, const PanelContent& content, MoveTables& tables) {
    moveBy(kYokoMove, hscroll1, content, tables.moto_ichi_yoko, tables.kiroku_yoko);
}

void idou_tate(const ScrollBar& vscroll1, const PanelContent& content, MoveTables& tables) {
    moveBy(kTateMove, vscroll1, content, tables.moto_ichi_tate, tables.kiroku_tate);
}

void hscroll1Changed(const ScrollBar& hscroll1, const PanelContent& content, MoveTables& tables) {
    moveQuietly(kYokoMove, hscroll1, content, tables.moto_ichi_yoko, tables.kiroku_yoko);
}

void vscroll1Changed(const ScrollBar& vscroll1, const PanelContent& content, MoveTables& tables) {
    moveQuietly(kTateMove, vscroll1, content, tables.moto_ichi_tate, tables.kiroku_tate);
}

}  // namespace yurana
