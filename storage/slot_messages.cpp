#include "storage/slot_messages.h"

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
    switch (e.reason()) {
        case Reason::FolderNotWritable:
        case Reason::NotFound:
            return withDetail("プログラムのフォルダ " + e.path() + " に書き込めません", e) +
                   "\nインストールされたフォルダには書き込みが許可されていないことがあります。";
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
        case Reason::LineBreakInText:
            return boxOfLine(e.line()) + "の値に改行などの制御文字があるため、保存できません。";
        case Reason::BadEncoding:
            return boxOfLine(e.line()) + "の値が正しい文字列ではないため、保存できません。";
        case Reason::LineTooLong:
            return boxOfLine(e.line()) + "の値が長すぎるため、保存できません。";
        case Reason::Binary:
        case Reason::Io:
            break;
    }
    return withDetail("書き込み中にエラーが発生しました", e);
}

std::string loadProblem(const file_error& e) {
    switch (e.reason()) {
        case Reason::NotFound:
            return "ファイルがありません。";
        case Reason::IsFolder:
            return "ファイルではなくフォルダです。";
        case Reason::NotRegular:
            return "通常のファイルではありません。";
        case Reason::AccessDenied:
        case Reason::ReadOnlyFile:
        case Reason::FolderNotWritable:
            return "ファイルを読む権限がありません。";
        case Reason::Binary:
            return "テキストファイルではありません（" + std::to_string(e.line()) +
                   "行目に制御文字があります）。";
        case Reason::BadEncoding:
            return "文字コードがUTF-8でもShift-JISでもありません（" + std::to_string(e.line()) +
                   "行目）。";
        case Reason::LineTooLong:
            return std::to_string(e.line()) + "行目が長すぎます（" +
                   std::to_string(kSlotMaxLineBytes) + "バイトを超えています）。";
        case Reason::NoSpace:
        case Reason::LineBreakInText:
        case Reason::Io:
            break;
    }
    return withDetail("読み込み中にエラーが発生しました", e);
}

std::string saveFailedText(int n, const std::string& path, const std::string& problem) {
    return slotFileName(n) + "に値を保存できませんでした。\n" + problem + "\n" + path + "\n" +
           slotFileName(n) + "は変更していません。";
}

std::string loadFailedText(int n, const std::string& path, const std::string& problem) {
    return slotFileName(n) + "を読み込めませんでした。\n" + problem + "\n" + path + "\n" +
           "パネルの値は変更していません。";
}

}  // namespace yurana
