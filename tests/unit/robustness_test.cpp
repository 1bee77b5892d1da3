// Faults found by the fuzz targets, and saves cut short by killing the saving process.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <random>
#include <thread>

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

    // Puts 25 slot values into the panel without raising change handling.
    void show(const std::vector<std::string>& values) {
        for (std::size_t i = 0; i < kSlotLineCount; ++i) {
            const SlotLine& line = slotLines()[i];
            if (line.field == SlotField::Check) {
                panel.setValue(line.control, std::stoi(values[i]));
            } else {
                panel.preset(line.control, values[i]);
            }
        }
    }

    test::FakePanel panel;
    RunState run{kStopped};
    test::RecordingMessageBox box;
    PosixFiles files;
    Slots slots;
};

// Found by fuzz_slot_save: the reader drops a byte-order mark at the start of a file,
// so a first value that began with U+FEFF (pasted text carries one) lost it on loading.
TEST(SlotRoundTrip, FirstValueStartingWithByteOrderMarkLoadsBackAsSaved) {
    test::TempFolder folder;
    const std::string bom = "\xEF\xBB\xBF";
    for (const std::string& first : {bom + "1000", bom + bom + "1000", bom}) {
        SlotBench saver(folder.path());
        saver.panel.preset("Textk", first);
        saver.slots.hozon(1);
        ASSERT_EQ(saver.box.texts, std::vector<std::string>{saveDoneText(1)});

        SlotBench loader(folder.path());
        loader.slots.yomikomi(1);
        EXPECT_TRUE(loader.box.texts.empty());
        EXPECT_EQ(loader.panel.text("Textk"), first);
        EXPECT_EQ(readSlotValues(loader.panel), readSlotValues(saver.panel));
    }
    // A file from elsewhere that starts with a mark still loads without it.
    const std::string path = folder.path() + "/yuran2.txt";
    PosixFiles files;
    files.writeLines(path, std::vector<std::string>(kSlotLineCount, "1"), kSlotMaxLineBytes);
    test::writeBytes(path, bom + readBytes(path));
    EXPECT_EQ(files.readLines(path, kSlotLineCount, kSlotMaxLineBytes).front(), "1");
}

// Progress of the saving child, in memory shared with the parent.
struct SaveProgress {
    std::atomic<long> started{0};
    std::atomic<long> finished{0};
};

// Saves slot i % 5 with content i % 2 for i = first, first + 1, ... until killed; each
// slot thus alternates between the two contents. Never returns.
[[noreturn]] void saveForever(const std::string& folder,
                              const std::vector<std::string> (&contents)[2], long first,
                              SaveProgress& progress) {
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    ::alarm(60);  // a child the parent lost track of does not stay
    SlotBench bench(folder);
    for (long i = first;; ++i) {
        const int n = static_cast<int>(i % kSlotCount);
        bench.show(contents[i % 2]);
        progress.started.fetch_add(1);
        bench.slots.hozon(n);
        if (bench.box.texts != std::vector<std::string>{saveDoneText(n)}) {
            ::_exit(3);
        }
        bench.box.texts.clear();
        progress.finished.fetch_add(1);
    }
}

// A save killed at any moment (here by SIGKILL, the closest a test comes to a power cut)
// leaves each slot file with its old or its new content, and nothing that stops a later
// save.
TEST(SaveCutShort, KilledSavesLeaveOldOrNewContentAndLaterSavesWork) {
    test::TempFolder folder;
    std::vector<std::string> contents[2];
    contents[0] = readSlotValues(SlotBench(folder.path()).panel);
    // The second content differs in every line and is long, so that a file cut short
    // or mixed cannot pass for either.
    for (std::size_t i = 0; i < kSlotLineCount; ++i) {
        bool check = slotLines()[i].field == SlotField::Check;
        contents[1].push_back(check ? std::to_string(1 + i % 2)
                                    : "値" + std::to_string(i) + std::string(1000, 'x'));
    }

    // The bytes each content makes, and every slot starting from the first.
    std::string bytes[2];
    SlotBench parent(folder.path());
    auto saveAll = [&](const std::vector<std::string>& values) {
        parent.show(values);
        for (int n = 0; n < kSlotCount; ++n) {
            parent.slots.hozon(n);
        }
    };
    saveAll(contents[1]);
    bytes[1] = readBytes(parent.slots.path(0));
    const auto calibrateStart = std::chrono::steady_clock::now();
    saveAll(contents[0]);
    const auto saveTime = (std::chrono::steady_clock::now() - calibrateStart) / kSlotCount;
    bytes[0] = readBytes(parent.slots.path(0));
    ASSERT_EQ(parent.box.texts.size(), 2u * kSlotCount);
    ASSERT_NE(bytes[0], bytes[1]);

    void* shared = ::mmap(nullptr, sizeof(SaveProgress), PROT_READ | PROT_WRITE,
                          MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(shared, MAP_FAILED);
    auto* progress = new (shared) SaveProgress;

    std::mt19937 random(20261207);
    // Anywhere in the child's first save, or just after it.
    std::uniform_int_distribution<long> delayMicros(
        0, std::chrono::duration_cast<std::chrono::microseconds>(saveTime * 6 / 5).count() + 1);
    constexpr int kKills = 200;
    int killedMidSave = 0;
    int replaced = 0;  // slot files a child changed before it was killed
    std::vector<std::string> previous(kSlotCount, bytes[0]);
    for (int k = 0; k < kKills; ++k) {
        progress->started = 0;
        progress->finished = 0;
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Child k begins where child k - 1 began plus one, so the slot it most likely
            // cuts short is a different one each time, with the other content.
            saveForever(folder.path(), contents, k, *progress);
        }
        const auto giveUp = std::chrono::steady_clock::now() + 10s;
        while (progress->started == 0 && std::chrono::steady_clock::now() < giveUp) {
            std::this_thread::yield();
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicros(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "the saving child ended by itself (3: a save failed), status " << status;
        killedMidSave += progress->started != progress->finished ? 1 : 0;

        for (int n = 0; n < kSlotCount; ++n) {
            std::string now = readBytes(parent.slots.path(n));
            ASSERT_TRUE(now == bytes[0] || now == bytes[1])
                << "slot " << n << " after kill " << k << " holds " << now.size()
                << " bytes, neither content";
            replaced += now != previous[std::size_t(n)] ? 1 : 0;
            previous[std::size_t(n)] = now;
        }
    }
    ::munmap(shared, sizeof(SaveProgress));
    // Most kills must have landed inside a save, or the loop proved little.
    EXPECT_GE(killedMidSave, kKills * 3 / 4);
    EXPECT_GT(replaced, 0);

    // A later save of this very process at this very second, where killed saves of a
    // process with the same number left their temporary files, still goes through.
    for (int attempt = 0; attempt < 3; ++attempt) {
        test::writeBytes(folder.path() + "/.yuran0.txt.tmp" + std::to_string(::getpid()) + "-" +
                             std::to_string(std::time(nullptr)) + "-" + std::to_string(attempt),
                         "cut short");
    }
    std::vector<std::string> third = contents[0];
    third[0] = "after the kills";
    parent.box.texts.clear();
    saveAll(third);
    for (int n = 0; n < kSlotCount; ++n) {
        EXPECT_EQ(parent.box.texts.at(static_cast<std::size_t>(n)), saveDoneText(n));
        SlotBench loader(folder.path());
        loader.slots.yomikomi(n);
        EXPECT_TRUE(loader.box.texts.empty());
        EXPECT_EQ(readSlotValues(loader.panel), third);
    }
}

}  // namespace
}  // namespace yurana
