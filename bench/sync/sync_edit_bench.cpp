// Cost of sync editing at its largest: 19 tracks of 10,000 keys each.
//   BM_EditThenEvaluate  one typed key (alternately set and replaced, so the tracks keep
//                        their size) and the next frame's evaluation of all 19 tracks;
//                        target under 1 ms
//   BM_UndoRedo          one undo and one redo of such an edit
//   BM_Save              a save of all 19 tracks, each file written beside its place,
//                        flushed to the disk and renamed; target under 100 ms
//   BM_SaveWithSheet     the same with a sheet of those tracks rewritten too (a 6 MB sheet,
//                        read twice by the parser: once to rewrite, once to check)
//   BM_ParseSheet        the parser alone on that sheet
// Run: build/bench/sync_edit_bench   (the saves write into a folder under /tmp)
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "sync/track_editor.h"
#include "sync/track_saver.h"

namespace {

using namespace quintaval;
namespace fs = std::filesystem;

constexpr int kTracks = 19;
constexpr int kKeysPerTrack = 10000;

std::vector<SyncTrack> makeTracks() {
  std::mt19937 random(1);
  std::uniform_real_distribution<float> value(-10.0f, 10.0f);
  std::vector<SyncTrack> tracks(kTracks);
  for (int t = 0; t < kTracks; ++t) {
    tracks[t].name = "track" + std::to_string(t);
    int row = 0;
    for (int k = 0; k < kKeysPerTrack; ++k) {
      row += 2 + static_cast<int>(random() % 4);
      tracks[t].keys.push_back({row, value(random), static_cast<int>(random() % 4)});
    }
  }
  return tracks;
}

std::vector<SyncTrack*> handles(std::vector<SyncTrack>& tracks) {
  std::vector<SyncTrack*> all;
  for (SyncTrack& track : tracks) all.push_back(&track);
  return all;
}

void BM_EditThenEvaluate(benchmark::State& state) {
  std::vector<SyncTrack> tracks = makeTracks();
  TrackEditor editor(handles(tracks));
  const int row = tracks[0].keys[kKeysPerTrack / 2].row + 1;  // between two keys
  float value = 0.0f;
  for (auto _ : state) {
    if (value == 0.0f) {
      editor.setValue(0, row, 1.0f);
    } else {
      editor.removeKey(0, row);
    }
    value = 1.0f - value;
    double sum = 0.0;
    for (const SyncTrack& track : tracks) sum += track.valueAt(row + 0.5);
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_EditThenEvaluate)->Unit(benchmark::kMicrosecond);

void BM_UndoRedo(benchmark::State& state) {
  std::vector<SyncTrack> tracks = makeTracks();
  TrackEditor editor(handles(tracks));
  editor.setValue(3, tracks[3].keys[100].row + 1, 2.0f);
  for (auto _ : state) {
    editor.undo();
    editor.redo();
  }
}
BENCHMARK(BM_UndoRedo)->Unit(benchmark::kMicrosecond);

void save(benchmark::State& state, bool withSheet) {
  std::vector<SyncTrack> tracks = makeTracks();
  std::vector<SheetTrack> saved;
  std::string sheet = "# every track\n";
  for (const SyncTrack& track : tracks) {
    saved.push_back({track.name, track.keys, 0, {}});
    sheet += "\n" + formatSheetTrack(track.name, track.keys);
  }
  const fs::path dir = fs::temp_directory_path() / "quintaval-sync-bench";
  fs::create_directories(dir);
  const fs::path sheetPath = dir / "bench.sync";
  TrackSaver saver((dir / "sync").string(), withSheet ? sheetPath.string() : std::string());
  float nudge = 0.0f;
  for (auto _ : state) {
    state.PauseTiming();
    {
      FILE* file = std::fopen(sheetPath.string().c_str(), "wb");
      std::fwrite(sheet.data(), 1, sheet.size(), file);
      std::fclose(file);
    }
    for (SheetTrack& track : saved) track.keys[0].value = nudge;  // an edit in every track
    nudge += 1.0f;
    state.ResumeTiming();
    TrackSaver::Batch batch;
    std::string error;
    if (!saver.stage(saved, batch, error) || !saver.commit(batch, error) || !batch.sheetProblem().empty()) {
      state.SkipWithError((error + batch.sheetProblem()).c_str());
      break;
    }
  }
  fs::remove_all(dir);
}

void BM_Save(benchmark::State& state) { save(state, false); }
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);

void BM_SaveWithSheet(benchmark::State& state) { save(state, true); }
BENCHMARK(BM_SaveWithSheet)->Unit(benchmark::kMillisecond);

void BM_ParseSheet(benchmark::State& state) {
  std::vector<SyncTrack> tracks = makeTracks();
  std::string sheet;
  for (const SyncTrack& track : tracks) sheet += formatSheetTrack(track.name, track.keys);
  for (auto _ : state) benchmark::DoNotOptimize(parseTrackSheet(sheet));
}
BENCHMARK(BM_ParseSheet)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
