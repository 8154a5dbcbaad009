#pragma once
// The common main of the benchmark programs: Qt on the offscreen platform,
// under the program's organisation and application names, then every
// benchmark of the binary. `beforeQtEnds` releases objects that must go
// before the application object does.

#include <QApplication>

#include <benchmark/benchmark.h>

#include <functional>

inline int RunBenchmarksOffscreen(int argc, char** argv,
                                  const std::function<void()>& beforeQtEnds = {})
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName("Halvorn");
    QCoreApplication::setApplicationName("Vessa");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (beforeQtEnds)
        beforeQtEnds();
    return 0;
}
