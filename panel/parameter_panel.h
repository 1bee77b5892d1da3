#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/record.h"
#include "model/run_state.h"
#include "panel/messages.h"
#include "platform/message_box.h"
#include "platform/panel.h"

namespace yurana {

// Inner size of the graph window in pixels, as dainyuu captures it.
struct GraphSize {
    float width = 0;
    float height = 0;
};

// The logic of the parameter panel Form1: the recompute sequence dainyuu → keisan2 →
// keisan_c1c2, the change handling of Textz and Textwn, and the 計算 command.
class ParameterPanel {
  public:
    ParameterPanel(Panel& panel, ModelRecord& record, const RunState& run, MessageBox& box,
                   std::function<GraphSize()> graphSize);

    // Copies the panel into the record; the first failing strict reading ends it,
    // leaving that field and every later one unchanged.
    void dainyuu();
    // Derives wd and the captions of Labelwd and Labelhz; makes the panel visible.
    void keisan2();
    // Fits c1 and c2 (see model/response.h).
    void keisan_c1c2();
    // The recompute sequence; each step ends silently on its own failure.
    void recompute();
    // Whether a recompute sequence has run since start-up (the record is empty before).
    bool recomputed() const { return recomputed_; }

    // Change notification of a text box: Textwn always recomputes, Textz only when
    // not running; every other box starts nothing.
    void textChanged(std::string_view control);

    // 計算: derives ζ, ωn and Cc from m, k and c into the panel, then recomputes.
    // A failure shows kMsgBadValue and leaves the later fields unchanged.
    void calculate();

    Panel& panel() { return panel_; }
    ModelRecord& record() { return record_; }

  private:
    Panel& panel_;
    ModelRecord& record_;
    const RunState& run_;
    MessageBox& box_;
    std::function<GraphSize()> graphSize_;
    bool recomputed_ = false;
};

// The natural frequency ωn / 2π in hertz from the strict reading of Textwn, as
// "0.0000"; fails when Textwn is not a number.
std::string frequencyText(const Panel& panel);

// One line (1..11) of the summary of derived quantities; line 2 fails when Textwn is
// not a number.
std::string summaryLine(int line, const Panel& panel, const ModelRecord& record);

}  // namespace yurana
