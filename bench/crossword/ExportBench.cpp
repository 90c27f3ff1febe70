// The vector-editor export of the largest grid (LargestCrossword.h): the script lines and the
// live delivery against the in-memory editor, in the solution mode and in the codeword mode
// (numbers in the cells and the number table). Aim: well under 5 s each.

#include "LargestCrossword.h"

#include "platform/RecordingEditor.h"
#include "platform/RecordingUi.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

void ScriptExport(benchmark::State& state) {
    ScopedRecordingUi quiet;
    const auto crossword = LargestFilled();
    std::size_t lines = 0;
    for (auto _ : state) {
        std::vector<std::string> script;
        crossword->ExportToScript(script, static_cast<int>(state.range(0)));
        lines = script.size();
        benchmark::DoNotOptimize(script.data());
    }
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(ScriptExport)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);

void AutomationExport(benchmark::State& state) {
    ScopedRecordingUi quiet;
    const auto crossword = LargestFilled();
    std::size_t calls = 0;
    for (auto _ : state) {
        TRecordingEditor editor;
        benchmark::DoNotOptimize(crossword->ExportTemplateScript(editor, static_cast<int>(state.range(0))));
        calls = editor.Log().size();
    }
    state.counters["calls"] = static_cast<double>(calls);
}
BENCHMARK(AutomationExport)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
