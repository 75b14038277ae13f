// Loading a large knowledge base: 2,000 breeds with 10 tracks each (20,000
// tracks), read through the profile reader key by key as every check's
// first load does. Measured, never asserted. Run: bench_load
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/clsApp.h"
#include "platform/Machine.h"

namespace {

// A program folder of its own with the generated Vigilor.dat in it.
class LoadFolder final : public platform::SystemInfo {
public:
    explicit LoadFolder(int breeds) : mFolder(std::filesystem::temp_directory_path() / "quorvex-bench-load") {
        std::filesystem::create_directories(mFolder);
        std::ofstream out(mFolder / "Vigilor.dat", std::ios::binary | std::ios::trunc);
        out << "[General]\r\nCount=" << breeds << "\r\n";
        for (int n = 1; n <= breeds; ++n) {
            out << "[Breed_" << n << "]\r\nName=Product " << n << "\r\nInfo=Description of product " << n
                << "\r\nURL=https://help.example/" << n << "\r\nFilter=1\r\nProof=2\r\nCount=10\r\n";
            for (int m = 1; m <= 10; ++m) {
                out << "Track" << m << "=PROCESS~#~#REGEXP~#^product" << n << "_" << m << "\\.exe~#0\r\n";
            }
        }
    }
    ~LoadFolder() override {
        std::error_code ec;
        std::filesystem::remove_all(mFolder, ec);
    }
    bool GetVersion(platform::VersionInfo& info) override { return platform::RealMachine().system->GetVersion(info); }
    std::wstring ProgramPath() override { return ProgramFolder() + L"/quorvex"; }
    std::wstring ProgramFolder() override { return mFolder.wstring(); }
    uint64_t InstanceHandle() override { return 1; }
    uint32_t LastError() override { return 0; }
    wchar_t DecimalSeparator() override { return L'.'; }
    std::wstring DateSeparator() override { return L"/"; }
    std::wstring TimeSeparator() override { return L":"; }

private:
    std::filesystem::path mFolder;
};

// Mask 2 admits no breed: the time is the load (and an empty scan).
void BM_LoadKnowledgeBase(benchmark::State& state) {
    LoadFolder folder(static_cast<int>(state.range(0)));
    platform::Machine bundle;
    bundle.system = &folder;
    platform::ScopedMachine scope(bundle);
    for (auto _ : state) {
        clsApp app;
        benchmark::DoNotOptimize(app.Check(2));
        if (app.Detector().BreedCount() != state.range(0)) state.SkipWithError("the knowledge base did not load");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * 11);
}
BENCHMARK(BM_LoadKnowledgeBase)->Arg(2000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
