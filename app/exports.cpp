#include "app/exports.h"

#include "animation/scene_layout.h"
#include "app/frm_about.h"
#include "export/export_file.h"
#include "platform/qt/qt_surface.h"

namespace yurana::app {

namespace {
const QString kPngFilter = QStringLiteral("PNG 画像 (*.png)");
}  // namespace

QImage graphImage(Form3& form3) {
    return form3.grab().toImage();
}

QImage animationImage(Form0& form0) {
    // The frame as composed, at the scene's own size; without a canvas (no bitmaps) the
    // picture as shown, stretched alike.
    const QSize size(kCanvasWidth, kCanvasHeight);
    const Scene* scene = form0.picture()->shownScene();
    const auto* canvas =
        dynamic_cast<const qt::QtSurface*>(scene != nullptr ? scene->canvas() : nullptr);
    const QImage frame = canvas != nullptr ? canvas->image() : form0.picture()->grab().toImage();
    return frame.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_RGB32);
}

void Exports::exportCurves() {
    QString path =
        p_.dialog.ask(p_.parent, QStringLiteral("曲線をCSVで保存"),
                      QStringLiteral("yurana-curves.csv"), QStringLiteral("CSV ファイル (*.csv)"));
    if (!path.isEmpty()) {
        yurana::exportCurves(p_.panel, p_.record, p_.run, p_.box, p_.files, path.toStdString());
    }
}

void Exports::exportGraph() {
    saveImage(graphImage(p_.form3), QStringLiteral("グラフを画像で保存"),
              QStringLiteral("yurana-graph.png"));
}

void Exports::exportAnimation() {
    saveImage(animationImage(p_.form0), QStringLiteral("アニメーションを画像で保存"),
              QStringLiteral("yurana-animation.png"));
}

void Exports::saveImage(const QImage& image, const QString& title, const QString& name) {
    QString path = p_.dialog.ask(p_.parent, title, name, kPngFilter);
    if (!path.isEmpty()) {
        QByteArray png = qt::pngBytes(image);
        saveExport(p_.files, p_.box, path.toStdString(), std::string_view(png.data(), png.size()));
    }
}

void Exports::openGuide() {
    app::openGuide(p_.launcher, p_.box);
}

}  // namespace yurana::app
