#include "output/canvas.h"
#include "output/plot_frame.h"

#include <benchmark/benchmark.h>

namespace {

/// A plot of `segments` short lines across the picture, about what a dense contour plot records.
vededa::RecordingCanvas densePlot(int segments) {
    vededa::RecordingCanvas plot(vededa::kPlotPictureWidth, vededa::kPlotPictureHeight);
    plot.setColor(1);
    for (int i = 0; i < segments; ++i) {
        const float x = 500 + static_cast<float>(i % 840) * 10;
        const float y = 500 + static_cast<float>(i / 840) * 10;
        plot.line(x, y, x + 10, y + 7);
    }
    return plot;
}

/// With the plot print buffer on, every plot is repeated on the pending printer page: the cost of
/// that copy for a plot of N segments.
void BM_RepeatPlotOnPendingPage(benchmark::State& state) {
    const vededa::RecordingCanvas plot = densePlot(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        vededa::RecordingCanvas page(vededa::kPlotPictureWidth, vededa::kPlotPictureHeight);
        plot.replay(page);
        benchmark::DoNotOptimize(page.ops().size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RepeatPlotOnPendingPage)->Arg(1000)->Arg(20000);

} // namespace
