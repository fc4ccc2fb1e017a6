#pragma once
#include <vector>

#include "core/ports.h"

namespace ardentix {

class Engine;

// Draws the patient of the next scenario.
void PrepareScenario(Engine& e);
// Puts every per-scenario field and display element back to its start.
void ResetScenario(Engine& e);

// The patient view loads the pictures of the current picture set; a missing file ends the
// program after telling the user.
void LoadPictures(Engine& e);
// Loads pictures through the pictures port; a missing file ends the program after telling the user.
void LoadPictureFiles(Engine& e, std::vector<PictureFile> files);
// Puts the overlays and pad zones where they belong on the current picture set.
void PlaceOverlays(Engine& e);
// Points per correct step for the current patient and settings.
int StepPointsFor(const Engine& e);

// Program start: the main window is created, then shown.
void CreateMainWindow(Engine& e);
void ShowMainWindow(Engine& e);
// The border window behind the main window follows OPTSCREENSIZE: at start and on every change.
void FollowBorderOption(Engine& e);

}  // namespace ardentix
