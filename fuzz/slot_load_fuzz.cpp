// Loading a slot whose file holds any bytes, through the real load (Slots::yomikomi,
// the file's lines split and decoded as on disk, parseSlot, storeSlotValues) into a
// panel wired to the parameter panel's change handling, as in the program.
//
// What must hold: the load either puts all 25 values into the panel (text lines as
// read, check-box lines as their nearest integer, 0, 1 or 2) and shows nothing, or
// shows one message and leaves every control but the run button as it was. Which of
// the two is decided here from the file's lines independently of parseSlot.

#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "memory_files.h"
#include "model/numbers.h"
#include "panel/control_names.h"
#include "storage/slot_format.h"
#include "storage/slot_messages.h"
#include "storage/slots.h"
#include "support/fake_panel.h"
#include "utf8.h"

namespace {

using namespace yurana;

// Every control but the run button, which a load sets whether or not the file loads.
std::vector<test::FakePanel::Control> snapshot(const test::FakePanel& panel) {
    std::vector<test::FakePanel::Control> s = panel.controls();
    s.erase(s.begin() + (findControl(ctl::Command2) - panelControls().data()));
    return s;
}

// The check-box value of a line, or -1 when the line cannot be one.
int checkBoxValue(const std::string& line) {
    try {
        double v = num::lenient(line);
        if (v >= -0.5 && v <= 2.5) {
            int r = num::nint(v);
            return r >= 0 && r <= 2 ? r : -1;
        }
    } catch (const calc_error&) {
    }
    return -1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const int slot = static_cast<int>(size % kSlotCount);
    std::string bytes(reinterpret_cast<const char*>(data), size);

    fuzz::Program program;
    auto& [panel, record, run, box, form] = program;
    run.joutai = kRunning;
    fuzz::MemoryFiles files;
    Slots slots{panel, run, box, files, "/slots"};
    files.files[slots.path(slot)] = bytes;

    // What the file should give, from its lines.
    std::vector<std::string> lines;
    bool loadable = true;
    try {
        lines = decodeLines(bytes, kSlotLineCount, kSlotMaxLineBytes, slots.path(slot));
    } catch (const file_error&) {
        loadable = false;
    }
    loadable = loadable && lines.size() == kSlotLineCount;
    for (std::size_t i = 0; loadable && i < kSlotLineCount; ++i) {
        loadable = fuzz::utf16Units(lines[i]) <= kSlotMaxTextLength &&
                   (slotLines()[i].field != SlotField::Check || checkBoxValue(lines[i]) >= 0);
    }

    const auto before = snapshot(panel);
    slots.yomikomi(slot);

    FUZZ_CHECK(run.joutai == kStopped && panel.text(ctl::Command2) == "開始");
    if (!loadable) {
        FUZZ_CHECK(box.texts.size() == 1 && box.titles[0] == loadTitle(slot));
        FUZZ_CHECK(snapshot(panel) == before);
        return 0;
    }
    FUZZ_CHECK(box.texts.empty());
    for (std::size_t i = 0; i < kSlotLineCount; ++i) {
        const SlotLine& line = slotLines()[i];
        if (line.field == SlotField::Check) {
            FUZZ_CHECK(panel.value(line.control) == checkBoxValue(lines[i]));
        } else {
            FUZZ_CHECK(panel.text(line.control) == lines[i]);
        }
    }
    return 0;
}
