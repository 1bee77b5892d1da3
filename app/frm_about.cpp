#include "app/frm_about.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPalette>
#include <QPushButton>

#include "about/about_ok.h"
#include "app/program_setup.h"
#include "app/units.h"
#include "panel/control_names.h"
#include "platform/qt/fonts.h"
#include "platform/qt/text.h"

namespace yurana::app {

using qt::toQ;

namespace {

// Design client area, twips.
constexpr int kWidthTwips = 6690;
constexpr int kHeightTwips = 1635;
// The etched separator Line1: from x 0 to 6600 at y 1560.
constexpr int kLineX2Twips = 6600;
constexpr int kLineYTwips = 1560;

constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 256};

// A control's place from its twips (Left, Top, Width, Height).
QRect twipsRect(int left, int top, int width, int height) {
    int x = units::twipsToPx(left);
    int y = units::twipsToPx(top);
    return {x, y, units::twipsToPx(left + width) - x, units::twipsToPx(top + height) - y};
}

// A label or button of the dialog at its design place, in ＭＳ ゴシック 9 pt.
template <class Control>
Control* addControl(QWidget* dialog, const char* name, const QString& text, const QRect& place) {
    auto* control = new Control(text, dialog);
    control->setObjectName(name);
    control->setFont(qt::programFont(qt::kGothic, 9));
    control->setGeometry(place);
    return control;
}

// One line of the etched separator: a strip of a single colour.
QWidget* makeLine(const char* name, const QColor& colour, int thicknessPx, QWidget* parent) {
    auto* line = new QWidget(parent);
    line->setObjectName(name);
    QPalette pal = line->palette();
    pal.setColor(QPalette::Window, colour);
    line->setPalette(pal);
    line->setAutoFillBackground(true);
    line->setGeometry(0, units::twipsToPx(kLineYTwips), units::twipsToPx(kLineX2Twips),
                      thicknessPx);
    return line;
}

}  // namespace

QString guidePath() {
    return QDir(programDataFolder()).filePath(QStringLiteral("guide/index.html"));
}

void openGuide(Launcher& launcher, MessageBox& box) {
    const QString guide = guidePath();
    if (!launcher.openDocument(guide.toStdString())) {
        box.show(("使い方を開けませんでした。\n" + guide).toStdString());
    }
}

QIcon programIcon() {
    QIcon icon;
    QDir dir(programDataFolder());
    for (int size : kIconSizes) {
        QString file = dir.filePath(QStringLiteral("icons/yurana-%1.png").arg(size));
        if (QFileInfo::exists(file)) {
            icon.addFile(file, QSize(size, size));
        }
    }
    return icon.isNull() ? QIcon::fromTheme(QStringLiteral("yurana")) : icon;
}

FrmAbout::FrmAbout(MessageBox& box, Registry& registry, Launcher& launcher, QWidget* parent)
    : QDialog(parent), box_(box), launcher_(launcher), logic_(registry, launcher, box) {
    setObjectName(ctl::frmAbout);
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    setModal(false);
    setFont(qt::programFont(qt::kGothic, 9));
    setFixedSize(sizeHint());
    buildLabels();
    buildButtons();
    buildSeparator();
}

void FrmAbout::buildLabels() {
    auto* picIcon = new QLabel(this);
    picIcon->setObjectName(ctl::about::picIcon);
    picIcon->setGeometry(twipsRect(240, 240, 540, 540));
    picIcon->setAlignment(Qt::AlignCenter);
    picIcon->setPixmap(programIcon().pixmap(QSize(32, 32)));
    picIcon->setAccessibleName(toQ(kProductTitle));

    // Load: the product title and the version of this build replace the design texts.
    addControl<QLabel>(this, ctl::about::lblTitle, toQ(kProductTitle),
                       twipsRect(1080, 240, 3885, 360));
    addControl<QLabel>(this, ctl::about::lblVersion, toQ(versionCaption(programVersion())),
                       twipsRect(1080, 780, 3885, 225));
    addControl<QLabel>(this, ctl::about::Label1, QStringLiteral("Yurana developers"),
                       twipsRect(1080, 960, 3885, 225));

    // The link to the user guide, blue, bold and underlined; reachable by keyboard too.
    auto* link = addControl<QLabel>(this, ctl::about::Label2, {}, twipsRect(1080, 1200, 5325, 225));
    link->setFont(qt::programFont(qt::kGothic, 9, true));
    link->setTextFormat(Qt::RichText);
    link->setText(
        QStringLiteral("<a href=\"guide\" style=\"color:#0000ff; "
                       "text-decoration:underline\">ユーザーガイド (guide/index.html)</a>"));
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    link->setOpenExternalLinks(false);
    link->setToolTip(guidePath());
    link->setCursor(Qt::PointingHandCursor);
    connect(link, &QLabel::linkActivated, this, [this] { Label2_Click(); });
}

void FrmAbout::buildButtons() {
    auto* ok = addControl<QPushButton>(this, ctl::about::cmdOK, QStringLiteral("OK"),
                                       twipsRect(5190, 240, 1380, 345));
    ok->setDefault(true);  // Enter; Esc closes the dialog, which also runs OK (done)
    connect(ok, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    auto* sysInfo =
        addControl<QPushButton>(this, ctl::about::cmdSysInfo, QStringLiteral("ｼｽﾃﾑ情報(&S)"),
                                twipsRect(5160, 720, 1380, 345));
    connect(sysInfo, &QPushButton::clicked, this, [this] { cmdSysInfo_Click(); });

    setTabOrder(ok, sysInfo);
    setTabOrder(sysInfo, control(ctl::about::Label2));
    ok->setFocus();
}

void FrmAbout::buildSeparator() {
    // Line1: a white line two pixels wide under a grey one, an etched groove.
    makeLine(ctl::about::Line10, QColor(255, 255, 255), 2, this);
    makeLine(ctl::about::Line11, QColor(128, 128, 128), 1, this)->raise();
}

QSize FrmAbout::sizeHint() const {
    return units::twipsSize(kWidthTwips, kHeightTwips);
}

QWidget* FrmAbout::control(const char* name) const {
    return findChild<QWidget*>(QString::fromUtf8(name));
}

void FrmAbout::showModeless() {
    show();
    raise();
    activateWindow();
}

void FrmAbout::cmdOK_Click() {
    accept();
}

void FrmAbout::cmdSysInfo_Click() {
    logic_.StartSysInfo();
}

void FrmAbout::Label2_Click() {
    openGuide(launcher_, box_);
}

void FrmAbout::done(int result) {
    emit closing();
    QDialog::done(result);
}

}  // namespace yurana::app
