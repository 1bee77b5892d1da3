#include "app/measured_files.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <memory>
#include <variant>

namespace yurana::app {

namespace {

const char* const kCannotRead = "測定データを読めません。\n";

}  // namespace

void MeasuredFiles::open() {
    QString folder = lastFolder_;
    if (folder.isEmpty()) {
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    }
    const QString path = QFileDialog::getOpenFileName(
        parent_, QStringLiteral("測定データを開く"), folder,
        QStringLiteral("測定データ (*.csv *.txt *.dat *.tsv);;すべてのファイル (*)"));
    if (path.isEmpty()) {
        return;
    }
    lastFolder_ = QFileInfo(path).absolutePath();
    openPath(path);
}

bool MeasuredFiles::openPath(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const auto refuse = [&](const measured::Refusal& r) {
        box_.show(kCannotRead + name.toStdString() + ": " + measured::refusalText(r));
        return false;
    };
    const auto table = measured::readTable(files_, path.toStdString());
    if (const auto* r = std::get_if<measured::Refusal>(&table)) {
        return refuse(*r);
    }
    const measured::Table& t = std::get<measured::Table>(table);
    const std::optional<measured::DataKind> kind = t.headerKind ? t.headerKind : askKind(name);
    if (!kind) {
        return false;
    }
    auto data = measured::measuredData(t, *kind);
    if (const auto* r = std::get_if<measured::Refusal>(&data)) {
        return refuse(*r);
    }
    views_.setMeasuredData(
        std::make_shared<const measured::MeasuredData>(std::move(std::get<0>(data))), name);
    return true;
}

std::optional<measured::DataKind> MeasuredFiles::askKind(const QString& name) {
    QMessageBox ask(QMessageBox::Question, QStringLiteral("測定データを開く"),
                    QStringLiteral("%1 の2列は何のデータですか。").arg(name), QMessageBox::Cancel,
                    parent_);
    QPushButton* decay =
        ask.addButton(QStringLiteral("自由振動 (t s, x m)"), QMessageBox::AcceptRole);
    QPushButton* omega =
        ask.addButton(QStringLiteral("周波数応答 (ω rad/s, 振幅 m)"), QMessageBox::AcceptRole);
    QPushButton* hz =
        ask.addButton(QStringLiteral("周波数応答 (f Hz, 振幅 m)"), QMessageBox::AcceptRole);
    ask.setDefaultButton(decay);
    ask.exec();
    const QAbstractButton* chosen = ask.clickedButton();
    if (chosen == decay) {
        return measured::DataKind::FreeDecay;
    }
    if (chosen == omega) {
        return measured::DataKind::ResponseOmega;
    }
    if (chosen == hz) {
        return measured::DataKind::ResponseHz;
    }
    return std::nullopt;
}

}  // namespace yurana::app
