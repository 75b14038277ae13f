// The folder walk against `find` on the same tree of about 100,000 entries,
// shaped as bench/compare's start menu. The walk must take no longer than
// `find TREE > /dev/null`; compare the two times this program prints.

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "inventory/clsEnumList.h"
#include "inventory/mdlEnumList.h"
#include "platform/Machine.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

// 400 vendors with 10 products of 24 files each, half of them with a
// non-ASCII name: 100,400 entries.
class Tree {
public:
    Tree() : mRoot(fs::temp_directory_path() / ("quorvex-bench-walk-" + std::to_string(::getpid()))) {
        for (int v = 0; v < 400; ++v) {
            for (int p = 0; p < 10; ++p) {
                const fs::path folder =
                    mRoot / ("Vendor" + std::to_string(v) + " Software") / ("Product " + std::to_string(p));
                fs::create_directories(folder);
                for (int f = 0; f < 24; ++f) {
                    std::ofstream(folder / ((f % 2 ? "N\xc3\xa1stroj " : "Tool") + std::to_string(f) + ".desktop"));
                }
            }
        }
    }
    ~Tree() {
        std::error_code ec;
        fs::remove_all(mRoot, ec);
    }
    const fs::path& Root() const { return mRoot; }

private:
    fs::path mRoot;
};

const Tree& TheTree() {
    static const Tree tree;
    return tree;
}

// The walker's recursion through the seam, without the list it fills.
void WalkSeam(const std::wstring& folder, size_t& lines, int level) {
    platform::FindEntry entry;
    auto search = platform::Host().files->FindFirst(folder + L"/*", entry);
    if (!search) return;
    do {
        if (entry.Name == L"." || entry.Name == L"..") continue;
        ++lines;
        if ((entry.Attributes & platform::kAttrDirectory) && !(entry.Attributes & platform::kAttrReparsePoint) &&
            level <= 255) {
            WalkSeam(folder + L"/" + entry.Name, lines, level + 1);
        }
    } while (search->Next(entry));
}

void BM_Find(benchmark::State& state) {
    const std::string root = TheTree().Root().string();
    for (auto _ : state) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        char* argv[] = {const_cast<char*>("find"), const_cast<char*>(root.c_str()), nullptr};
        pid_t pid = 0;
        if (posix_spawnp(&pid, "find", &actions, nullptr, argv, environ) == 0) {
            int status = 0;
            waitpid(pid, &status, 0);
        }
        posix_spawn_file_actions_destroy(&actions);
    }
}

void BM_WalkThroughSeam(benchmark::State& state) {
    const std::wstring root = TheTree().Root().wstring();
    size_t lines = 0;
    for (auto _ : state) {
        lines = 0;
        WalkSeam(root, lines, 1);
        benchmark::DoNotOptimize(lines);
    }
    state.counters["entries"] = static_cast<double>(lines);
}

void BM_FileList(benchmark::State& state) {
    const std::wstring root = TheTree().Root().wstring();
    size_t length = 0;
    for (auto _ : state) {
        clsEnumList list;
        mdlEnumList::FileList(root, list, 1, static_cast<int32_t>(root.size()) + 1);
        length = list.Text().size();
        benchmark::DoNotOptimize(length);
    }
    state.counters["chars"] = static_cast<double>(length);
}

}  // namespace

BENCHMARK(BM_Find)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WalkThroughSeam)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FileList)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
