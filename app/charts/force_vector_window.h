#pragma once

#include <QColor>
#include <QLabel>
#include <QPaintEvent>
#include <QPointF>
#include <QStaticText>
#include <QString>
#include <QWidget>
#include <array>

#include "analysis/force_phasors.h"
#include "app/charts/analysis_window.h"
#include "model/record.h"

namespace yurana::charts {

// Colours of the phasors, set apart from one another and dark enough on white.
namespace phasor_palette {
inline const QColor kRestoring{0x1e, 0x8c, 0x3a};     // 復元力
inline const QColor kDamping{0xd0, 0x6a, 0x00};       // 減衰力
inline const QColor kInertia{0x8e, 0x44, 0xad};       // 慣性力
inline const QColor kDrive{0xd0, 0x10, 0x30};         // 外力
inline const QColor kDisplacement{0x1f, 0x5f, 0xbf};  // 変位
inline const QColor kAxes{0x90, 0x90, 0x90};
}  // namespace phasor_palette

// The phasor diagram: the forces head to tail from the origin, the drive from the origin to
// where they end, the displacement on its own scale, and axes through the origin, drawn in
// the largest centred square so that angles and lengths read true. The scale holds the
// polygon's farthest corner, which does not change as it turns, so only the angles move.
class PhasorDiagram : public QWidget {
  public:
    explicit PhasorDiagram(QWidget* parent);

    // What to draw: the phasors at one instant of the diagram `d` (or its message).
    void setPhasors(const analysis::ForceDiagram& d, const analysis::ForcePhasors& p);

    QSize sizeHint() const override { return {480, 480}; }

    // What it shows, and where a force phasor's tip is drawn, px in the widget.
    const analysis::ForcePhasors& phasors() const { return phasors_; }
    QPointF pointOf(analysis::Phasor force) const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    // The origin, half the square's side and the scale of the forces, px per N.
    struct Frame {
        QPointF origin;
        double half;
        double scale;
    };
    Frame frame() const;

    // The labels (φ, then the forces as sides, then the displacement), laid out once for
    // the font size in use: painting then only places them.
    enum Caption { kPhi, kDrive, kRestoring, kDamping, kInertia, kDisplacement, kCaptions };
    std::array<QStaticText, kCaptions> captions_;
    int captionPx_ = 0;

    analysis::ForcePhasors phasors_;
    double reach_ = 0;
    QString message_;
};

// 力のベクトル図: the forces of the steady state as rotating vectors that close on the drive,
// with a caption, the read-out line, and the time of the animation.
class ForceVectorWindow : public AnalysisWindow {
    Q_OBJECT

  public:
    explicit ForceVectorWindow(QWidget* parent = nullptr);

    void setModel(const ModelRecord& r) override;
    void setTime(double t) override;

    QLabel* readout() const { return readout_; }
    PhasorDiagram* diagram() const { return diagram_; }

  private:
    analysis::ForceDiagram model_;
    PhasorDiagram* diagram_;
    QLabel* readout_;
};

}  // namespace yurana::charts
