// The layout dialogs of the reference host: aligning, sizing, scaling, tab order and creation
// order of a module's selection. Nothing waits for a person: each dialog is a question whose
// answer a tool or a test gives; an unanswered question is a cancelled dialog.
#pragma once

#include <functional>
#include <vector>

#include "moduledesigner/RootAlign.h"

namespace formwright {

class TComponentRoot;

// What the align dialog chose: one command per direction (afNothing leaves it).
struct TAlignChoice {
  TOTAAffect Horizontal = afNothing;
  TOTAAffect Vertical = afNothing;
};

// What the size dialog chose: one command per direction, with the value of an absolute size.
struct TSizeChoice {
  TOTASizeAffect Horizontal = asNothing;
  int Width = 0;
  TOTASizeAffect Vertical = asNothing;
  int Height = 0;
};

// Each question is shown the current choice (for the order dialogs, the names in their present
// order) and returns false for Cancel.
struct TLayoutQuestions {
  std::function<bool(TAlignChoice& Choice)> Align;
  std::function<bool(TSizeChoice& Choice)> Size;
  // The scaling factor in percent, offered as 100.
  std::function<bool(int& Percent)> Scale;
  // The windowed controls of the anchor's parent (the root's when the root is selected).
  std::function<bool(std::vector<String>& Names)> TabOrder;
  // The module's non-visual components, in the order they are created on reading.
  std::function<bool(std::vector<String>& Names)> CreationOrder;
};

inline constexpr const char* SScaleRange = "Scaling must be from %d to %d percent, not %d";
inline constexpr const char* SOrderNames = "The new order must list each of %s once";
inline constexpr int MinScale = 25;
inline constexpr int MaxScale = 400;

// Asks the question of dialog Kind and applies the answer to Root's selection with Align,
// Size, scaling (each selected control, or the root when it is selected), tab order or creation
// order; Root is modified once. A cancelled dialog, and the template dialog (the reference host
// keeps no templates), change nothing. A bad answer raises before anything changes.
void ShowLayoutDialog(const TLayoutQuestions& Questions, TComponentRoot& Root, TDesignDialog Kind);

}  // namespace formwright
