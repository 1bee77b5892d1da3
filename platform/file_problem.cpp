#include "platform/file_problem.h"

namespace yurana {

namespace {

std::string withDetail(const std::string& text, const file_error& e) {
    return e.detail().empty() ? text + "。" : text + "（" + e.detail() + "）。";
}

}  // namespace

std::string writeProblem(const file_error& e) {
    using Reason = file_error::Reason;
    switch (e.reason()) {
        case Reason::NotFound:
        case Reason::FolderNotWritable:
            // No new file can be made in the folder (a missing one included).
            return withDetail("フォルダ " + e.path() + " に書き込めません", e);
        case Reason::IsFolder:
            return "同じ名前のフォルダがあるため、ファイルを作れません。";
        case Reason::NotRegular:
            return "同じ名前の特殊なファイルがあるため、保存できません。";
        case Reason::ReadOnlyFile:
            return "ファイルが読み取り専用です。";
        case Reason::AccessDenied:
            return "ファイルに書き込む権限がありません。";
        case Reason::NoSpace:
            return "ディスクの空き容量が足りません。";
        case Reason::Binary:
        case Reason::BadEncoding:
        case Reason::LineTooLong:
        case Reason::LineBreakInText:
        case Reason::Io:
            break;
    }
    return withDetail("書き込み中にエラーが発生しました", e);
}

}  // namespace yurana
