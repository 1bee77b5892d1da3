#include "storage/slots.h"

#include <stdexcept>

#include "panel/run_buttons.h"
#include "storage/slot_format.h"
#include "storage/slot_messages.h"

namespace yurana {

Slots::Slots(Panel& panel, RunState& run, MessageBox& box, Files& files, std::string folder)
    : panel_(panel), run_(run), box_(box), files_(files), folder_(std::move(folder)) {
    while (folder_.size() > 1 && folder_.back() == '/') {
        folder_.pop_back();
    }
}

std::string Slots::path(int n) const {
    if (n < 0 || n >= kSlotCount) {
        throw std::out_of_range("slot number " + std::to_string(n));
    }
    if (folder_.empty()) {
        return "./" + slotFileName(n);
    }
    return folder_ + (folder_ == "/" ? "" : "/") + slotFileName(n);
}

void Slots::hozon(int n) {
    std::string file = path(n);
    try {
        std::vector<std::string> values = readSlotValues(panel_);
        checkSlotValues(values);
        files_.writeLines(file, values, kSlotMaxLineBytes);
    } catch (const file_error& e) {
        box_.show(saveFailedText(n, file, saveProblem(e)), saveTitle(n));
        return;
    } catch (const slot_format_error& e) {
        box_.show(saveFailedText(n, file, e.what()), saveTitle(n));
        return;
    }
    box_.show(saveDoneText(n), saveTitle(n));
}

void Slots::yomikomi(int n) {
    // The run stops first, whether or not the file then loads.
    stopRun(panel_, run_);
    std::string file = path(n);
    SlotValues values;
    try {
        values = parseSlot(files_.readLines(file, kSlotLineCount, kSlotMaxLineBytes));
    } catch (const file_error& e) {
        box_.show(loadFailedText(n, file, loadProblem(e)), loadTitle(n));
        return;
    } catch (const slot_format_error& e) {
        box_.show(loadFailedText(n, file, e.what()), loadTitle(n));
        return;
    }
    storeSlotValues(panel_, values);
}

}  // namespace yurana
