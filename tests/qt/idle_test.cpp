// A program at rest paints nothing: stopped or paused, the passes go on without a
// single widget being repainted.

#include <QApplication>
#include <QtTest>

#include "support/app_fixture.h"

using namespace yurana;

namespace {

// The widgets painted (by object name, or class name without one), once per paint event.
class PaintCounter : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            const QString name = watched->objectName();
            painted << (name.isEmpty() ? watched->metaObject()->className() : name);
        }
        return false;
    }
    QStringList painted;
};

// The widgets painted during `passes` passes, after what was pending has been painted.
QStringList paintsDuring(test::AppFixture& f, int passes) {
    PaintCounter counter;
    for (int i = -3; i < passes; ++i) {
        if (i == 0) {
            qApp->installEventFilter(&counter);
        }
        f.run(1, 1.0 / 60);
        QApplication::processEvents();
    }
    qApp->removeEventFilter(&counter);
    return counter.painted;
}

}  // namespace

class IdleTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty()); }

    // Paused with every curve drawn, from tmin ≠ 0.
    void stoppedOrPausedNothingIsRepainted() {
        for (bool paused : {false, true}) {
            test::AppFixture f;
            if (paused) {
                f.app->panel().setText("Texttmin", "1.5");
                for (const char* box :
                     {"Checkheni", "Checkxc", "Checkxp", "Checkxcxp", "Checkkabeheni"}) {
                    f.app->panel().setValue(box, 1);
                }
                f.click("Command2");
                f.run(30, 1.0 / 60);
                f.click("Command6");
            }
            QCOMPARE(paintsDuring(f, 100), QStringList());
        }
    }

    void runningOnlyThePictureAndThePlotAreRepainted() {
        test::AppFixture f;
        f.app->panel().setValue("Checkheni", 1);
        f.click("Command2");
        const QStringList painted = paintsDuring(f, 20);
        QVERIFY(painted.count("Picture1") >= 10);
        for (const QString& name : painted) {
            QVERIFY2(name == "Picture1" || name == "Form3" || name.contains("Plot"),
                     qPrintable(painted.join(' ')));
        }
    }
};

QTEST_MAIN(IdleTest)
#include "idle_test.moc"
