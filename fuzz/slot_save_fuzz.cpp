// Saving any 25 panel values and loading them back, through the real save and load
// (Slots::hozon and Slots::yomikomi over slot files in memory with the disk's encoding).
//
// Input: the values of lines 1..25 separated by LF (missing ones empty); a check-box
// line's value is its first byte modulo 3. What must hold:
//
// - Values a text box can hold (well-formed UTF-8, no control character but TAB, at most
//   32767 UTF-16 units) are saved, and a load into a fresh panel gives every one of them
//   back byte for byte; saving that panel again writes the same file.
// - Any other value may be refused: then one message says the save failed and the file
//   keeps its earlier content.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "memory_files.h"
#include "storage/slot_format.h"
#include "storage/slot_messages.h"
#include "storage/slots.h"
#include "support/fake_panel.h"
#include "utf8.h"

namespace {

using namespace yurana;
using fuzz::Program;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> values(kSlotLineCount);
    for (std::size_t i = 0; i < kSlotLineCount && !input.empty(); ++i) {
        std::size_t lf = input.find('\n');
        values[i] = std::string(input.substr(0, lf));
        input.remove_prefix(lf == std::string_view::npos ? input.size() : lf + 1);
    }
    const int slot = static_cast<int>(size % kSlotCount);

    fuzz::MemoryFiles files;
    Program saver;
    Slots saving{saver.panel, saver.run, saver.box, files, "/slots"};
    const std::string path = saving.path(slot);
    const std::string earlier = "earlier\r\n";
    files.files[path] = earlier;

    bool typeable = true;
    for (std::size_t i = 0; i < kSlotLineCount; ++i) {
        const SlotLine& line = slotLines()[i];
        if (line.field == SlotField::Check) {
            int v = values[i].empty() ? 0 : static_cast<unsigned char>(values[i][0]) % 3;
            values[i] = std::to_string(v);
            saver.panel.setValue(line.control, v);
        } else {
            saver.panel.preset(line.control, values[i]);
            typeable = typeable && fuzz::wellFormedUtf8(values[i]) &&
                       !fuzz::hasControl(values[i]) &&
                       fuzz::utf16Units(values[i]) <= kSlotMaxTextLength;
        }
    }

    saving.hozon(slot);
    FUZZ_CHECK(saver.box.texts.size() == 1 && saver.box.titles[0] == saveTitle(slot));
    if (saver.box.texts[0] != saveDoneText(slot)) {
        FUZZ_CHECK(!typeable);
        FUZZ_CHECK(files.files.at(path) == earlier);
        return 0;
    }
    const std::string written = files.files.at(path);

    Program loader;
    Slots loading{loader.panel, loader.run, loader.box, files, "/slots"};
    loading.yomikomi(slot);
    FUZZ_CHECK(loader.box.texts.empty());
    FUZZ_CHECK(readSlotValues(loader.panel) == values);

    loading.hozon(slot);
    FUZZ_CHECK(loader.box.texts.size() == 1 && loader.box.texts[0] == saveDoneText(slot));
    FUZZ_CHECK(files.files.at(path) == written);
    return 0;
}
