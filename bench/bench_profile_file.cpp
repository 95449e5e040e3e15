#include "settings/profile_file.h"

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <string>

namespace {

// A settings file of the largest size read, made of one line again and again
// (line(i) for the i-th).
template <class Line> std::string largestFile(std::string text, Line line) {
    for (int i = 0;; ++i) {
        const std::string next = line(i);
        if (text.size() + next.size() > tarsel::ProfileFile::MaxFileSize) {
            return text;
        }
        text += next;
    }
}

std::size_t heapInUse() {
    const struct mallinfo2 info = ::mallinfo2();
    return info.uordblks + info.hblkhd;
}

// Parsing the file and reading one key. heap_per_byte is the heap the parsed
// profile holds over the size of the file (the text itself counts once).
void parseFile(benchmark::State& state, const std::string& text) {
    double heapPerByte = 0;
    for (auto _ : state) {
        const std::size_t before = heapInUse();
        const tarsel::ProfileFile file{std::string_view(text)};
        heapPerByte = static_cast<double>(heapInUse() - before) / static_cast<double>(text.size());
        benchmark::DoNotOptimize(file.getInt("Tarsel", "Pt", 0));
    }
    state.counters["heap_per_byte"] = heapPerByte;
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

void BM_ProfileDistinctKeys(benchmark::State& state) {
    static const std::string text =
        largestFile("[Tarsel]\n", [](int i) { return 'k' + std::to_string(i) + "=v\n"; });
    parseFile(state, text);
}

void BM_ProfileManySections(benchmark::State& state) {
    static const std::string text =
        largestFile("", [](int i) { return "[s" + std::to_string(i) + ']' + '\n'; });
    parseFile(state, text);
}

void BM_ProfileBlankLines(benchmark::State& state) {
    static const std::string text = largestFile("[Tarsel]\n", [](int) { return "\n"; });
    parseFile(state, text);
}

} // namespace

BENCHMARK(BM_ProfileDistinctKeys)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProfileManySections)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProfileBlankLines)->Unit(benchmark::kMillisecond);
