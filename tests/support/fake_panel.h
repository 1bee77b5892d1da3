#pragma once

// Test doubles of the platform: a panel of named controls holding the design
// defaults, a message box that records, and a clock driven by hand.

#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "panel/panel_controls.h"
#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/panel.h"

namespace yurana::test {

class FakePanel : public Panel {
  public:
    struct Control {
        std::string text;
        int value = 0;
        bool visible = true;
        bool enabled = true;
        bool operator==(const Control&) const = default;
    };

    // Cheap to create and to compare, so that a fuzz target can use a fresh one per run.
    FakePanel() : controls_(design()) {}

    std::string text(std::string_view c) const override { return at(c).text; }
    void setText(std::string_view c, std::string_view text) override {
        at(c).text = std::string(text);
        ++writes;
        // Every write into a box is an edit, the same text included.
        if (findControl(c)->kind == ControlKind::TextBox) {
            notifyChange(c);
        }
    }
    int value(std::string_view c) const override { return at(c).value; }
    void setValue(std::string_view c, int value) override { at(c).value = value; }
    bool isVisible(std::string_view c) const override { return at(c).visible; }
    void setVisible(std::string_view c, bool v) override { at(c).visible = v; }
    bool isEnabled(std::string_view c) const override { return at(c).enabled; }
    void setEnabled(std::string_view c, bool e) override { at(c).enabled = e; }
    void showPanel() override { ++shown; }

    // Writes a text without raising its change handling (a quiet set-up for tests).
    void preset(std::string_view c, std::string_view text) { at(c).text = std::string(text); }
    // Presets each control to the matching word of `texts` (split at spaces).
    void preset(const std::vector<std::string_view>& cs, std::string_view texts) {
        for (std::string_view c : cs) {
            const std::size_t end = std::min(texts.find(' '), texts.size());
            preset(c, texts.substr(0, end));
            texts.remove_prefix(std::min(end + 1, texts.size()));
        }
    }

    // Every control's state, in the design order.
    const std::vector<Control>& controls() const { return controls_; }

    int shown = 0;
    int writes = 0;

  private:
    static const std::vector<Control>& design() {
        static const std::vector<Control> controls = [] {
            std::vector<Control> v;
            for (const ControlDef& c : panelControls()) {
                v.push_back({std::string(c.text)});
            }
            return v;
        }();
        return controls;
    }
    // An unknown name throws std::out_of_range, as a wiring fault should.
    static std::size_t indexOf(std::string_view c) {
        static const auto index = [] {
            std::unordered_map<std::string_view, std::size_t> m;
            for (const ControlDef& c : panelControls()) {
                m.emplace(c.name, m.size());
            }
            return m;
        }();
        return index.at(c);
    }
    Control& at(std::string_view c) { return controls_[indexOf(c)]; }
    const Control& at(std::string_view c) const { return controls_[indexOf(c)]; }

    std::vector<Control> controls_;
};

// A message box that keeps what it was asked to show.
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
