#pragma once

#include <string>

#include "platform/files.h"

namespace yurana {

// The texts of the slot message boxes. A failure names the file, the problem and the
// full path, and says that nothing was changed.

// "yuranN.txtに値を保存しました。" under the title "SaveN".
std::string saveDoneText(int n);
std::string saveTitle(int n);
std::string loadTitle(int n);

// The problem of a failed save or load, in the user's words; a line of a slot file is
// named by its box's caption.
std::string saveProblem(const file_error& e);
std::string loadProblem(const file_error& e);

std::string saveFailedText(int n, const std::string& path, const std::string& problem);
std::string loadFailedText(int n, const std::string& path, const std::string& problem);

}  // namespace yurana
