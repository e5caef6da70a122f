// Draw times of the pictures: the table and the cloth tile are drawn at start-up, a card the
// first time it is shown.
#include "artwork.h"
#include "cardimagelist.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

namespace {

void BM_Table(benchmark::State& state) {
    const qreal dpr = qreal(state.range(0)) / 2;
    for (auto _ : state)
        benchmark::DoNotOptimize(artwork::table(dpr));
}
BENCHMARK(BM_Table)->Arg(2)->Arg(3)->Arg(4)->Unit(benchmark::kMillisecond);

void BM_ClothTile(benchmark::State& state) {
    const qreal dpr = qreal(state.range(0)) / 2;
    for (auto _ : state)
        benchmark::DoNotOptimize(artwork::clothTile(dpr));
}
BENCHMARK(BM_ClothTile)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);

// The slowest faces to draw: a ten of pips and a court card; and the back.
void BM_Card(benchmark::State& state) {
    const int index = int(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(artwork::card(index, 1.0));
}
BENCHMARK(BM_Card)->Arg(0)->Arg(10)->Arg(13)->Unit(benchmark::kMicrosecond);

// Everything the table shows before the first deal: table, tile, logo, the empty stock and the
// START GAME button.
void BM_StartUpPictures(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(artwork::table(1.0));
        benchmark::DoNotOptimize(artwork::clothTile(1.0));
        benchmark::DoNotOptimize(artwork::logo(1.0));
        benchmark::DoNotOptimize(artwork::emptyStock(1.0));
        benchmark::DoNotOptimize(artwork::button(QStringLiteral("START GAME"), 1.0));
    }
}
BENCHMARK(BM_StartUpPictures)->Unit(benchmark::kMillisecond);

// A whole deck, as the first deals fill the image list.
void BM_AllCards(benchmark::State& state) {
    for (auto _ : state) {
        CardImageList list;
        for (int i = 0; i < CardImageList::kImages; ++i)
            benchmark::DoNotOptimize(list.image(i));
    }
}
BENCHMARK(BM_AllCards)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // Pixmaps need a GUI application; no screen is needed to draw them.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
