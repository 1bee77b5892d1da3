#include "layout/scroll.h"

#include <array>
#include <limits>
#include <stdexcept>

#include "model/calc_error.h"
#include "model/numbers.h"

namespace yurana {

namespace {

// clang-format off
constexpr std::array<std::string_view, 63> kMovedControls = {
    "Cmd_Save0", "Cmd_Save1", "Cmd_Save2", "Cmd_Save3", "Cmd_Save4",
    "Cmd_Load0", "Cmd_Load1", "Cmd_Load2", "Cmd_Load3", "Cmd_Load4",
    "lab0", "lab1", "lab2", "lab3", "lab4", "lab5", "lab6", "lab7", "lab8", "lab9",
    "lab10", "lab11", "lab12", "lab13", "lab14", "lab15", "lab16", "lab17", "lab18",
    "Labelcc", "Labelwd", "Labelhz",
    "Frame1",
    "Command1", "Command2", "Command3", "Command4", "Command5", "Command6",
    "Command_keisan", "cmdtest",
    "Textk", "Textc", "Textm", "Textz", "Textwn", "Textxshoki", "Textvshoki", "Texttmin",
    "Texttmax", "Texthenibairitu", "Textgraphbairitu", "Textw", "Textf", "Textkabem",
    "Textjikanbairitu", "Textt0", "Texttest",
    "Check1", "Checkheni", "Checkxc", "Checkxp", "Checkxcxp",
};
// clang-format on

constexpr int kScrollMax = 100;  // Max of both bars
constexpr float kContentFitWidth = 9925.0f;
constexpr float kContentFitHeight = 6400.0f;

// The step sizes for a panel `outer` long over a content `extent` long:
// LargeChange = nint(r·Max / (1 − r)) with r = outer / extent, SmallChange =
// nint(LargeChange·0.1). Fails when the bar refuses either value.
void setSteps(ScrollBar& bar, double outer, double extent) {
    double r = outer / extent;
    bar.setLargeChange(num::nint16(num::div(r * bar.max(), 1.0 - r)));
    bar.setSmallChange(num::nint16(bar.largeChange() * 0.1));
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

void recordYoko(const PanelContent& content, MoveTables& t) {
    std::vector<std::int32_t> table;
    table.reserve(content.controls.size() + 2);
    for (const auto& [name, control] : content.controls) {
        table.push_back(num::nint(control->left()));
    }
    if (content.line2 != nullptr) {
        table.push_back(num::nint(content.line2->x1()));
        table.push_back(num::nint(content.line2->x2()));
    }
    t.moto_ichi_yoko = std::move(table);
    t.kiroku_yoko = true;
}

void recordTate(const PanelContent& content, MoveTables& t) {
    std::vector<std::int32_t> table;
    table.reserve(content.controls.size() + 1);
    for (const auto& [name, control] : content.controls) {
        table.push_back(num::nint(control->top()));
    }
    if (content.line2 != nullptr) {
        table.push_back(num::nint(content.line2->y1()));
    }
    t.moto_ichi_tate = std::move(table);
    t.kiroku_tate = true;
}

// A recorded coordinate less the offset, as the Single a control's place holds.
double shifted(std::int32_t recorded, double offset) {
    return static_cast<float>(recorded - offset);
}

}  // namespace

std::span<const std::string_view> movedControlNames() {
    return kMovedControls;
}

PanelContent makePanelContent(const std::function<Geometry*(std::string_view)>& find,
                              LineGeometry* line2) {
    PanelContent content;
    content.line2 = line2;
    content.controls.reserve(kMovedControls.size());
    for (std::string_view name : kMovedControls) {
        Geometry* control = find(name);
        if (control == nullptr) {
            throw std::logic_error("panel control missing: " + std::string(name));
        }
        content.controls.emplace_back(std::string(name), control);
    }
    return content;
}

void scroll_yoko(Windows& w) {
    try {
        w.hscroll1.setMax(kScrollMax);
        w.hscroll1.setVisible(true);
        auto panelWidth = static_cast<float>(w.form1.width());
        if (static_cast<float>(w.vscroll1.width()) + kContentFitWidth > panelWidth) {
            setSteps(w.hscroll1, panelWidth, kContentWidth);
            w.vscroll1.setHeight(static_cast<float>(w.form1.height()) -
                                 static_cast<float>(w.vscroll1.height()));
            w.hscroll1.setVisible(true);
        } else {
            w.hscroll1.setVisible(false);
            w.vscroll1.setHeight(w.form1.height());
        }
    } catch (const calc_error&) {
        // Ends here, silently; what is already set stays.
    }
}

void scroll_tate(Windows& w) {
    try {
        w.vscroll1.setMax(kScrollMax);
        w.vscroll1.setVisible(true);
        auto panelHeight = static_cast<float>(w.form1.height());
        if (static_cast<float>(w.hscroll1.height()) + kContentFitHeight > panelHeight) {
            setSteps(w.vscroll1, panelHeight, kContentHeightSteps);
            w.vscroll1.setVisible(true);
        } else {
            w.vscroll1.setVisible(false);
            w.hscroll1.setWidth(w.form1.width());
        }
    } catch (const calc_error&) {
        // Ends here, silently; what is already set stays.
    }
}

void idou_yoko(const ScrollBar& hscroll1, const PanelContent& content, MoveTables& tables) {
    double offset = offsetOf(hscroll1, kContentWidth);
    if (!tables.kiroku_yoko) {
        recordYoko(content, tables);
    }
    const auto& table = tables.moto_ichi_yoko;
    for (std::size_t i = 0; i < content.controls.size(); ++i) {
        content.controls[i].second->setLeft(shifted(table[i], offset));
    }
    if (content.line2 != nullptr) {
        std::size_t i = content.controls.size();
        LineGeometry& line = *content.line2;
        line.setPoints(shifted(table[i], offset), line.y1(), shifted(table[i + 1], offset),
                       line.y2());
    }
}

void idou_tate(const ScrollBar& vscroll1, const PanelContent& content, MoveTables& tables) {
    double offset = offsetOf(vscroll1, kContentHeightOffset);
    if (!tables.kiroku_tate) {
        recordTate(content, tables);
    }
    const auto& table = tables.moto_ichi_tate;
    for (std::size_t i = 0; i < content.controls.size(); ++i) {
        content.controls[i].second->setTop(shifted(table[i], offset));
    }
    if (content.line2 != nullptr) {
        LineGeometry& line = *content.line2;
        double y = shifted(table[content.controls.size()], offset);
        line.setPoints(line.x1(), y, line.x2(), y);
    }
}

void hscroll1Changed(const ScrollBar& hscroll1, const PanelContent& content, MoveTables& tables) {
    try {
        idou_yoko(hscroll1, content, tables);
    } catch (const calc_error&) {
        // Only the offset and the first recording can fail, before anything moves.
    }
}

void vscroll1Changed(const ScrollBar& vscroll1, const PanelContent& content, MoveTables& tables) {
    try {
        idou_tate(vscroll1, content, tables);
    } catch (const calc_error&) {
        // Only the offset and the first recording can fail, before anything moves.
    }
}

}  // namespace yurana
