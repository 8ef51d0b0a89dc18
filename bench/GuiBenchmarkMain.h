#pragma once

#include <benchmark/benchmark.h>

#include <QGuiApplication>

namespace quillory::bench {

/**
 * Runs the registered benchmarks inside a QGuiApplication (fonts need one),
 * or a QApplication for benchmarks of widgets.
 */
template <typename Application = QGuiApplication>
int runGuiBenchmarks(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace quillory::bench
