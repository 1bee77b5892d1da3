#pragma once

#include <string>

#include "platform/files.h"

namespace yurana {

// What a failed write of a whole file says about its problem, in the user's words, one
// sentence ending in "。": the same wording for a slot and for every export. The
// reasons of a line of text (LineBreakInText, BadEncoding, LineTooLong) and of reading
// get the general wording here; a caller that knows the line names it itself.
std::string writeProblem(const file_error& e);

}  // namespace yurana
