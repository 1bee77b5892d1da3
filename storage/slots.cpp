#include "storage/slots.h"

#include <optional>
#include <stdexcept>

#include "panel/run_buttons.h"
#include "storage/slot_format.h"
#include "storage/slot_messages.h"

namespace yurana {

namespace {

// Runs a save's or a load's file step: the problem that stopped it, in the user's words
// (a file problem as `fileProblem` words it for that direction), or nothing.
template <class Step>
std::optional<std::string> problemOf(Step step, std::string (*fileProblem)(const file_error&)) {
    try {
        step();
    } catch (const file_error& e) {
        return fileProblem(e);
    } catch (const slot_format_error& e) {
        return e.what();
    }
    return std::nullopt;
}

}  // namespace

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
    std::optional<std::string> problem = problemOf(
        [&] {
            std::vector<std::string> values = readSlotValues(panel_);
            checkSlotValues(values);
            if (!folder_.empty()) {
                files_.makeFolders(folder_);  // the user's data folder on the first save
            }
            files_.writeLines(file, values, kSlotMaxLineBytes);
        },
        saveProblem);
    box_.show(problem ? saveFailedText(n, file, *problem) : saveDoneText(n), saveTitle(n));
}

void Slots::yomikomi(int n) {
    // The run stops first, whether or not the file then loads.
    stopRun(panel_, run_);
    std::string file = path(n);
    SlotValues values;
    std::optional<std::string> problem = problemOf(
        [&] { values = parseSlot(files_.readLines(file, kSlotLineCount, kSlotMaxLineBytes)); },
        loadProblem);
    if (problem) {
        box_.show(loadFailedText(n, file, *problem), loadTitle(n));
        return;
    }
    storeSlotValues(panel_, values);
}

}  // namespace yurana
