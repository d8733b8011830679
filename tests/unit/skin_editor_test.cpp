// The editor's edits, undo and redo, unsaved changes, and the texts an author types.
#include "core/skineditor/skin_editor.h"

#include <gtest/gtest.h>

#include "core/skineditor/clock_size.h"
#include "core/skineditor/face_time.h"

namespace quarvel {
namespace {

SkinDocument Kite() {
  SkinDocument skin;
  skin.hand(HandId::kHour) = {255, {{0, 0}, {-8, 25}, {0, 90}, {8, 25}, {0, 0}}};
  skin.bitmapName = "qv.bmp";
  skin.penWidth = 2;
  return skin;
}

TEST(SkinEditor, EveryEditIsOneStepOfUndoAndRedo) {
  SkinEditor editor(Kite());
  EXPECT_FALSE(editor.HasUnsavedChanges());
  EXPECT_TRUE(editor.SetColor(HandId::kHour, 65280));
  EXPECT_TRUE(editor.InsertPoint(HandId::kHour, 2, {-4, 60}));
  EXPECT_TRUE(editor.SetPoint(HandId::kHour, 3, {0, 95}));
  EXPECT_TRUE(editor.DeletePoint(HandId::kHour, 0));
  EXPECT_TRUE(editor.SetBitmapName("night.bmp"));
  EXPECT_TRUE(editor.SetPenWidth(3));
  EXPECT_FALSE(editor.SetPenWidth(3)) << "the same value again is no step";
  const SkinDocument edited = editor.document();
  EXPECT_EQ(edited.hand(HandId::kHour),
            (HandDraft{65280, {{-8, 25}, {-4, 60}, {0, 95}, {8, 25}, {0, 0}}}));
  int undone = 0;
  while (editor.Undo()) ++undone;
  EXPECT_EQ(undone, 6);
  EXPECT_EQ(editor.document(), Kite());
  EXPECT_FALSE(editor.HasUnsavedChanges());
  while (editor.Redo()) continue;
  EXPECT_EQ(editor.document(), edited);
  editor.MarkSaved();
  EXPECT_FALSE(editor.HasUnsavedChanges());
  editor.Undo();
  EXPECT_TRUE(editor.HasUnsavedChanges());
  editor.SetColor(HandId::kSecond, 1);
  EXPECT_FALSE(editor.CanRedo()) << "a new edit drops what was undone";
}

TEST(SkinEditor, ADragIsUndoneInOneStep) {
  SkinEditor editor(Kite());
  editor.BeginDrag();
  EXPECT_FALSE(editor.Undo()) << "no undo in the middle of a drag";
  for (int percent = 91; percent <= 99; ++percent)
    EXPECT_TRUE(editor.DragPoint(HandId::kHour, 2, {0, percent}));
  editor.EndDrag();
  EXPECT_EQ(editor.document().hand(HandId::kHour).points[2], (ShapePoint{0, 99}));
  EXPECT_TRUE(editor.Undo());
  EXPECT_EQ(editor.document(), Kite());
  EXPECT_FALSE(editor.CanUndo());
  editor.BeginDrag();  // a click on a point that does not move it
  editor.EndDrag();
  EXPECT_FALSE(editor.CanUndo());
}

TEST(SkinEditor, LimitsTheClockReadsBy) {
  SkinEditor editor(Kite());
  for (int i = 5; i < 51; ++i) EXPECT_TRUE(editor.InsertPoint(HandId::kHour, 0, {i, i}));
  EXPECT_FALSE(editor.InsertPoint(HandId::kHour, 0, {1, 1})) << "51 points at most";
  EXPECT_FALSE(editor.InsertPoint(HandId::kMinute, 1, {1, 1})) << "past the end";
  EXPECT_FALSE(editor.DeletePoint(HandId::kMinute, 0));
  for (int refused : {0, 32768}) EXPECT_FALSE(editor.SetPenWidth(refused)) << refused;
  EXPECT_TRUE(editor.SetPenWidth(32767));
}

TEST(SkinEditor, SymmetricEditsMoveAPointAndItsMirrorInOneStep) {
  SkinEditor editor(Kite());  // {0,0} {-8,25} {0,90} {8,25} {0,0}
  editor.SetSymmetric(true);
  EXPECT_FALSE(editor.CanUndo()) << "switching on is no edit";
  const auto points = [&] { return editor.document().hand(HandId::kHour).points; };
  using Points = std::vector<ShapePoint>;

  EXPECT_TRUE(editor.SetPoint(HandId::kHour, 1, {-10, 30}));
  EXPECT_EQ(points(), (Points{{0, 0}, {-10, 30}, {0, 90}, {10, 30}, {0, 0}}));
  EXPECT_TRUE(editor.NudgePoint(HandId::kHour, 3, 1, -1));
  EXPECT_EQ(points(), (Points{{0, 0}, {-11, 29}, {0, 90}, {11, 29}, {0, 0}}));
  editor.BeginDrag();
  for (int percent = 31; percent <= 40; ++percent)
    EXPECT_TRUE(editor.DragPoint(HandId::kHour, 1, {-12, percent}));
  editor.EndDrag();
  EXPECT_EQ(points(), (Points{{0, 0}, {-12, 40}, {0, 90}, {12, 40}, {0, 0}}));
  EXPECT_TRUE(editor.SetPoint(HandId::kHour, 2, {0, 95})) << "a point on the axis is its own";
  EXPECT_EQ(points(), (Points{{0, 0}, {-12, 40}, {0, 95}, {12, 40}, {0, 0}}));

  // Inserted into the mirrored gap: beside the axis point, and beside the ends.
  EXPECT_TRUE(editor.InsertPoint(HandId::kHour, 2, {-4, 60}));
  EXPECT_EQ(points(), (Points{{0, 0}, {-12, 40}, {-4, 60}, {0, 95}, {4, 60}, {12, 40}, {0, 0}}));
  EXPECT_TRUE(editor.InsertPoint(HandId::kHour, 1, {5, 10}));
  EXPECT_EQ(
      points(),
      (Points{{0, 0}, {5, 10}, {-12, 40}, {-4, 60}, {0, 95}, {4, 60}, {12, 40}, {-5, 10}, {0, 0}}));
  EXPECT_TRUE(editor.DeletePoint(HandId::kHour, 3));
  EXPECT_EQ(points(), (Points{{0, 0}, {5, 10}, {-12, 40}, {0, 95}, {12, 40}, {-5, 10}, {0, 0}}));

  int undone = 0;
  while (editor.Undo()) ++undone;
  EXPECT_EQ(undone, 7) << "one step per symmetric edit";
  EXPECT_EQ(editor.document(), Kite());
}

TEST(SkinEditor, SymmetricEditsOnlyWhatHasAMirrorAtTheMirroredPlaceWithRoomForTwo) {
  SkinDocument skin = Kite();
  skin.hand(HandId::kHour).points = {{0, 0}, {-8, 25}, {0, 90}, {12, 30}, {0, 0}};
  SkinEditor editor(skin);
  editor.SetSymmetric(true);
  EXPECT_EQ(editor.document(), skin);
  EXPECT_TRUE(editor.SetPoint(HandId::kHour, 1, {-9, 25}));
  EXPECT_TRUE(editor.DeletePoint(HandId::kHour, 3));
  EXPECT_EQ(editor.document().hand(HandId::kHour).points,
            (std::vector<ShapePoint>{{0, 0}, {-9, 25}, {0, 90}, {0, 0}}));
  skin.hand(HandId::kHour).points[3] = {8, 25};  // now it has a mirror, and switched off...
  SkinEditor plain(skin);
  EXPECT_TRUE(plain.SetPoint(HandId::kHour, 1, {-9, 25}));
  EXPECT_EQ(plain.document().hand(HandId::kHour).points[3], (ShapePoint{8, 25}))
      << "...it stays put";
  // A pair needs room for two points.
  SkinDocument full = Kite();
  full.hand(HandId::kHour).points.resize(50, ShapePoint{0, 0});
  SkinEditor crowded(full);
  crowded.SetSymmetric(true);
  EXPECT_FALSE(crowded.InsertPoint(HandId::kHour, 1, {-3, 3}));
  EXPECT_TRUE(crowded.InsertPoint(HandId::kHour, 1, {0, 3})) << "one on the axis fits";
  // Two loops of the same shape: point 1's mirror is point 5, at the mirrored place, not 2.
  skin.hand(HandId::kHour).points = {{0, 0}, {-8, 25}, {8, 25}, {0, 50}, {-8, 25}, {8, 25}, {0, 0}};
  SkinEditor loops(skin);
  loops.SetSymmetric(true);
  EXPECT_EQ(std::make_tuple(SkinEditor::MirrorOf(skin.hand(HandId::kHour).points, 1),
                            SkinEditor::MirrorOf(skin.hand(HandId::kHour).points, 3)),
            std::make_tuple(5, -1));
  EXPECT_TRUE(loops.SetPoint(HandId::kHour, 1, {-9, 25}));
  EXPECT_EQ(
      loops.document().hand(HandId::kHour).points,
      (std::vector<ShapePoint>{{0, 0}, {-9, 25}, {8, 25}, {0, 50}, {-8, 25}, {9, 25}, {0, 0}}));
}

TEST(SkinEditor, ANudgeIsOneStepWithinTheLimits) {
  SkinDocument skin = Kite();
  skin.hand(HandId::kHour).points = {{179, 0}, {-180, 32767}};
  SkinEditor editor(skin);
  EXPECT_TRUE(editor.NudgePoint(HandId::kHour, 0, 1, 0));
  EXPECT_EQ(editor.document().hand(HandId::kHour).points[0], (ShapePoint{-180, 0}))
      << "the angle turns round";
  EXPECT_FALSE(editor.NudgePoint(HandId::kHour, 0, 0, -1)) << "no percent below 0";
  EXPECT_FALSE(editor.NudgePoint(HandId::kHour, 1, 0, 1)) << "none beyond 16 bits";
  EXPECT_TRUE(editor.NudgePoint(HandId::kHour, 1, -1, -1));
  EXPECT_EQ(editor.document().hand(HandId::kHour).points[1], (ShapePoint{179, 32766}));
  EXPECT_FALSE(editor.NudgePoint(HandId::kHour, 2, 1, 0)) << "no such point";
  EXPECT_TRUE(editor.Undo() && editor.Undo());
  EXPECT_EQ(editor.document(), skin);
}

TEST(FaceTime, TheAuthorsTime) {
  EXPECT_EQ(TimeText(*ParseTimeOfDay(" 10:08:36 ")), "10:08:36");
  EXPECT_EQ(TimeText(*ParseTimeOfDay("7:05")), "07:05:00");
  for (const char* bad : {"", "10", "24:00:00", "10:60", "10:08:36:1", "1:2:x", "100:00", ":10"})
    EXPECT_FALSE(ParseTimeOfDay(bad)) << bad;
}

TEST(ClockSizeText, ReadsWhatAnAuthorTypes) {
  for (int16_t percent : kSizeChoices) EXPECT_EQ(ParseSize(SizeText(percent)), percent);
  const std::pair<const char*, std::optional<int16_t>> typed[] = {
      {"", 0},      {"  automatic ", 0}, {"125", 125}, {"125%", 125}, {" 75 % ", 75},
      {"50", 50},   {"400", 400},        {"49", {}},   {"401", {}},   {"1000", {}},
      {"-100", {}}, {"1.5", {}},         {"%", {}},    {"auto", {}}};
  for (const auto& [text, percent] : typed) EXPECT_EQ(ParseSize(text), percent) << text;
}

}  // namespace
}  // namespace quarvel
