#pragma once

#include <span>
#include <string_view>

#include "platform/geometry.h"

namespace yurana {

// The controls of the parameter panel Form1 as designed: names, captions, default
// texts, places in panel units (kPanelUnitX, kPanelUnitY, from the top-left of the
// client area) and fonts.
enum class ControlKind {
    TextBox,
    CaptionLabel,  // the control array lab(0..18)
    ResultField,   // Labelcc, Labelwd, Labelhz: captions, not editable
    Label,         // Label23
    Button,
    CheckBox,
    Frame,
    VScrollBar,
    HScrollBar,
    Line,
};

enum class ControlFont {
    Default,      // the panel's font: "ＭＳ Ｐゴシック" 9 pt
    PGothic12,    // "ＭＳ Ｐゴシック" 12 pt
    PGothic9,     // "ＭＳ Ｐゴシック" 9 pt
    Gothic9Bold,  // "ＭＳ ゴシック" 9 pt bold
    Gothic9,      // "ＭＳ ゴシック" 9 pt
};

// What pressing a button does. Every button of the panel has one; the slot buttons also
// name their slot (ControlDef::slot).
enum class PanelAction {
    None,             // not a button
    Calculate,        // 計算
    StartStop,        // 開始 / 停止
    Pause,            // 一時停止 / 再開
    Clear,            // クリア
    ApplyChanges,     // 変更
    Quit,             // 終了
    EnterFullScreen,  // FullScreen
    OpenAbout,        // about
    LoadSlot,         // Load0..4
    SaveSlot,         // Save0..4
};

struct ControlDef {
    ControlKind kind;
    std::string_view name;         // objectName; arrays as name + index ("lab3", "Cmd_Save0")
    std::string_view text;         // caption or default text
    int left, top, width, height;  // panel units; a Line holds X1, Y1, X2, Y2
    ControlFont font = ControlFont::Default;
    unsigned color = 0xFFFFFFFF;   // caption colour 0xRRGGBB; 0xFFFFFFFF: default
    std::string_view parent = {};  // "Frame1" for the controls inside the frame
    std::string_view buddy = {};   // the field a caption label names
    PanelAction action = PanelAction::None;
    int slot = -1;  // 0..4 for LoadSlot and SaveSlot
};

std::span<const ControlDef> panelControls();
const ControlDef* findControl(std::string_view name);
// The button that does `action` (for the slot actions, that of `slot`).
const ControlDef& findButton(PanelAction action, int slot = -1);

// Client area of the panel at design, in twips.
inline constexpr int kPanelDesignWidthTwips = 10350;
inline constexpr int kPanelDesignHeightTwips = 7635;

}  // namespace yurana
