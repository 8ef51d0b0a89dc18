// A repaint of the preview: any page of a 100-page letter at zoom 100 must
// fit in a frame (16 ms), and scrolling must not compose the letter again.
#include "GuiBenchmarkMain.h"
#include "LongLetter.h"
#include "output/PreviewRenderer.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

using namespace quillory;

namespace {

output::PreviewRequest requestFor(int page)
{
    output::PreviewRequest request;
    request.letter = bench::longLetter();
    request.printer = {600, 600, QSize(4760, 6812)}; // A4 printable area
    request.geometry = output::previewGeometry(request.printer, 96, 100);
    request.page = page;
    return request;
}

QImage screenPage(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(3780); // 96 dpi
    image.setDotsPerMeterY(3780);
    return image;
}

/** Paints pages one after another, as scrolling through the letter does. */
void repaintCachedPage(benchmark::State& state)
{
    output::PreviewRequest request = requestFor(1);
    QImage image = screenPage(request.geometry.size);
    output::PreviewRenderer renderer;
    int pages = 0;
    {
        QPainter painter(&image);
        pages = renderer.paint(painter, request);
    }
    for (auto _ : state) {
        request.page = request.page % pages + 1;
        QPainter painter(&image);
        benchmark::DoNotOptimize(renderer.paint(painter, request));
    }
    state.counters["pages"] = pages;
    state.counters["compositions"] = renderer.compositions();
}
BENCHMARK(repaintCachedPage)->Unit(benchmark::kMillisecond);

/** A repaint after an edit: the letter is composed anew, then one page drawn. */
void repaintAfterEdit(benchmark::State& state)
{
    output::PreviewRequest request = requestFor(50);
    QImage image = screenPage(request.geometry.size);
    output::PreviewRenderer renderer;
    int edit = 0;
    for (auto _ : state) {
        request.letter.subject = QString::number(++edit);
        QPainter painter(&image);
        benchmark::DoNotOptimize(renderer.paint(painter, request));
    }
}
BENCHMARK(repaintAfterEdit)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return bench::runGuiBenchmarks(argc, argv);
}
