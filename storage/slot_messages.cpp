#include "storage/slot_messages.h"

#include "platform/file_problem.h"
#include "storage/slot_format.h"

namespace yurana {

namespace {

using Reason = file_error::Reason;

std::string withDetail(std::string text, const file_error& e) {
    return e.detail().empty() ? text + "。" : text + "（" + e.detail() + "）。";
}

std::string boxOfLine(int line) {
    if (line < 1 || line > static_cast<int>(kSlotLineCount)) {
        return std::to_string(line) + "行目";
    }
    return "「" + slotLineCaption(line) + "」";
}

// A load's problem; empty where the general wording serves.
std::string readProblem(const file_error& e) {
    const std::string noRead = "ファイルを読む権限がありません。";
    const std::string line = std::to_string(e.line()) + "行目";
    switch (e.reason()) {
        case Reason::NotFound:
            return "ファイルがありません。";
        case Reason::FolderNotWritable:
        case Reason::ReadOnlyFile:
        case Reason::AccessDenied:
            return noRead;
        case Reason::IsFolder:
            return "ファイルではなくフォルダです。";
        case Reason::NotRegular:
            return "通常のファイルではありません。";
        case Reason::BadEncoding:
            return "文字コードがUTF-8でもShift-JISでもありません（" + line + "）。";
        case Reason::LineTooLong:
            return line + "が長すぎます（" + std::to_string(kSlotMaxLineBytes) +
                   "バイトを超えています）。";
        case Reason::Binary:
            return "テキストファイルではありません（" + line + "に制御文字があります）。";
        case Reason::NoSpace:
        case Reason::LineBreakInText:
        case Reason::Io:
            break;
    }
    return {};
}

// A failure's message: what failed, the problem, the file's path, and what was kept.
std::string failedText(const std::string& failed, const std::string& path,
                       const std::string& problem, const std::string& kept) {
    return failed + "\n" + problem + "\n" + path + "\n" + kept;
}

}  // namespace

std::string saveDoneText(int n) {
    return slotFileName(n) + "に値を保存しました。";
}
std::string saveTitle(int n) {
    return "Save" + std::to_string(n);
}
std::string loadTitle(int n) {
    return "Load" + std::to_string(n);
}

std::string saveProblem(const file_error& e) {
    // A line of the slot file is named by its box.
    switch (e.reason()) {
        case Reason::LineBreakInText:
            return boxOfLine(e.line()) + "の値に改行などの制御文字があるため、保存できません。";
        case Reason::BadEncoding:
            return boxOfLine(e.line()) + "の値が正しい文字列ではないため、保存できません。";
        case Reason::LineTooLong:
            return boxOfLine(e.line()) + "の値が長すぎるため、保存できません。";
        default:
            return writeProblem(e);
    }
}

std::string loadProblem(const file_error& e) {
    std::string text = readProblem(e);
    return text.empty() ? withDetail("読み込み中にエラーが発生しました", e) : text;
}

std::string saveFailedText(int n, const std::string& path, const std::string& problem) {
    return failedText(slotFileName(n) + "に値を保存できませんでした。", path, problem,
                      slotFileName(n) + "は変更していません。");
}

std::string loadFailedText(int n, const std::string& path, const std::string& problem) {
    return failedText(slotFileName(n) + "を読み込めませんでした。", path, problem,
                      "パネルの値は変更していません。");
}

}  // namespace yurana
