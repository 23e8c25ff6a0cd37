// Writing and reading a layout of 10,000 Desktop items. The ID lists imitate
// file-system items as the shell hands them out: one item ID of 60 to 140
// bytes (name, attributes, extension block) and the two-byte terminator.
// "Write" builds the file image, "Read" checks the header and copies every
// record out as a restore does; "File" adds one write and one read of the
// image through the file system.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "layouttool/layout_file.h"

namespace {

using lumetra::layouttool::BuildLayoutImage;
using lumetra::layouttool::ForEachLayoutRecord;
using lumetra::layouttool::LayoutRecordView;
using lumetra::layouttool::ReadLayoutHeader;
using lumetra::layouttool::SavedItem;

constexpr int kItems = 10000;

const std::vector<SavedItem>& Items() {
    static const std::vector<SavedItem> items = [] {
        std::vector<SavedItem> out;
        std::uint32_t seed = 12345;
        for (int i = 0; i < kItems; ++i) {
            seed = seed * 1103515245u + 12345u;
            const std::size_t itemSize = 60 + (seed >> 16) % 81;
            std::vector<std::uint8_t> id(itemSize + 2, 0);
            id[0] = static_cast<std::uint8_t>(itemSize);
            for (std::size_t b = 2; b < itemSize; ++b)
                id[b] = static_cast<std::uint8_t>((seed >> (b % 24)) + b);
            out.push_back({std::move(id), {(i % 20) * 96, (i / 20) * 96}});
        }
        return out;
    }();
    return items;
}

std::size_t ReadBack(const std::vector<std::uint8_t>& image) {
    std::vector<SavedItem> restored;
    restored.reserve(kItems);
    ForEachLayoutRecord(image, ReadLayoutHeader(image).count, [&](const LayoutRecordView& r) {
        restored.push_back({std::vector<std::uint8_t>(r.id.begin(), r.id.end()), r.point});
    });
    return restored.size();
}

void Report(benchmark::State& state, std::size_t bytes) {
    state.counters["records"] = kItems;
    state.counters["file_bytes"] = static_cast<double>(bytes);
    state.counters["bytes_per_record"] = static_cast<double>(bytes - 12) / kItems;
}

void BM_LayoutWrite(benchmark::State& state) {
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::vector<std::uint8_t> image = BuildLayoutImage(Items());
        bytes = image.size();
        benchmark::DoNotOptimize(image.data());
    }
    Report(state, bytes);
}
BENCHMARK(BM_LayoutWrite)->Unit(benchmark::kMicrosecond);

void BM_LayoutRead(benchmark::State& state) {
    const std::vector<std::uint8_t> image = BuildLayoutImage(Items());
    for (auto _ : state) benchmark::DoNotOptimize(ReadBack(image));
    Report(state, image.size());
}
BENCHMARK(BM_LayoutRead)->Unit(benchmark::kMicrosecond);

void BM_LayoutWriteReadFile(benchmark::State& state) {
    const std::string path = "layout_bench.sv1";
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::vector<std::uint8_t> image = BuildLayoutImage(Items());
        {
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(image.data()),
                      static_cast<std::streamsize>(image.size()));
        }
        std::ifstream in(path, std::ios::binary);
        const std::vector<std::uint8_t> read((std::istreambuf_iterator<char>(in)),
                                             std::istreambuf_iterator<char>());
        bytes = read.size();
        benchmark::DoNotOptimize(ReadBack(read));
    }
    std::remove(path.c_str());
    Report(state, bytes);
}
BENCHMARK(BM_LayoutWriteReadFile)->Unit(benchmark::kMicrosecond);

}  // namespace
