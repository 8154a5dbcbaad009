// Cost of appending one short line to a console pane that already holds
// about 4 MB of log text.

#include <QApplication>

#include <benchmark/benchmark.h>

#include <string>

#include "app/CVessaDlg.h"
#include "OffscreenBenchmarkMain.h"

static void BM_ConsoleAppendTo4MB(benchmark::State& state)
{
    CVessaDlg dlg;
    dlg.show();
    const std::string line = ">> Ping 123456: 45.512 m, 12.31 C, pitch 1.2, roll -0.4\r\n";
    std::string block;
    while (block.size() < 64 * 1024)
        block += line;
    for (size_t filled = 0; filled < 4u * 1024 * 1024; filled += block.size())
        dlg.ConsoleAppend(block);
    QApplication::processEvents();
    for (auto _ : state) {
        dlg.ConsoleAppend(">> Send Command: [#go]\r\n");
        QApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ConsoleAppendTo4MB)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    return RunBenchmarksOffscreen(argc, argv);
}
