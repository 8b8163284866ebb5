// PumpEvents with nothing pending, on a shown window (offscreen), against a
// plain processEvents.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>

#include "shell/pump.h"

namespace {

void BM_PumpEvents_EmptyQueue(benchmark::State& state) {
    for (auto _ : state) PumpEvents();
}
BENCHMARK(BM_PumpEvents_EmptyQueue);

void BM_ProcessEvents_EmptyQueue(benchmark::State& state) {
    for (auto _ : state) QCoreApplication::processEvents();
}
BENCHMARK(BM_ProcessEvents_EmptyQueue);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    QWidget window;
    window.resize(364, 306);
    window.show();
    for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
