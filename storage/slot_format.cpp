#include "storage/slot_format.h"

#include <optional>

#include "model/calc_error.h"
#include "model/numbers.h"
#include "panel/control_names.h"
#include "panel/panel_controls.h"

namespace yurana {

namespace {

// The file's line order. What a line holds (text, caption or check-box value) follows
// from its control's kind in the panel's design table.
// clang-format off
constexpr std::array<std::string_view, kSlotLineCount> kSlotControls = {
    ctl::Textk,             //  1 spring constant k
    ctl::Textc,             //  2 damping coefficient c
    ctl::Textm,             //  3 mass m
    ctl::Textz,             //  4 damping ratio ζ (recomputes when written)
    ctl::Textwn,            //  5 natural angular frequency ωn (recomputes)
    ctl::Labelcc,           //  6 critical damping coefficient Cc
    ctl::Labelwd,           //  7 ωd, may be "***"; restores what 4 and 5 rewrote
    ctl::Textt0,            //  8 time t0
    ctl::Labelhz,           //  9 natural frequency in Hz; likewise
    ctl::Textxshoki,        // 10 displacement at t0
    ctl::Textvshoki,        // 11 velocity at t0
    ctl::Texttmin,          // 12 start time
    ctl::Texttmax,          // 13 end time
    ctl::Texthenibairitu,   // 14 animation scale
    ctl::Textw,             // 15 excitation angular frequency ω
    ctl::Textf,             // 16 excitation force F
    ctl::Textkabem,         // 17 wall mass
    ctl::Textjikanbairitu,  // 18 time magnification
    ctl::Textgraphbairitu,  // 19 graph magnification
    ctl::Check1,            // 20 wall animation
    ctl::Checkheni,         // 21 curve: total displacement
    ctl::Checkxc,           // 22 curve: complementary solution
    ctl::Checkxp,           // 23 curve: particular solution
    ctl::Checkxcxp,         // 24 curve: complementary + particular
    ctl::Checkkabeheni,     // 25 curve: wall displacement
};
// clang-format on

SlotField fieldOf(std::string_view control) {
    const ControlDef* def = findControl(control);
    if (def != nullptr) {
        switch (def->kind) {
            case ControlKind::TextBox:
                return SlotField::Text;
            case ControlKind::ResultField:
                return SlotField::Caption;
            case ControlKind::CheckBox:
                return SlotField::Check;
            default:
                break;
        }
    }
    throw std::logic_error("not a slot control: " + std::string(control));
}

// A check-box line's value: its leading number to the nearest integer; nothing when
// that is not 0, 1 or 2 (or beyond any integer).
std::optional<int> checkValue(std::string_view text) {
    try {
        int v = num::nint(num::lenient(text));
        if (v >= 0 && v <= 2) {
            return v;
        }
    } catch (const calc_error&) {
        // A number beyond the Double or the integer range: not a check-box value.
    }
    return std::nullopt;
}

// A value as the user may see it in a message: at most 40 bytes, cut between characters.
std::string shortened(std::string_view text) {
    constexpr std::size_t kMax = 40;
    if (text.size() <= kMax) {
        return std::string(text);
    }
    std::size_t cut = kMax;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0u) == 0x80u) {
        --cut;  // not inside a UTF-8 character
    }
    return std::string(text.substr(0, cut)) + "…";
}

// Length in UTF-16 code units, as a text box counts it.
std::size_t utf16Length(std::string_view utf8) {
    std::size_t n = 0;
    for (char c : utf8) {
        auto b = static_cast<unsigned char>(c);
        if ((b & 0xC0u) != 0x80u) {
            n += b >= 0xF0 ? 2 : 1;  // a 4-byte character is a surrogate pair
        }
    }
    return n;
}

}  // namespace

const std::array<SlotLine, kSlotLineCount>& slotLines() {
    static const std::array<SlotLine, kSlotLineCount> lines = [] {
        std::array<SlotLine, kSlotLineCount> out{};
        for (std::size_t i = 0; i < kSlotLineCount; ++i) {
            out[i] = {kSlotControls[i], fieldOf(kSlotControls[i])};
        }
        return out;
    }();
    return lines;
}

std::string slotLineCaption(int line) {
    std::string_view control = kSlotControls.at(static_cast<std::size_t>(line - 1));
    for (const ControlDef& c : panelControls()) {
        if (c.buddy == control || (c.name == control && c.kind == ControlKind::CheckBox)) {
            return std::string(c.text);
        }
    }
    return std::string(control);
}

std::string slotFileName(int n) {
    return "yuran" + std::to_string(n) + ".txt";
}

SlotValues parseSlot(const std::vector<std::string>& lines) {
    if (lines.size() < kSlotLineCount) {
        throw slot_format_error("行が足りません（" + std::to_string(kSlotLineCount) +
                                "行必要ですが、" + std::to_string(lines.size()) +
                                "行しかありません）。");
    }
    SlotValues values;
    for (std::size_t i = 0; i < kSlotLineCount; ++i) {
        values.texts[i] = lines[i];
        if (utf16Length(lines[i]) > kSlotMaxTextLength) {
            throw slot_format_error(std::to_string(i + 1) + "行目が長すぎます（" +
                                    std::to_string(kSlotMaxTextLength) + "文字を超えています）。");
        }
        if (slotLines()[i].field != SlotField::Check) {
            continue;
        }
        std::optional<int> v = checkValue(lines[i]);
        if (!v) {
            int line = static_cast<int>(i + 1);
            throw slot_format_error(std::to_string(line) + "行目（" + slotLineCaption(line) +
                                    "）のチェックボックスの値「" + shortened(lines[i]) +
                                    "」が0、1、2のどれでもありません。");
        }
        values.checks[i] = *v;
    }
    return values;
}

std::vector<std::string> readSlotValues(const Panel& panel) {
    std::vector<std::string> values;
    for (const SlotLine& line : slotLines()) {
        values.push_back(line.field == SlotField::Check ? std::to_string(panel.value(line.control))
                                                        : panel.text(line.control));
    }
    return values;
}

void checkSlotValues(const std::vector<std::string>& values) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (utf16Length(values[i]) > kSlotMaxTextLength) {
            throw slot_format_error("「" + slotLineCaption(static_cast<int>(i + 1)) +
                                    "」の値が長すぎるため、保存できません。");
        }
    }
}

void storeSlotValues(Panel& panel, const SlotValues& values) {
    for (std::size_t i = 0; i < kSlotLineCount; ++i) {
        const SlotLine& line = slotLines()[i];
        if (line.field == SlotField::Check) {
            panel.setValue(line.control, values.checks[i]);
        } else {
            panel.setText(line.control, values.texts[i]);
        }
    }
}

}  // namespace yurana
