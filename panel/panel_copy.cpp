#include "panel/panel_copy.h"

#include <stdexcept>

#include "panel/panel_controls.h"
#include "panel/parameter_panel.h"

namespace yurana {

namespace {

template <typename Map>
auto& entry(Map& map, std::string_view control) {
    auto it = map.find(control);
    if (it == map.end()) {
        throw std::logic_error("no copied control " + std::string(control));
    }
    return it->second;
}

// 計算's failure message has no one to read it here.
class SilentBox : public MessageBox {
  public:
    void show(std::string_view, std::string_view) override {}
};

}  // namespace

PanelCopy::PanelCopy(const Panel& source) {
    for (const ControlDef& c : panelControls()) {
        if (c.kind == ControlKind::TextBox || c.kind == ControlKind::ResultField) {
            texts_.emplace(c.name, source.text(c.name));
        } else if (c.kind == ControlKind::CheckBox) {
            values_.emplace(c.name, source.value(c.name));
        }
    }
}

std::string PanelCopy::text(std::string_view control) const {
    return entry(texts_, control);
}

void PanelCopy::setText(std::string_view control, std::string_view text) {
    entry(texts_, control) = text;
}

int PanelCopy::value(std::string_view control) const {
    return entry(values_, control);
}

void PanelCopy::setValue(std::string_view control, int value) {
    entry(values_, control) = value;
}

ModelRecord calculatedRecord(const Panel& panel) {
    PanelCopy copy(panel);
    ModelRecord record;
    const RunState stopped{kStopped};
    SilentBox box;
    ParameterPanel(copy, record, stopped, box, {}).calculate();
    return record;
}

}  // namespace yurana
