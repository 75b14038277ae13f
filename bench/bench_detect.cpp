// Costs of the detection engine's hot paths: growing lists and the report,
// and the text operators over a 5 MB inventory list. Measured, never
// asserted. Run: bench_detect [--benchmark_filter=...]
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "base/Text.h"
#include "detect/clsDetector.h"
#include "inventory/clsEnumList.h"
#include "platform/Machine.h"

namespace {

// A process list of about 5 MB (in characters), so that PROCESS tracks test
// against it without touching the real machine.
class ManyProcesses final : public platform::Processes {
public:
    ManyProcesses() {
        for (int i = 0; names.size() < 250000; ++i) names.push_back(L"service_" + base::DecStr(i) + L".exe");
    }
    bool Snapshot(uint32_t, std::vector<std::wstring>& exeNames) override {
        exeNames = names;
        return true;
    }
    std::vector<std::wstring> names;
};

void BM_ListAppendShortLines(benchmark::State& state) {
    const std::wstring line = L"{12345678}~#Some Product 1.0\r\n";
    for (auto _ : state) {
        clsEnumList list;
        for (int64_t i = 0; i < state.range(0); ++i) list.AppendToBuffer(line, 1);
        benchmark::DoNotOptimize(list.Length());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ListAppendShortLines)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Every track of an unknown class matches "=" with an empty text and has
// report level 1, so the scan is mostly detail blocks appended to the report.
void BM_ReportDetailBlocks(benchmark::State& state) {
    clsDetector detector;
    auto breed = std::make_shared<clsBreed>();
    breed->ID(1);
    detector.AddBreed(breed);
    for (int64_t i = 0; i < state.range(0); ++i) {
        auto track = std::make_shared<clsTrack>();
        track->BreedID(1);
        track->Class(L"NONE");
        track->Operator(L"=");
        track->ReportLevel(1);
        detector.AddTrack(track);
    }
    for (auto _ : state) {
        detector.Scan(-1);
        benchmark::DoNotOptimize(detector.ReportCapacity());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReportDetailBlocks)->Arg(10000)->Arg(30000)->Arg(100000)->Unit(benchmark::kMillisecond);

// One scan of one PROCESS track: gathering the 5 MB list plus the operator.
// The "=" case is the gathering alone, to subtract from the others.
void ScanOperator(benchmark::State& state, const wchar_t* strOperator, const wchar_t* strTesting) {
    ManyProcesses processes;
    platform::Machine machine;
    machine.processes = &processes;
    const platform::ScopedMachine scope(machine);
    clsDetector detector;
    auto breed = std::make_shared<clsBreed>();
    breed->ID(1);
    detector.AddBreed(breed);
    auto track = std::make_shared<clsTrack>();
    track->BreedID(1);
    track->Class(L"PROCESS");
    track->Operator(strOperator);
    track->TestingValue(strTesting);
    detector.AddTrack(track);
    for (auto _ : state) {
        detector.Scan(-1);
        benchmark::DoNotOptimize(track->Score());
    }
    state.counters["list_chars"] = static_cast<double>(detector.EnumList(track->EnumListID())->Length());
    state.counters["score"] = track->Score();
}

void BM_GatherOnly(benchmark::State& state) { ScanOperator(state, L"=", L"x"); }
void BM_InstrAbsent(benchmark::State& state) { ScanOperator(state, L"INSTR", L"SHIELD.EXE"); }
void BM_LikeStars(benchmark::State& state) { ScanOperator(state, L"LIKE", L"*service_*9999*shield*"); }
void BM_RegexpLines(benchmark::State& state) { ScanOperator(state, L"REGEXP", L"^service_24999[0-9]\\.exe$"); }
BENCHMARK(BM_GatherOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InstrAbsent)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LikeStars)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RegexpLines)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
