#pragma once

#include <array>

namespace yurana::ctl {

// The names of the windows and of the parameter panel's controls, each written once: a
// misspelt name is a compile error, not a lookup that fails at run time. Each constant is
// named as its control, so a search for the name finds every use; the comment gives the
// caption (or, for a field, the caption of the label that names it). They are plain
// character arrays so that both the panel (std::string_view) and Qt's object lookups
// (const char*) take them as they are.

// Windows (object names).
inline constexpr char form0[] = "form0";        // the animation
inline constexpr char Form1[] = "Form1";        // the parameter panel
inline constexpr char Form2[] = "Form2";        // full screen
inline constexpr char Form3[] = "Form3";        // the graph
inline constexpr char MDIForm1[] = "MDIForm1";  // the frame
inline constexpr char frmAbout[] = "frmAbout";  // ﾊﾞｰｼﾞｮﾝ情報

// Caption labels lab(0..18), in the order of the control array.
inline constexpr std::array<const char*, 19> lab = {
    "lab0",  "lab1",  "lab2",  "lab3",  "lab4",  "lab5",  "lab6",  "lab7",  "lab8",  "lab9",
    "lab10", "lab11", "lab12", "lab13", "lab14", "lab15", "lab16", "lab17", "lab18",
};

// Fields of the model.
inline constexpr char Textk[] = "Textk";            // バネ定数k(N/m)
inline constexpr char Textc[] = "Textc";            // 減衰係数c(Ns/m)
inline constexpr char Textm[] = "Textm";            // 質量m(kg)
inline constexpr char Textz[] = "Textz";            // 減衰比ζ
inline constexpr char Textwn[] = "Textwn";          // 固有角振動数ωn(rad/s)
inline constexpr char Labelcc[] = "Labelcc";        // 臨界減衰係数Cc(N/m), not editable
inline constexpr char Labelwd[] = "Labelwd";        // 減衰固有角振動数ωd (rad/s), likewise
inline constexpr char Textt0[] = "Textt0";          // 時間t0(s)
inline constexpr char Labelhz[] = "Labelhz";        // 固有振動数(Hz), likewise
inline constexpr char Textxshoki[] = "Textxshoki";  // t0における変位(m)
inline constexpr char Textvshoki[] = "Textvshoki";  // t0における速度(m/s)
inline constexpr char Texttmin[] = "Texttmin";      // 開始時間(s)
inline constexpr char Texttmax[] = "Texttmax";      // 終了時間(s)
inline constexpr char Texthenibairitu[] = "Texthenibairitu";    // 倍率(m/ピクセル)
inline constexpr char Textgraphbairitu[] = "Textgraphbairitu";  // グラフ倍率
inline constexpr char Textw[] = "Textw";                        // 励振力角振動数ω(rad/s)
inline constexpr char Textf[] = "Textf";                        // 励振力F(N)
inline constexpr char Textkabem[] = "Textkabem";                // 壁の質量(kg)
inline constexpr char Textjikanbairitu[] = "Textjikanbairitu";  // 時間倍率

// Buttons.
inline constexpr char Command_keisan[] = "Command_keisan";  // 計算
inline constexpr char Command2[] = "Command2";              // 開始 / 停止
inline constexpr char Command6[] = "Command6";              // 一時停止 / 再開
inline constexpr char Command5[] = "Command5";              // クリア
inline constexpr char Command3[] = "Command3";              // 変更
inline constexpr char Command1[] = "Command1";              // 終了
inline constexpr char Command4[] = "Command4";              // FullScreen
inline constexpr char cmdtest[] = "cmdtest";                // about
inline constexpr std::array<const char*, 5> Cmd_Load = {"Cmd_Load0", "Cmd_Load1", "Cmd_Load2",
                                                        "Cmd_Load3", "Cmd_Load4"};  // Load0..4
inline constexpr std::array<const char*, 5> Cmd_Save = {"Cmd_Save0", "Cmd_Save1", "Cmd_Save2",
                                                        "Cmd_Save3", "Cmd_Save4"};  // Save0..4

// The pass counter box under the buttons (Text1 at design).
inline constexpr char Texttest[] = "Texttest";

// Display options.
inline constexpr char Frame1[] = "Frame1";  // 壁のアニメーションとグラフの描写の設定
inline constexpr char Checkkabeheni[] = "Checkkabeheni";  // グラフの描写(壁の変位), inside Frame1
inline constexpr char Label23[] = "Label23";              // empty, inside Frame1
inline constexpr char Check1[] = "Check1";                // 壁のアニメーション
inline constexpr char Checkheni[] = "Checkheni";          // グラフの描写(全変位)
inline constexpr char Checkxc[] = "Checkxc";              // グラフの描写(余関数)
inline constexpr char Checkxp[] = "Checkxp";              // グラフの描写(特殊解)
inline constexpr char Checkxcxp[] = "Checkxcxp";          // グラフの描写(余関数+特殊解)

// Scroll bars and the rule under the first rows.
inline constexpr char VScroll1[] = "VScroll1";
inline constexpr char HScroll1[] = "HScroll1";
inline constexpr char Line2[] = "Line2";

}  // namespace yurana::ctl
