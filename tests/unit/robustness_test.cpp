// Saves cut short by killing the saving process.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <ctime>
#include <random>
#include <thread>
#include <utility>

#include "platform/posix/posix_files.h"
#include "storage/slot_format.h"
#include "storage/slot_messages.h"
#include "storage/slots.h"
#include "support/fake_panel.h"
#include "support/temp_folder.h"

namespace yurana {
namespace {

using namespace std::chrono_literals;
using test::readBytes;

// A panel with its run state, message box and slots on real files in `folder`.
struct SlotBench {
    explicit SlotBench(const std::string& folder) : slots(panel, run, box, files, folder) {}
    void show(const std::vector<std::string>& values) { storeSlotValues(panel, parseSlot(values)); }
    test::FakePanel panel;
    RunState run{kStopped};
    test::RecordingMessageBox box;
    PosixFiles files;
    Slots slots;
};

// A save killed at any moment (SIGKILL, the closest a test comes to a power cut) leaves
// each slot file with its old or its new content, and nothing that stops a later save.
TEST(SaveCutShort, KilledSavesLeaveOldOrNewContentAndLaterSavesWork) {
    test::TempFolder folder;
    // The second content differs in every line and is long, so that a file cut short or
    // mixed cannot pass for either.
    std::vector<std::string> contents[2] = {readSlotValues(SlotBench(folder.path()).panel), {}};
    for (std::size_t i = 0; i < kSlotLineCount; ++i) {
        contents[1].push_back(slotLines()[i].field == SlotField::Check
                                  ? std::to_string(1 + i % 2)
                                  : "値" + std::to_string(i) + std::string(1000, 'x'));
    }
    SlotBench parent(folder.path());
    auto saveAll = [&](const std::vector<std::string>& values) {
        parent.show(values);
        for (int n = 0; n < kSlotCount; ++n) {
            parent.slots.hozon(n);
        }
        return readBytes(parent.slots.path(0));
    };
    const std::string second = saveAll(contents[1]);
    const std::string first = saveAll(contents[0]);

    // Saves started and finished by the child, and how long its first save took, in memory
    // shared with it. The child times itself: a forked process (above all one under the
    // sanitizers) saves far slower than its parent at first.
    void* shared = ::mmap(nullptr, 3 * sizeof(std::atomic<long>), PROT_READ | PROT_WRITE,
                          MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(shared, MAP_FAILED);
    auto* const started = new (shared) std::atomic<long>[3] {};
    std::atomic<long>& finished = started[1];
    std::atomic<long>& firstSaveMicros = started[2];
    std::mt19937 random(20261207);
    constexpr int kKills = 200;
    int killedMidSave = 0;
    int replaced = 0;  // slot files a child changed before it was killed
    std::vector<std::string> previous(kSlotCount, first);
    for (int k = 0; k < kKills; ++k) {
        *started = finished = firstSaveMicros = 0;
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Saves slot i % 5 with content i % 2 from i = k on until killed, so child k
            // most likely cuts short another slot than child k − 1, with the other content.
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            ::alarm(60);  // a child the parent lost track of does not stay
            // One panel per content, so that nearly all the child's time is spent saving.
            SlotBench benches[2] = {SlotBench(folder.path()), SlotBench(folder.path())};
            benches[0].show(contents[0]);
            benches[1].show(contents[1]);
            for (long i = k;; ++i) {
                const int n = static_cast<int>(i % kSlotCount);
                SlotBench& bench = benches[i % 2];
                const auto saveStart = std::chrono::steady_clock::now();
                started->fetch_add(1);
                bench.slots.hozon(n);
                if (std::exchange(bench.box.texts, {}) != std::vector{saveDoneText(n)}) {
                    ::_exit(3);
                }
                if (i == k) {
                    firstSaveMicros = std::chrono::duration_cast<std::chrono::microseconds>(
                                          std::chrono::steady_clock::now() - saveStart)
                                          .count();
                }
                finished.fetch_add(1);
            }
        }
        const auto giveUp = std::chrono::steady_clock::now() + 10s;
        while (finished == 0 && std::chrono::steady_clock::now() < giveUp) {
            std::this_thread::yield();
        }
        // Anywhere in the saves that follow the first, which each take about as long.
        std::uniform_int_distribution<long> delayMicros(0, firstSaveMicros * 6 / 5 + 1);
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicros(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "the saving child ended by itself (3: a save failed), status " << status;
        killedMidSave += *started != finished ? 1 : 0;
        for (int n = 0; n < kSlotCount; ++n) {
            std::string now = readBytes(parent.slots.path(n));
            ASSERT_TRUE(now == first || now == second)
                << "slot " << n << " after kill " << k << " holds " << now.size() << " bytes";
            replaced += now != std::exchange(previous[std::size_t(n)], now) ? 1 : 0;
        }
    }
    ::munmap(shared, 3 * sizeof(std::atomic<long>));
    EXPECT_GE(killedMidSave, kKills * 3 / 4);  // or the loop proved little
    EXPECT_GT(replaced, 0);

    // A later save goes through where killed saves of a process with this number left
    // their temporary files at this very second.
    for (int attempt = 0; attempt < 3; ++attempt) {
        test::writeBytes(folder.path() + "/.yuran0.txt.tmp" + std::to_string(::getpid()) + "-" +
                             std::to_string(std::time(nullptr)) + "-" + std::to_string(attempt),
                         "cut short");
    }
    std::vector<std::string> third = contents[0];
    third[0] = "after the kills";
    parent.box.texts.clear();
    const std::string after = saveAll(third);  // that it loads back is fuzz_slot_save's
    EXPECT_NE(after.find("after the kills"), std::string::npos);
    for (int n = 0; n < kSlotCount; ++n) {
        EXPECT_EQ(parent.box.texts.at(static_cast<std::size_t>(n)), saveDoneText(n));
        EXPECT_EQ(readBytes(parent.slots.path(n)), after);
    }
}

}  // namespace
}  // namespace yurana
