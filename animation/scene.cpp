#include "animation/scene.h"

#include <cmath>
#include <utility>

#include "model/numbers.h"

namespace yurana {

namespace {

// The text line: "ＭＳ ゴシック" 20 pt bold, white, at nint(640 × 0.03), nint(480 × 0.9).
const TextFont kTextFont{"ＭＳ ゴシック", 20, true};
constexpr Rgb kWhite{255, 255, 255};
const int kTextX = num::nint(kCanvasWidth * 0.03);  // 19
const int kTextY = num::nint(kCanvasHeight * 0.9);  // 432

constexpr Rect kCanvasRect{0, 0, kCanvasWidth, kCanvasHeight};

}  // namespace

void advanceWindowClock(RunState& run, double T, const ModelRecord& record) {
    advanceClock(run, T, record.tmin, record.jikanbairitu);
}

Scene::Scene(SurfaceFactory& factory, std::string folder, SceneInputs inputs,
             FramePresenter& presenter, SceneVariant variant)
    : factory_(factory),
      folder_(std::move(folder)),
      in_(inputs),
      presenter_(presenter),
      variant_(std::move(variant)) {}

Scene::Surfaces Scene::loadAll() {
    auto path = [this](const char* file) { return folder_ + "/" + file; };
    auto background = [&] {
        const auto& size = variant_.fixedSize;
        return size ? factory_.load(path(kBackgroundFile), size->width, size->height)
                    : factory_.load(path(kBackgroundFile));
    };
    Surfaces s;
    s.canvas = background();
    s.haikei = background();
    s.omori = factory_.load(path(kMassFile));
    s.kabe = factory_.load(path(kWallFile));
    s.bou = factory_.load(path(kRodFile));
    s.bane = factory_.load(path(kSpringFile));
    s.kabeoku = factory_.load(path(kFarSideFile));
    for (Surface* keyed : {s.omori.get(), s.kabe.get(), s.bane.get(), s.bou.get()}) {
        keyed->setBlackColorKey();
    }
    return s;
}

std::string bitmapFailedText(std::string_view file) {
    return std::string(file) +
           " を読み込めませんでした。プログラムのフォルダにあるか確かめてください。";
}

void Scene::init() {
    shokika_ = false;
    Surfaces fresh;
    try {
        fresh = loadAll();
    } catch (const calc_error&) {
        // No picture until every bitmap loads: the view shows empty, not a stale frame.
        release();
        throw;
    }
    if (surfaces_.canvas) {
        presenter_.canvasReleased();
    }
    surfaces_ = std::move(fresh);
    shown_.reset();
    shokika_ = true;
}

void Scene::release() {
    shokika_ = false;
    if (surfaces_.canvas) {
        presenter_.canvasReleased();
    }
    surfaces_ = {};
    textLine_.clear();
    shown_.reset();
}

PixelSize Scene::layoutSize() const {
    if (variant_.fixedSize) {
        return *variant_.fixedSize;
    }
    // The background's size is read as 16-bit integers.
    return {num::nint16(surfaces_.haikei->width()), num::nint16(surfaces_.haikei->height())};
}

SpriteSizes Scene::spriteSizes() const {
    auto size = [](const Surface& s) { return PixelSize{s.width(), s.height()}; };
    return {size(*surfaces_.omori), size(*surfaces_.bane), size(*surfaces_.bou),
            size(*surfaces_.kabe), size(*surfaces_.kabeoku)};
}

const Surface& Scene::sprite(Sprite s) const {
    switch (s) {
        case Sprite::Omori:
            return *surfaces_.omori;
        case Sprite::Bane:
            return *surfaces_.bane;
        case Sprite::Bou:
            return *surfaces_.bou;
        case Sprite::Kabe:
            return *surfaces_.kabe;
        case Sprite::Kabeoku:
            break;
    }
    return *surfaces_.kabeoku;
}

// "<time><unit><joutai>   <sign><|xpix|>m", e.g. "0.00秒1   +0m".
std::string Scene::composeTextLine() const {
    const double xpix = in_.step.xpix;
    return num::formatFixed(in_.run.jikan, 2) + variant_.secondsUnit +
           std::to_string(in_.run.joutai) + "   " + (xpix < 0 ? "-" : "+") +
           num::doubleText(std::abs(xpix)) + "m";
}

void Scene::blt() {
    // Without its bitmaps the view draws nothing, but the time goes on, so the graph
    // traces and the run behaves as with a picture.
    variant_.advance(in_.run, in_.clock.now(), in_.record);
    if (!shokika_) {
        return;
    }
    const PixelSize size = layoutSize();
    const SceneLayout layout = sceneLayout(size.width, size.height, variant_.y0);
    FrameKey key{size, framePieces(layout, spriteSizes(), in_.step.xpix, in_.step.kabepix),
                 composeTextLine()};
    if (shown_ == key) {
        return;  // at rest or paused: the picture on screen is this frame already
    }

    // Only where the frame differs from the one on screen is the canvas composed
    // again; the rest of it still holds that frame.
    const Rect src{0, 0, size.width, size.height};
    const bool partial = shown_ && shown_->size == key.size;
    const std::vector<Rect> changed = partial ? changedSinceShown(key) : std::vector<Rect>{src};
    Surface& canvas = *surfaces_.canvas;
    canvas.setClip(partial ? std::span<const Rect>(changed) : std::span<const Rect>());
    canvas.copy(kCanvasRect, *surfaces_.haikei, kCanvasRect, CopyKind::Opaque);
    for (const Piece& p : key.pieces) {
        canvas.copy(p.dest, sprite(p.sprite), p.src, p.kind);
    }
    canvas.drawText(kTextX, kTextY, key.line, kTextFont, kWhite);
    canvas.setClip({});
    textLine_ = key.line;
    presenter_.presentChanged(canvas, src, changed);
    shown_ = std::move(key);
}

std::vector<Rect> Scene::changedSinceShown(const FrameKey& next) const {
    std::vector<Rect> changed;
    for (std::size_t i = 0; i < next.pieces.size(); ++i) {
        if (next.pieces[i] != shown_->pieces[i]) {
            changed.push_back(shown_->pieces[i].dest);
            changed.push_back(next.pieces[i].dest);
        }
    }
    if (next.line != shown_->line) {
        // Glyphs reach a little above their top-left corner's row with some fonts.
        changed.push_back({0, kTextY - 8, kCanvasWidth, kCanvasHeight});
    }
    return changed;
}

}  // namespace yurana
