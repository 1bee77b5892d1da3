#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/panel.h"

namespace yurana {

// The slot file yuranN.txt: 25 lines, one panel value each, in this table's order.
inline constexpr std::size_t kSlotLineCount = 25;
inline constexpr int kSlotCount = 5;  // slots 0..4
// A text box holds at most 32767 characters (UTF-16 code units); a longer line would
// be cut short in the panel, so it is refused.
inline constexpr std::size_t kSlotMaxTextLength = 32767;
// Longest line read or written, in bytes: room for 32767 characters in any encoding.
inline constexpr std::size_t kSlotMaxLineBytes = 128 * 1024;

enum class SlotField {
    Text,     // a text box's Text
    Caption,  // a result label's Caption
    Check,    // a check box's Value as a decimal integer: 0 clear, 1 ticked, 2 greyed
};

struct SlotLine {
    std::string_view control;
    SlotField field;
};

// Lines 1..25 of the slot file.
const std::array<SlotLine, kSlotLineCount>& slotLines();

// The caption the panel shows for a line's control ("バネ定数k(N/m)", "壁のアニメーション").
std::string slotLineCaption(int line);

// "yuranN.txt".
std::string slotFileName(int n);

// A slot file whose lines cannot be loaded; what() is the problem, for the user.
class slot_format_error : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The checked contents of a slot file: line i of the table as text, and for check-box
// lines also as the value to set.
struct SlotValues {
    std::array<std::string, kSlotLineCount> texts;
    std::array<int, kSlotLineCount> checks{};
};

// Checks a slot file's lines before anything is stored: at least 25 lines (later ones
// ignored); none longer than kSlotMaxTextLength; every check-box line's leading number (lenient
// reading, nint with halves to even) is 0, 1 or 2. Throws slot_format_error.
SlotValues parseSlot(const std::vector<std::string>& lines);

// The 25 values the panel shows now, in table order, untouched.
std::vector<std::string> readSlotValues(const Panel& panel);

// Refuses (slot_format_error) a value longer than a text box can take back.
void checkSlotValues(const std::vector<std::string>& values);

// Puts the 25 values into the panel in table order: a text box's write raises its
// change handling, as an edit does.
void storeSlotValues(Panel& panel, const SlotValues& values);

}  // namespace yurana
