#include "app/form3.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMetaObject>
#include <QPaintEvent>

#include "app/units.h"
#include "panel/control_names.h"
#include "platform/qt/fonts.h"

namespace yurana::app {

namespace {

// Design places, twips: the panel at Top 120, 2775 high; the client area 9600 × 3780.
constexpr int kPanelTopTwips = 120;
constexpr int kPanelHeightTwips = 2775;
constexpr int kClientWidthTwips = 9600;
constexpr int kClientHeightTwips = 3780;

// The summary panel tells its text to assistive tools, computed when they ask.
class SummaryAccessible : public QAccessibleWidget {
  public:
    explicit SummaryAccessible(SummaryPanel* panel)
        : QAccessibleWidget(panel, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            return static_cast<SummaryPanel*>(widget())->summaryText();
        }
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* summaryFactory(const QString& /*className*/, QObject* object) {
    if (auto* panel = qobject_cast<SummaryPanel*>(object)) {
        return new SummaryAccessible(panel);
    }
    return nullptr;
}

void installSummaryAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(summaryFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace

SummaryPanel::SummaryPanel(QWidget* parent) : QWidget(parent), picture_(this) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(192, 192, 192));
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
    setFont(qt::programFont(qt::kPGothic, 9));
    installSummaryAccessibility();
}

QString SummaryPanel::summaryText() const {
    return picture_.printedLines().join('\n');
}

void SummaryPanel::paintEvent(QPaintEvent* event) {
    picture_.paint(this, event->rect());
}

void SummaryPanel::showEvent(QShowEvent* /*event*/) {
    requestRepaint();
}

void SummaryPanel::resizeEvent(QResizeEvent* /*event*/) {
    if (!picture_.settingWidth()) {
        requestRepaint();
    }
}

void SummaryPanel::requestRepaint() {
    // Several triggers in one round of event handling make one repaint.
    if (repaintPending_) {
        return;
    }
    repaintPending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            repaintPending_ = false;
            emit repaintRequested();
        },
        Qt::QueuedConnection);
}

Form3::Form3(QWidget* parent) : QWidget(parent), plot_(this), picture1_(new SummaryPanel(this)) {
    setObjectName(ctl::Form3);
    setWindowTitle(QStringLiteral("グラフ表示ウインドウ"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFont(qt::programFont("System", 13.5));
    resize(sizeHint());

    picture1_->setObjectName("Picture1");
    picture1_->setGeometry(0, units::twipsToPx(kPanelTopTwips), sizeHint().width() / 8 - 5,
                           units::twipsToPx(kPanelHeightTwips));
    connect(picture1_, &SummaryPanel::repaintRequested, this, &Form3::summaryRepaint);
}

QSize Form3::sizeHint() const {
    return units::twipsSize(kClientWidthTwips, kClientHeightTwips);
}

void Form3::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    picture1_->requestRepaint();
}

void Form3::paintEvent(QPaintEvent* event) {
    plot_.paint(this, event->rect());
}

}  // namespace yurana::app
