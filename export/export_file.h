#pragma once

#include <string>
#include <string_view>

#include "model/record.h"
#include "model/run_state.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/panel.h"

namespace yurana {

// The message of a save to `path` that failed: the file, then the problem.
std::string exportFailedText(const std::string& path, const file_error& e);

// Replaces the file at `path` with `bytes` (temporary file, then rename); a failure is
// shown by exportFailedText. Returns whether the file was written.
bool saveExport(Files& files, MessageBox& box, const std::string& path, std::string_view bytes);

// 曲線をCSVで保存: runs the recompute sequence from a copy of the panel into a copy of
// `record`, as a start would (a running animation keeps its own record, the panel its
// captions), and saves the curves to `path`. A failing recompute or evaluation shows
// kMsgBadValue and writes nothing.
bool exportCurves(const Panel& panel, const ModelRecord& record, const RunState& run,
                  MessageBox& box, Files& files, const std::string& path);

}  // namespace yurana
