// qira-kit preview: a set's background with the attack cell outlined, every
// frame pair as the fight shows it, labelled, and the check's findings.
#pragma once
#include "qira-kit/check.h"
#include "qira-kit/setview.h"
#include <span>

struct preview_xy {
  int x, y;
};

// Where frame k of a player's sheet sits on a preview at scale 1.
preview_xy preview_frame_at(const kit_set_view &view, int player, int k);
// The preview at scale 1..4, in the background's palette (with entries no
// picture uses taken for the labels and marks).
kit_picture preview_draw(const kit_set_view &view, std::span<const check_finding> findings,
                         int scale);
