// The force vector diagram: opened from the 表示 menu, it reads the panel's model after 計算
// and turns with the animation.

#include <QtTest>

#include <cmath>

#include "analysis/force_phasors.h"
#include "analysis/format.h"
#include "panel/control_names.h"
#include "support/app_fixture.h"

using namespace yurana;

class ForceVectorTest : public QObject {
    Q_OBJECT

    // The read-out of the session's record at `t` (its numbers: force_phasors_test).
    static std::string readoutAt(test::AppFixture& f, double t) {
        return analysis::forcePhasorsAt(analysis::forceDiagram(f.app->session().record()), t)
            .readout;
    }

  private slots:
    void showsTheForcesOfThePanelAndTurnsWithTheRun() {
        test::AppFixture f;
        auto& w = f.app->analysis().vector();
        QVERIFY(f.viewOpens(QStringLiteral("力のベクトル図(&F)"), QStringLiteral("時刻歴(&T)"), w));

        f.type(ctl::Textm, "2");
        f.type(ctl::Textk, "200");
        f.type(ctl::Textc, "4");
        f.type(ctl::Textf, "3");
        f.type(ctl::Textw, "7");
        f.type(ctl::Texttmin, "0.5");
        f.type(ctl::Textjikanbairitu, "1.5");
        f.click(ctl::Command_keisan);
        f.run(1, 0.1);
        // The panel's model at tmin: X = F / √((k − mω²)² + (cω)²) = 3 / √(102² + 28²).
        const double X = 3 / std::sqrt(102.0 * 102 + 28 * 28);
        const QString text = w.readout()->text();
        QVERIFY2(text.contains("  kX=" + QString::fromStdString(analysis::g6(200 * X)) + " N"),
                 qPrintable(text));
        QCOMPARE(text.toStdString(), readoutAt(f, 0.5));

        // Each force is drawn head to tail in its colour: the pixels along each arrow, away
        // from where another ends or a label may lie, are of its colour (within the shading
        // of antialiasing).
        namespace pal = charts::phasor_palette;
        charts::PhasorDiagram& diagram = *w.diagram();
        const QImage picture = diagram.grab().toImage();
        const analysis::ForcePhasors& ph = diagram.phasors();
        const auto tails = ph.tails();
        struct Arrow {
            analysis::Phasor tail, head;
            QColor colour;
        };
        for (const Arrow& arrow :
             {Arrow{tails[0], tails[1], pal::kRestoring}, Arrow{tails[1], tails[2], pal::kDamping},
              Arrow{tails[2], tails[2] + ph.inertia, pal::kInertia},
              Arrow{0.0, ph.drive, pal::kDrive}}) {
            const QPointF a = diagram.pointOf(arrow.tail), b = diagram.pointOf(arrow.head);
            int hits = 0;
            for (double along : {0.2, 0.3, 0.4, 0.5, 0.6, 0.7}) {
                const QColor px = picture.pixelColor((a + (b - a) * along).toPoint());
                hits += std::abs(px.red() - arrow.colour.red()) < 40 &&
                        std::abs(px.green() - arrow.colour.green()) < 40 &&
                        std::abs(px.blue() - arrow.colour.blue()) < 40;
            }
            QVERIFY2(hits >= 4, qPrintable(arrow.colour.name()));
        }
        QVERIFY(test::countColour(picture, pal::kDisplacement) > 20);
        // At tmin, ωt = 3.5 rad: the drive points down and to the left of the origin, in the
        // middle of the diagram, on the same scale across and up.
        const QPointF origin = diagram.pointOf(0.0);
        QCOMPARE(origin, QRectF(diagram.rect()).center());
        const QPointF tip = diagram.pointOf(ph.drive) - origin;
        QVERIFY(tip.x() < 0 && tip.y() > 0);
        QVERIFY(std::abs(tip.y() / tip.x() + std::tan(3.5)) < 1e-9);
        // The polygon fills the square in the middle, wide or tall, and stays inside it.
        const auto fits = [&diagram, &ph, &tails] {
            const QPointF o = diagram.pointOf(0.0);
            double far = 0;
            for (analysis::Phasor corner : {tails[1], tails[2], ph.drive}) {
                const QPointF d = diagram.pointOf(corner) - o;
                far = std::max(far, std::hypot(d.x(), d.y()));
            }
            const double half = std::min(diagram.width(), diagram.height()) / 2.0;
            return far > 0.5 * half && far < half;
        };
        QVERIFY(fits());
        for (const QSize size : {QSize(1100, 640), QSize(420, 900)}) {
            w.resize(size);
            QCoreApplication::processEvents();
            QVERIFY2(fits(), qPrintable(QString::number(diagram.width()) + "x" +
                                        QString::number(diagram.height())));
        }

        // Run, then paused: ωt turns to the time the program stands at (how often the
        // markers follow a run: charts_test).
        f.click(ctl::Command2);
        f.run(40, 1.0 / 60);
        f.click(ctl::Command6);
        f.run(1, 1.0 / 60);
        QVERIFY(f.app->session().time() > 1);
        QCOMPARE(w.readout()->text().toStdString(), readoutAt(f, f.app->session().time()));
    }

    // Without a force there is nothing to draw, and the window says why.
    void noForceNoDiagram() {
        test::AppFixture f;
        f.app->analysis().vectorAction()->trigger();
        f.type(ctl::Textf, "0");
        f.click(ctl::Command_keisan);
        f.run(1, 0.1);
        auto& w = f.app->analysis().vector();
        QCOMPARE(w.readout()->text().toStdString(),
                 std::string(analysis::kNoSteadyForcedVibration));
        const QImage picture = w.diagram()->grab().toImage();
        QCOMPARE(test::countColour(picture, charts::phasor_palette::kDrive), 0);
    }
};

QTEST_MAIN(ForceVectorTest)
#include "force_vector_test.moc"
