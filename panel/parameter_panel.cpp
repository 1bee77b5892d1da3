#include "panel/parameter_panel.h"

#include <cmath>

#include "model/numbers.h"
#include "model/response.h"
#include "panel/control_names.h"

namespace yurana {

namespace {

// 2π as the original wrote it: 8·atan(1).
const double kTwoPi = 8.0 * std::atan(1.0);

}  // namespace

ParameterPanel::ParameterPanel(Panel& panel, ModelRecord& record, const RunState& run,
                               MessageBox& box, std::function<GraphSize()> graphSize)
    : panel_(panel), record_(record), run_(run), box_(box), graphSize_(std::move(graphSize)) {}

void ParameterPanel::dainyuu() {
    Panel& p = panel_;
    ModelRecord& r = record_;
    r.graphbairitu = p.text(ctl::Textgraphbairitu);
    r.jikanbairitu = num::strictDouble(p.text(ctl::Textjikanbairitu));
    r.k = num::strictSingle(p.text(ctl::Textk));
    r.m = num::strictSingle(p.text(ctl::Textm));
    r.c = num::strictSingle(p.text(ctl::Textc));
    r.wn = num::strictSingle(p.text(ctl::Textwn));
    if (p.text(ctl::Labelwd) != "***") {
        r.wd = num::strictSingle(p.text(ctl::Labelwd));
    }
    r.z = num::strictSingle(p.text(ctl::Textz));
    r.cc = num::strictSingle(p.text(ctl::Labelcc));
    r.xshoki = num::strictSingle(p.text(ctl::Textxshoki));
    r.vshoki = num::strictSingle(p.text(ctl::Textvshoki));
    r.t0 = num::strictSingle(p.text(ctl::Textt0));
    r.tmin = num::strictSingle(p.text(ctl::Texttmin));
    r.tmax = num::strictSingle(p.text(ctl::Texttmax));
    r.f = num::strictSingle(p.text(ctl::Textf));
    r.w = num::strictSingle(p.text(ctl::Textw));
    r.kabem = num::strictSingle(p.text(ctl::Textkabem));
    if (graphSize_) {
        GraphSize size = graphSize_();
        r.graphw = size.width;
        r.graphh = size.height;
    }
}

void ParameterPanel::keisan2() {
    Panel& p = panel_;
    // Each of the three tests reads its text, so a bad Textz fails even when Textwn ≤ 0.
    const bool wnPositive = num::lenient(p.text(ctl::Textwn)) > 0;
    const bool zNotNegative = num::lenient(p.text(ctl::Textz)) >= 0;
    const bool zBelowOne = num::lenient(p.text(ctl::Textz)) < 1;
    if (wnPositive && zNotNegative && zBelowOne) {
        double z = num::lenient(p.text(ctl::Textz));
        double s = num::sqrt(1.0 - num::mul(z, z));
        double wn = num::lenient(p.text(ctl::Textwn));
        record_.wd = num::strictSingle(num::formatFixed(num::mul(wn, s), 4));
        p.setText(ctl::Labelwd, num::singleText(record_.wd));
    } else {
        p.setText(ctl::Labelwd, "***");
        record_.wd = 0;
    }
    p.setText(ctl::Labelhz, frequencyText(p));
    p.showPanel();
}

void ParameterPanel::keisan_c1c2() {
    yurana::keisan_c1c2(record_);
}

void ParameterPanel::recompute() {
    recomputed_ = true;
    silently([this] { dainyuu(); });
    silently([this] { keisan2(); });
    silently([this] { keisan_c1c2(); });
}

void ParameterPanel::textChanged(std::string_view control) {
    if (control == ctl::Textwn || (control == ctl::Textz && run_.joutai != kRunning)) {
        recompute();
    }
}

void ParameterPanel::calculate() {
    Panel& p = panel_;
    try {
        double c = num::lenient(p.text(ctl::Textc));
        double m = num::lenient(p.text(ctl::Textm));
        double k = num::lenient(p.text(ctl::Textk));
        p.setText(ctl::Textz, num::formatFixed(num::div(c, 2.0 * num::sqrt(num::mul(k, m))), 4));
        m = num::lenient(p.text(ctl::Textm));
        k = num::lenient(p.text(ctl::Textk));
        p.setText(ctl::Textwn, num::formatFixed(num::sqrt(num::div(k, m)), 4));
        m = num::lenient(p.text(ctl::Textm));
        k = num::lenient(p.text(ctl::Textk));
        p.setText(ctl::Labelcc, num::formatFixed(2.0 * num::sqrt(num::mul(k, m)), 4));
    } catch (const calc_error&) {
        box_.show(kMsgBadValue);
        return;
    }
    recompute();
}

std::string frequencyText(const Panel& panel) {
    return num::formatFixed(num::strictDouble(panel.text(ctl::Textwn)) / kTwoPi, 4);
}

std::string summaryLine(int line, const Panel& panel, const ModelRecord& record) {
    switch (line) {
        case 1:
            return "固有振動周波数数f:";
        case 2:
            return frequencyText(panel) + "(Hz)" + record.gensui;
        case 4:
            return "臨海減衰係数cc:";
        case 5:
            return panel.text(ctl::Labelcc);
        case 7:
            return "減衰固有角振動数ωd:";
        case 8:
            return num::singleText(record.wd) + "(rad/sec)";
        case 10:
            return "c1:" + num::formatFixed(record.c1.value_or(0.0), 8);
        case 11:
            return "c2:" + num::formatFixed(record.c2, 8);
        default:
            return "";
    }
}

}  // namespace yurana
