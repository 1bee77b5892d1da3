#pragma once

// Test doubles of the platform: a panel of named controls holding the design
// defaults, a message box that records, and a clock driven by hand.

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "panel/panel_controls.h"
#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/panel.h"

namespace yurana::test {

class FakePanel : public Panel {
  public:
    FakePanel() {
        for (const ControlDef& c : panelControls()) {
            std::string name(c.name);
            texts_[name] = std::string(c.text);
            values_[name] = 0;
            visible_[name] = true;
            enabled_[name] = true;
            kinds_[name] = c.kind;
        }
    }

    std::string text(std::string_view control) const override { return texts_.at(key(control)); }
    void setText(std::string_view control, std::string_view text) override {
        std::string& slot = texts_.at(key(control));
        bool changed = slot != text;
        slot = std::string(text);
        ++writes;
        if (changed && kinds_.at(key(control)) == ControlKind::TextBox) {
            notifyChange(control);
        }
    }
    int value(std::string_view control) const override { return values_.at(key(control)); }
    void setValue(std::string_view control, int value) override {
        values_.at(key(control)) = value;
    }
    bool isVisible(std::string_view control) const override { return visible_.at(key(control)); }
    void setVisible(std::string_view control, bool v) override { visible_.at(key(control)) = v; }
    bool isEnabled(std::string_view control) const override { return enabled_.at(key(control)); }
    void setEnabled(std::string_view control, bool e) override { enabled_.at(key(control)) = e; }
    void showPanel() override { ++shown; }

    // Writes a text without raising its change handling (a quiet set-up for tests).
    void preset(std::string_view control, std::string_view text) {
        texts_.at(key(control)) = std::string(text);
    }

    int shown = 0;
    int writes = 0;

  private:
    static std::string key(std::string_view control) { return std::string(control); }

    std::map<std::string, std::string> texts_;
    std::map<std::string, int> values_;
    std::map<std::string, bool> visible_;
    std::map<std::string, bool> enabled_;
    std::map<std::string, ControlKind> kinds_;
};

class RecordingMessageBox : public MessageBox {
  public:
    void show(std::string_view text, std::string_view title = {}) override {
        texts.emplace_back(text);
        titles.emplace_back(title);
    }
    std::vector<std::string> texts;
    std::vector<std::string> titles;
};

class ManualClock : public Clock {
  public:
    double now() const override { return t; }
    double t = 0;
};

}  // namespace yurana::test
