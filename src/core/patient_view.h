#pragma once
#include <string>
#include <vector>

#include "core/element_names.h"

namespace ardentix {

class Engine;

// One picture of the composed patient view, in the order of drawing: the picture's element, its
// place in the view and, when stretched, how much wider and higher than its own size it is drawn.
struct DrawItem {
    El picture;
    int left = 0;
    int top = 0;
    int growWidth = 0;
    int growHeight = 0;
};

// The patient view as the state shows it now: the photograph, then the overlays. Empty while
// the view is black (between the reset and the start of a scenario).
std::vector<DrawItem> PatientPicture(const Engine& e);

// The patient view is drawn anew from the state.
void Redraw(Engine& e);

}  // namespace ardentix
