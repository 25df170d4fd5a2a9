// Storing one captured item into the history: into an empty history and into
// a full one, where the oldest of 24 items has to leave first. The store must
// not get markedly slower when full (within 1.5x of the empty case), so the
// shift of 23 records must not copy their texts or pictures. Both cases also
// copy the new item into the clipboard mirror, slot 0.
//
// Captures come seconds apart with other programs running in between, so
// every store starts with cold caches: both cases evict them before each
// store, outside the timed part. Without that, the empty case keeps its
// whole working set (source, slot 1, slot 0) in the last-level cache, while
// the full one writes into memory last touched 24 stores ago, and the
// figures would compare cache sizes rather than the store.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <string>
#include <vector>

#include "ansi_codepage.h"
#include "history.h"
#include "memory_picture.h"

namespace swl {
namespace {

class NullView final : public HistoryView {
public:
    void AddLine(const std::u16string&) override {}
    void DeleteLine(int) override {}
    void DeleteAllLines() override {}
    void SetLightValue(int) override {}
    void SetLightText(const std::u16string&) override {}
};

constexpr std::size_t kTextBytes = 4 * 1024 * 1024;
constexpr int kPictureWidth = 1920;
constexpr int kPictureHeight = 1080;

TCBI TextItem() {
    TCBI item;
    item.Format = kCF_TEXT;
    item.FormatName = "CF_TEXT";
    item.Text.assign(kTextBytes, 'x');
    item.WText.assign(kTextBytes, u'x');
    return item;
}

TCBI PictureItem() {
    TCBI item;
    item.Format = kCF_BITMAP;
    item.FormatName = "CF_BITMAP";
    item.Text = "Bitmap";
    item.Bitmap = std::make_unique<MemoryPicture>(kPictureWidth, kPictureHeight, 0x00336699u);
    return item;
}

// Larger than the last-level cache of the machines this runs on.
constexpr std::size_t kEvictBytes = 128 * 1024 * 1024;

void EvictCaches(benchmark::State& state, std::vector<char>& scratch) {
    state.PauseTiming();
    for (std::size_t i = 0; i < scratch.size(); i += 64) scratch[i] = static_cast<char>(scratch[i] + 1);
    benchmark::ClobberMemory();
    state.ResumeTiming();
}

// What a capture does with the history once it has read the clipboard.
void Store(THistory& history, const TCBI& captured) {
    history.ReserveSlot();
    history.ShowCountText();
    THistory::CopyItem(history.CBItems[history.CBCount], captured);
    history.AddNewestLine();
    THistory::CopyItem(history.CBItems[0], history.CBItems[history.CBCount]);
    benchmark::DoNotOptimize(history.CBItems[0].Text.data());
}

template <TCBI (*MakeItem)()>
void BM_StoreIntoEmpty(benchmark::State& state) {
    NullView view;
    Cp1252CodePage cp;
    THistory history(view, cp);
    const TCBI captured = MakeItem();
    std::vector<char> scratch(kEvictBytes);
    for (auto _ : state) {
        EvictCaches(state, scratch);
        Store(history, captured);
        state.PauseTiming();
        history.ClearItems();
        state.ResumeTiming();
    }
}

template <TCBI (*MakeItem)()>
void BM_StoreIntoFull(benchmark::State& state) {
    NullView view;
    Cp1252CodePage cp;
    THistory history(view, cp);
    const TCBI captured = MakeItem();
    std::vector<char> scratch(kEvictBytes);
    for (int i = 0; i < kMaxItems; ++i) Store(history, captured);
    for (auto _ : state) {
        EvictCaches(state, scratch);
        Store(history, captured);  // stays full: each store drops one
    }
}

BENCHMARK(BM_StoreIntoEmpty<TextItem>)->Name("StoreText4MB/empty")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StoreIntoFull<TextItem>)->Name("StoreText4MB/full")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StoreIntoEmpty<PictureItem>)
    ->Name("StorePicture1920x1080/empty")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StoreIntoFull<PictureItem>)
    ->Name("StorePicture1920x1080/full")
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace swl
