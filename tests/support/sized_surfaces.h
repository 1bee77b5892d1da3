#pragma once

// Surfaces of the program's bitmap sizes that draw nothing: they count the live surfaces,
// the text lines drawn (one per composed frame) and the frames presented.

#include <memory>
#include <string>

#include "animation/scene.h"

namespace yurana::test {

struct SizedSurfaces : SurfaceFactory, FramePresenter {
    struct Blank : Surface {
        Blank(PixelSize size, SizedSurfaces& owner) : size(size), owner(owner) { ++owner.live; }
        ~Blank() override { --owner.live; }
        int width() const override { return size.width; }
        int height() const override { return size.height; }
        void setBlackColorKey() override {}
        void copy(const Rect&, const Surface&, const Rect&, CopyKind) override {}
        void drawText(int, int, std::string_view, const TextFont&, Rgb) override { ++owner.texts; }
        void setClip(std::span<const Rect>) override {}
        PixelSize size;
        SizedSurfaces& owner;
    };

    std::unique_ptr<Surface> load(const std::string& path) override {
        for (auto [file, size] : {std::pair{kBackgroundFile, PixelSize{640, 480}},
                                  {kMassFile, {80, 80}},
                                  {kWallFile, {640, 144}},
                                  {kRodFile, {6, 48}},
                                  {kSpringFile, {64, 40}}}) {
            if (path.ends_with(file)) {
                return std::make_unique<Blank>(size, *this);
            }
        }
        return std::make_unique<Blank>(PixelSize{640, 30}, *this);
    }
    std::unique_ptr<Surface> load(const std::string& path, int, int) override { return load(path); }
    void present(const Surface&, const Rect&) override { ++presented; }
    void canvasReleased() override {}

    int live = 0, texts = 0, presented = 0;
};

}  // namespace yurana::test
