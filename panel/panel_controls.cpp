#include "panel/panel_controls.h"

#include <array>
#include <stdexcept>

#include "panel/control_names.h"

namespace yurana {

namespace {

using K = ControlKind;
using F = ControlFont;
using A = PanelAction;

constexpr unsigned kRed = 0xFF0000;
constexpr unsigned kGreen = 0x008000;
constexpr unsigned kBlue = 0x0000FF;
constexpr unsigned kYellow = 0xFFFF00;

// A button in the panel's own font and colour, with what it does.
constexpr ControlDef button(std::string_view name, std::string_view caption, int left, int top,
                            int width, int height, PanelAction action, int slot = -1,
                            ControlFont font = ControlFont::Default) {
    return {ControlKind::Button, name, caption, left,   top, width, height, font,
            0xFFFFFFFF,          {},   {},      action, slot};
}

// clang-format off
constexpr std::array kControls = {
    // Caption labels lab(0..18) and their fields.
    ControlDef{K::CaptionLabel, ctl::lab[0], "バネ定数k(N/m)", 1920, 120, 2415, 255, F::Default, 0xFFFFFFFF, {}, ctl::Textk},
    ControlDef{K::CaptionLabel, ctl::lab[1], "減衰係数c(Ns/m)", 6360, 120, 1935, 255, F::PGothic12, 0xFFFFFFFF, {}, ctl::Textc},
    ControlDef{K::CaptionLabel, ctl::lab[2], "質量m(kg)", 1920, 600, 2415, 255, F::Default, 0xFFFFFFFF, {}, ctl::Textm},
    ControlDef{K::CaptionLabel, ctl::lab[3], "減衰比ζ", 1800, 1200, 2535, 255, F::Default, 0xFFFFFFFF, {}, ctl::Textz},
    ControlDef{K::CaptionLabel, ctl::lab[4], "固有角振動数ωn(rad/s)", 5880, 1200, 2535, 255, F::Default, 0xFFFFFFFF, {}, ctl::Textwn},
    ControlDef{K::CaptionLabel, ctl::lab[5], "臨界減衰係数Cc(N/m)", 1800, 1680, 2535, 255, F::Default, 0xFFFFFFFF, {}, ctl::Labelcc},
    ControlDef{K::CaptionLabel, ctl::lab[6], "減衰固有角振動数ωd (rad/s)", 6000, 1680, 2415, 255, F::Default, 0xFFFFFFFF, {}, ctl::Labelwd},
    ControlDef{K::CaptionLabel, ctl::lab[7], "時間t0(s)", 1800, 2160, 2535, 255, F::Default, 0xFFFFFFFF, {}, ctl::Textt0},
    ControlDef{K::CaptionLabel, ctl::lab[8], "固有振動数(Hz)", 6720, 2160, 1695, 255, F::Default, 0xFFFFFFFF, {}, ctl::Labelhz},
    ControlDef{K::CaptionLabel, ctl::lab[9], "t0における変位(m)", 1800, 2640, 2535, 255, F::Default, 0xFFFFFFFF, {}, ctl::Textxshoki},
    ControlDef{K::CaptionLabel, ctl::lab[10], "t0における速度(m/s)", 6720, 2640, 1695, 255, F::PGothic12, 0xFFFFFFFF, {}, ctl::Textvshoki},
    ControlDef{K::CaptionLabel, ctl::lab[11], "開始時間(s)", 1680, 3120, 2655, 255, F::Default, 0xFFFFFFFF, {}, ctl::Texttmin},
    ControlDef{K::CaptionLabel, ctl::lab[12], "終了時間(s)", 7080, 3120, 1335, 255, F::PGothic12, 0xFFFFFFFF, {}, ctl::Texttmax},
    ControlDef{K::CaptionLabel, ctl::lab[13], "倍率(m/ピクセル)", 1680, 3600, 2655, 255, F::Default, 0xFFFFFFFF, {}, ctl::Texthenibairitu},
    ControlDef{K::CaptionLabel, ctl::lab[14], "グラフ倍率", 6360, 5520, 2055, 255, F::PGothic12, 0xFFFFFFFF, {}, ctl::Textgraphbairitu},
    ControlDef{K::CaptionLabel, ctl::lab[15], "励振力角振動数ω(rad/s)", 5640, 3600, 2775, 255, F::Default, 0xFFFFFFFF, {}, ctl::Textw},
    ControlDef{K::CaptionLabel, ctl::lab[16], "励振力F(N)", 5640, 4080, 2775, 255, F::Default, 0xFFFFFFFF, {}, ctl::Textf},
    ControlDef{K::CaptionLabel, ctl::lab[17], "壁の質量(kg)", 5640, 4560, 2775, 255, F::Default, 0xFFFFFFFF, {}, ctl::Textkabem},
    ControlDef{K::CaptionLabel, ctl::lab[18], "時間倍率", 5640, 5040, 2775, 255, F::Default, 0xFFFFFFFF, {}, ctl::Textjikanbairitu},

    ControlDef{K::TextBox, ctl::Textk, "1000", 4290, 0, 1335, 375, F::PGothic12},
    ControlDef{K::TextBox, ctl::Textc, "1", 8400, 0, 1335, 375, F::PGothic12},
    ControlDef{K::TextBox, ctl::Textm, "1", 4320, 480, 1335, 375, F::PGothic12},
    button(ctl::Command_keisan, "計算", 8400, 480, 1335, 375, A::Calculate),
    ControlDef{K::TextBox, ctl::Textz, "0.0158", 4320, 1080, 1335, 375, F::PGothic12},
    ControlDef{K::TextBox, ctl::Textwn, "31.6228", 8430, 1080, 1335, 375, F::PGothic12},
    ControlDef{K::ResultField, ctl::Labelcc, "63.2456", 4320, 1560, 1335, 375, F::PGothic12},
    ControlDef{K::ResultField, ctl::Labelwd, "31.6189", 8400, 1560, 1335, 375, F::PGothic12},
    ControlDef{K::TextBox, ctl::Textt0, "0", 4320, 2040, 1335, 375, F::PGothic12},
    ControlDef{K::ResultField, ctl::Labelhz, "5.0329", 8400, 2040, 1335, 375, F::PGothic12},
    ControlDef{K::TextBox, ctl::Textxshoki, "0.05", 4320, 2520, 1335, 375, F::PGothic12},
    ControlDef{K::TextBox, ctl::Textvshoki, "0", 8400, 2520, 1335, 375, F::PGothic12},
    ControlDef{K::TextBox, ctl::Texttmin, "0", 4320, 3000, 1335, 375, F::PGothic12},
    ControlDef{K::TextBox, ctl::Texttmax, "20", 8400, 3000, 1335, 375, F::PGothic12},
    ControlDef{K::TextBox, ctl::Texthenibairitu, "1000", 4320, 3480, 1335, 375, F::PGothic12},
    ControlDef{K::TextBox, ctl::Textw, "2", 8400, 3480, 1335, 375, F::PGothic12},
    ControlDef{K::TextBox, ctl::Textf, "3", 8400, 3960, 1335, 375, F::PGothic12},
    ControlDef{K::TextBox, ctl::Textkabem, "1000", 8400, 4440, 1335, 375, F::PGothic12},
    ControlDef{K::TextBox, ctl::Textjikanbairitu, "1", 8400, 4920, 1335, 375, F::PGothic12},
    ControlDef{K::TextBox, ctl::Textgraphbairitu, "1000", 8400, 5400, 1335, 375, F::PGothic12},

    // Run controls in the left column.
    button(ctl::Command2, "開始", 240, 330, 1335, 705, A::StartStop),
    button(ctl::Command6, "一時停止", 240, 1050, 1335, 405, A::Pause),
    button(ctl::Command5, "クリア", 240, 1470, 1335, 405, A::Clear),
    button(ctl::Command3, "変更", 240, 1860, 1335, 405, A::ApplyChanges),
    button(ctl::Command1, "終了", 240, 2250, 1335, 405, A::Quit),
    button(ctl::Command4, "FullScreen", 240, 2670, 1335, 405, A::EnterFullScreen),
    button(ctl::cmdtest, "about", 240, 3090, 1335, 405, A::OpenAbout, -1, F::PGothic9),
    ControlDef{K::TextBox, ctl::Texttest, "Text1", 240, 3540, 1335, 375},

    // Display options.
    ControlDef{K::Frame, ctl::Frame1, "壁のアニメーションとグラフの描写の設定", 360, 3990, 5235, 2385, F::PGothic9},
    ControlDef{K::CheckBox, ctl::Checkkabeheni, "グラフの描写(壁の変位)", 360, 2040, 3525, 270, F::Gothic9Bold, 0xFFFFFFFF, ctl::Frame1},
    ControlDef{K::Label, ctl::Label23, "", 3600, 480, 855, 375, F::Default, 0xFFFFFFFF, ctl::Frame1},
    ControlDef{K::CheckBox, ctl::Check1, "壁のアニメーション", 720, 4230, 3495, 255, F::Gothic9},
    ControlDef{K::CheckBox, ctl::Checkheni, "グラフの描写(全変位)", 720, 4590, 3495, 255, F::Gothic9Bold, kRed},
    ControlDef{K::CheckBox, ctl::Checkxc, "グラフの描写(余関数)", 720, 4950, 3495, 255, F::Gothic9Bold, kGreen},
    ControlDef{K::CheckBox, ctl::Checkxp, "グラフの描写(特殊解)", 720, 5310, 3495, 255, F::Gothic9Bold, kBlue},
    ControlDef{K::CheckBox, ctl::Checkxcxp, "グラフの描写(余関数+特殊解)", 720, 5670, 3495, 255, F::Gothic9Bold, kYellow},

    // Slots.
    button(ctl::Cmd_Load[0], "Load0", 5700, 5850, 793, 270, A::LoadSlot, 0),
    button(ctl::Cmd_Load[1], "Load1", 6510, 5850, 793, 270, A::LoadSlot, 1),
    button(ctl::Cmd_Load[2], "Load2", 7320, 5850, 793, 270, A::LoadSlot, 2),
    button(ctl::Cmd_Load[3], "Load3", 8130, 5850, 793, 270, A::LoadSlot, 3),
    button(ctl::Cmd_Load[4], "Load4", 8940, 5850, 793, 270, A::LoadSlot, 4),
    button(ctl::Cmd_Save[0], "Save0", 5700, 6120, 793, 270, A::SaveSlot, 0),
    button(ctl::Cmd_Save[1], "Save1", 6510, 6120, 793, 270, A::SaveSlot, 1),
    button(ctl::Cmd_Save[2], "Save2", 7320, 6120, 793, 270, A::SaveSlot, 2),
    button(ctl::Cmd_Save[3], "Save3", 8130, 6120, 793, 270, A::SaveSlot, 3),
    button(ctl::Cmd_Save[4], "Save4", 8940, 6120, 793, 270, A::SaveSlot, 4),

    // Scroll bars and the rule under the first rows.
    ControlDef{K::VScrollBar, ctl::VScroll1, "", 9960, 30, 375, 7095},
    ControlDef{K::HScrollBar, ctl::HScroll1, "", 0, 6720, 9855, 375},
    ControlDef{K::Line, ctl::Line2, "", 1800, 960, 9720, 960},
};
// clang-format on

}  // namespace

std::span<const ControlDef> panelControls() {
    return kControls;
}

const ControlDef* findControl(std::string_view name) {
    for (const ControlDef& c : kControls) {
        if (c.name == name) {
            return &c;
        }
    }
    return nullptr;
}

const ControlDef& findButton(PanelAction action, int slot) {
    for (const ControlDef& c : kControls) {
        if (c.kind == ControlKind::Button && c.action == action && c.slot == slot) {
            return c;
        }
    }
    throw std::logic_error("no panel button for this action");
}

}  // namespace yurana
