// The edit model, driven as the panel and the curve view drive it: each case makes its
// edits on two tracks and states the keys they must hold; undoing every step must give
// the tracks back as they were and redoing them the edited keys again.
#include "sync/track_editor.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

namespace quintaval {
namespace {

using Keys = std::vector<SyncKey>;

std::string show(const Keys& keys) {
  std::string text;
  for (const SyncKey& key : keys) {
    text += "(" + std::to_string(key.row) + " " + std::to_string(key.value) + " " + std::to_string(key.type) + ")";
  }
  return text;
}

struct EditCase {
  const char* name;
  Keys a, b;  // before
  std::function<void(TrackEditor&)> edit;
  Keys wantA, wantB;
};

const Keys kLine = {{0, 0.0f, kSyncLinear}, {10, 10.0f, kSyncStep}, {20, 4.0f, kSyncRamp}};
const Keys kOther = {{0, 1.0f, kSyncStep}, {22, 2.0f, kSyncStep}, {40, 3.0f, kSyncSmooth}};

TEST(TrackEditor, EditsUndoAndRedo) {
  const EditCase cases[] = {
      {"a typed key between two takes the interpolation before it", kLine, kOther,
       [](TrackEditor& e) { e.setValue(0, 5, 7.0f); },
       {{0, 0.0f, kSyncLinear}, {5, 7.0f, kSyncLinear}, {10, 10.0f, kSyncStep}, {20, 4.0f, kSyncRamp}}, kOther},
      {"a typed key on a key keeps its interpolation", kLine, kOther, [](TrackEditor& e) { e.setValue(0, 20, -1.0f); },
       {{0, 0.0f, kSyncLinear}, {10, 10.0f, kSyncStep}, {20, -1.0f, kSyncRamp}}, kOther},
      {"a key before the first is a step", kLine, kOther, [](TrackEditor& e) { e.setValue(0, -3, 2.0f); },
       {{-3, 2.0f, kSyncStep}, {0, 0.0f, kSyncLinear}, {10, 10.0f, kSyncStep}, {20, 4.0f, kSyncRamp}}, kOther},
      {"remove", kLine, kOther, [](TrackEditor& e) { e.removeKey(1, 22); }, kLine,
       {{0, 1.0f, kSyncStep}, {40, 3.0f, kSyncSmooth}}},
      {"the interpolation cycles and wraps; a raw type starts again", kLine, {{0, 1.0f, 77}}, [](TrackEditor& e) {
         e.cycleInterpolation(0, 0);
         e.cycleInterpolation(0, 20);
         e.cycleInterpolation(1, 0);
       },
       {{0, 0.0f, kSyncSmooth}, {10, 10.0f, kSyncStep}, {20, 4.0f, kSyncStep}}, {{0, 1.0f, kSyncStep}}},
      {"a key on the curve has the curve's value", kLine, kOther, [](TrackEditor& e) { e.addKeyOnCurve(0, 4); },
       {{0, 0.0f, kSyncLinear}, {4, 4.0f, kSyncLinear}, {10, 10.0f, kSyncStep}, {20, 4.0f, kSyncRamp}}, kOther},
      {"cut a block of both tracks", kLine, kOther, [](TrackEditor& e) { e.cut({0, 1, 5, 22}); },
       {{0, 0.0f, kSyncLinear}}, {{0, 1.0f, kSyncStep}, {40, 3.0f, kSyncSmooth}}},
      {"paste replaces what the block covers and keeps relative rows", kLine, kOther,
       [](TrackEditor& e) {
         e.copy({0, 0, 5, 20});
         e.paste(1, 30);
       },
       kLine, {{0, 1.0f, kSyncStep}, {22, 2.0f, kSyncStep}, {35, 10.0f, kSyncStep}, {45, 4.0f, kSyncRamp}}},
      {"paste past the last track keeps the tracks that exist", kLine, kOther,
       [](TrackEditor& e) {
         e.copy({0, 1, 0, 0});
         e.paste(1, 100);
       },
       kLine, {{0, 1.0f, kSyncStep}, {22, 2.0f, kSyncStep}, {40, 3.0f, kSyncSmooth}, {100, 0.0f, kSyncLinear}}},
      {"a cut pasted back elsewhere", kLine, kOther,
       [](TrackEditor& e) {
         e.cut({0, 0, 10, 10});
         e.paste(0, 15);
       },
       {{0, 0.0f, kSyncLinear}, {15, 10.0f, kSyncStep}, {20, 4.0f, kSyncRamp}}, kOther},
      {"a drag over another key gives it back; the drag is one step", kLine, kOther,
       [](TrackEditor& e) {
         e.beginDrag(0, 10);
         e.dragTo(20, 1.0f);
         e.dragTo(12, 1.0f);
         e.dragTo(13, 2.5f);
         e.endDrag();
       },
       {{0, 0.0f, kSyncLinear}, {13, 2.5f, kSyncStep}, {20, 4.0f, kSyncRamp}}, kOther},
      {"a drag that ends on a key replaces it", kLine, kOther,
       [](TrackEditor& e) {
         e.beginDrag(1, 0);
         e.dragTo(22, 5.0f);
         e.setValue(0, 1, 1.0f);  // ends the drag first
       },
       {{0, 0.0f, kSyncLinear}, {1, 1.0f, kSyncLinear}, {10, 10.0f, kSyncStep}, {20, 4.0f, kSyncRamp}},
       {{22, 5.0f, kSyncStep}, {40, 3.0f, kSyncSmooth}}},
      {"whole tracks replaced, in any order", kLine, kOther,
       [](TrackEditor& e) { e.replaceTracks({{1, {{9, 1.0f, 0}, {3, 2.0f, 0}}}}); }, kLine,
       {{9, 1.0f, 0}, {3, 2.0f, 0}}},
  };
  for (const EditCase& c : cases) {
    SCOPED_TRACE(c.name);
    SyncTrack a{"a", c.a}, b{"b", c.b};
    TrackEditor editor({&a, &b});
    c.edit(editor);
    EXPECT_EQ(show(a.keys), show(c.wantA));
    EXPECT_EQ(show(b.keys), show(c.wantB));
    EXPECT_EQ(editor.unsaved(0), !sameKeys(c.a, c.wantA));
    EXPECT_EQ(editor.unsaved(1), !sameKeys(c.b, c.wantB));
    while (editor.undo()) {
    }
    EXPECT_EQ(show(a.keys), show(c.a));
    EXPECT_EQ(show(b.keys), show(c.b));
    EXPECT_FALSE(editor.unsaved());
    while (editor.redo()) {
    }
    EXPECT_EQ(show(a.keys), show(c.wantA));
    EXPECT_EQ(show(b.keys), show(c.wantB));
  }
}

TEST(TrackEditor, EditsThatChangeNothingAreNoSteps) {
  SyncTrack a{"a", kLine};
  SyncTrack damaged{"damaged", {{5, 1.0f, 0}, {2, 2.0f, 0}}};
  TrackEditor editor({&a, &damaged});
  EXPECT_FALSE(editor.setKey(0, kLine[1]));
  EXPECT_FALSE(editor.removeKey(0, 3));
  EXPECT_FALSE(editor.cycleInterpolation(0, 3));
  EXPECT_FALSE(editor.addKeyOnCurve(0, 10));
  EXPECT_FALSE(editor.paste(0, 0));  // nothing copied
  EXPECT_FALSE(editor.setValue(2, 0, 1.0f));
  EXPECT_FALSE(editor.beginDrag(0, 3));
  EXPECT_FALSE(editor.replaceTracks({{0, kLine}, {5, {}}}));  // the same keys; no such track
  // Rows out of order: shown, never sorted by an edit.
  EXPECT_FALSE(editor.editable(1));
  EXPECT_FALSE(editor.setValue(1, 9, 1.0f));
  EXPECT_EQ(damaged.keys.size(), 2u);
  EXPECT_FALSE(editor.undo());
  EXPECT_EQ(editor.revision(), 0u);
}

TEST(TrackEditor, KeepsTheLastThousandStepsAndForgetsRedoAfterANewEdit) {
  SyncTrack a{"a", {}};
  TrackEditor editor({&a});
  for (int row = 0; row < 1200; ++row) editor.setValue(0, row, 1.0f);
  int undone = 0;
  while (editor.undo()) ++undone;
  EXPECT_EQ(undone, static_cast<int>(TrackEditor::kUndoSteps));
  EXPECT_EQ(a.keys.size(), 200u);
  editor.redo();
  editor.setValue(0, -1, 1.0f);
  EXPECT_FALSE(editor.redo());
}

TEST(TrackEditor, UnsavedFollowsWhatTheFileHolds) {
  SyncTrack a{"a", kLine}, b{"b", kOther};
  TrackEditor editor({&a, &b});
  editor.setValue(1, 5, 1.0f);
  EXPECT_THAT(editor.unsavedTracks(), ::testing::ElementsAre(1));
  editor.setSaved(1, b.keys);  // saved
  EXPECT_FALSE(editor.unsaved());
  editor.undo();  // back to what the file no longer holds
  EXPECT_TRUE(editor.unsaved(1));
  editor.setSaved(1, b.keys);  // the file changed on disk to these keys
  EXPECT_FALSE(editor.unsaved());
}

}  // namespace
}  // namespace quintaval
