// A program at rest paints nothing: stopped or paused, the passes go on without a
// single widget being repainted.

#include <QApplication>
#include <QtTest>
#include <map>

#include "support/app_fixture.h"

using namespace yurana;

namespace {

// Counts paint events per widget (by object name, or class name without one).
class PaintCounter : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            QString name = watched->objectName();
            ++painted[name.isEmpty() ? watched->metaObject()->className() : name];
        }
        return false;
    }
    std::map<QString, int> painted;
};

}  // namespace

class IdleTest : public QObject {
    Q_OBJECT

    static std::map<QString, int> paintsDuring(test::AppFixture& f, int passes) {
        for (int i = 0; i < 3; ++i) {
            f.run(1, 1.0 / 60);
            QTest::qWait(20);  // whatever was pending is painted before counting
        }
        PaintCounter counter;
        qApp->installEventFilter(&counter);
        for (int i = 0; i < passes; ++i) {
            f.run(1, 1.0 / 60);
            QApplication::processEvents();
        }
        qApp->removeEventFilter(&counter);
        return counter.painted;
    }

    static QString describe(const std::map<QString, int>& painted) {
        QStringList parts;
        for (const auto& [name, n] : painted) {
            parts << QString("%1 %2").arg(name).arg(n);
        }
        return parts.join(", ");
    }

  private slots:
    // No window outlives its test.
    void cleanup() { QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty()); }

    void stoppedNothingIsRepainted() {
        test::AppFixture f;
        const auto painted = paintsDuring(f, 100);
        QVERIFY2(painted.empty(), qPrintable(describe(painted)));
    }

    void pausedNothingIsRepainted() {
        test::AppFixture f;
        f.app->panel().setText("Texttmin", "1.5");
        for (const char* box : {"Checkheni", "Checkxc", "Checkxp", "Checkxcxp", "Checkkabeheni"}) {
            f.app->panel().setValue(box, 1);
        }
        f.click("Command2");
        f.run(30, 1.0 / 60);
        f.click("Command6");
        const auto painted = paintsDuring(f, 100);
        QVERIFY2(painted.empty(), qPrintable(describe(painted)));
    }

    void runningOnlyThePictureAndThePlotAreRepainted() {
        test::AppFixture f;
        f.app->panel().setValue("Checkheni", 1);
        f.click("Command2");
        const auto painted = paintsDuring(f, 20);
        QVERIFY(painted.count("Picture1") == 1 && painted.at("Picture1") >= 10);
        for (const auto& [name, n] : painted) {
            QVERIFY2(name == "Picture1" || name == "Form3" || name.contains("Plot"),
                     qPrintable(describe(painted)));
        }
    }
};

QTEST_MAIN(IdleTest)
#include "idle_test.moc"
