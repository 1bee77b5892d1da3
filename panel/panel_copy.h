#pragma once

#include <map>
#include <string>
#include <string_view>

#include "model/record.h"
#include "platform/panel.h"

namespace yurana {

// A detached copy of the parameter panel's text boxes, result captions and check boxes.
// The recompute sequence can run on it without changing a caption the user sees and
// without raising change handling: writes stay in the copy and notify nobody.
class PanelCopy : public Panel {
  public:
    explicit PanelCopy(const Panel& source);

    // A control outside the copy (a button, a scroll bar) throws std::logic_error.
    std::string text(std::string_view control) const override;
    void setText(std::string_view control, std::string_view text) override;
    int value(std::string_view control) const override;
    void setValue(std::string_view control, int value) override;
    bool isVisible(std::string_view) const override { return true; }
    void setVisible(std::string_view, bool) override {}
    bool isEnabled(std::string_view) const override { return true; }
    void setEnabled(std::string_view, bool) override {}
    void showPanel() override {}

  private:
    std::map<std::string, std::string, std::less<>> texts_;
    std::map<std::string, int, std::less<>> values_;
};

// The model record 計算 would make from the panel's texts (ζ, ωn and Cc derived from m, k
// and c, then the recompute sequence), computed on a copy: the panel, its record and the
// run stay as they are. Where 計算 would fail, the record is the empty one.
ModelRecord calculatedRecord(const Panel& panel);

}  // namespace yurana
