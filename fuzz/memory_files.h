#pragma once

// Slot files kept in memory, written and read with the same encoding, checks and line
// splitting as the files on disk, so a fuzz target runs the real save and load paths
// without touching the disk; and the panel wired as the program wires it.

#include <map>
#include <string>
#include <vector>

#include "model/record.h"
#include "model/run_state.h"
#include "panel/parameter_panel.h"
#include "platform/files.h"
#include "platform/posix/posix_files.h"
#include "support/fake_panel.h"

namespace yurana::fuzz {

class MemoryFiles : public Files {
  public:
    std::vector<std::string> readLines(const std::string& path, std::size_t count,
                                       std::size_t maxLineBytes) override {
        auto it = files.find(path);
        if (it == files.end()) {
            throw file_error(file_error::Reason::NotFound, path);
        }
        return decodeLines(it->second, count, maxLineBytes, path);
    }
    void writeLines(const std::string& path, const std::vector<std::string>& lines,
                    std::size_t maxLineBytes) override {
        files[path] = encodeLines(lines, maxLineBytes, path);
    }
    void writeText(const std::string& path, std::string_view text) override {
        files[path] = std::string(text);
    }
    bool canCreateFiles(const std::string&) override { return true; }
    void makeFolders(const std::string&) override {}

    std::map<std::string, std::string> files;
};

// A panel as the program wires it.
struct Program {
    Program() {
        panel.setChangeHandler([this](std::string_view c) { form.textChanged(c); });
    }
    test::FakePanel panel;
    ModelRecord record;
    RunState run{kStopped};
    test::RecordingMessageBox box;
    ParameterPanel form{panel, record, run, box, [] { return GraphSize{600, 400}; }};
};

}  // namespace yurana::fuzz
