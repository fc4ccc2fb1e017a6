#include "core/engine.h"
#include "core/patient_tables.h"
#include "core/picture_files.h"
#include "core/scenario.h"

namespace ardentix {

namespace {

constexpr const char* kMissingPicture =
    "File is missing. You may need to re-install Ardentix. Click to close program.";

void place(Engine& e, El name, Point p) {
    Element& el = e.screen.Edit(name);
    el.left = p.left;
    el.top = p.top;
}

void place(Engine& e, El name, Rect r) {
    Element& el = e.screen.Edit(name);
    el.left = r.left;
    el.top = r.top;
    el.width = r.width;
    el.height = r.height;
}

}  // namespace

void LoadPictureFiles(Engine& e, std::vector<PictureFile> files) {
    for (PictureFile& f : files)
        f.path = e.FilePath(f.path);
    if (e.ports.pictures->Load(files)) {
        e.Message(BoxKind::Warning, BoxButtons::Ok, kMissingPicture);
        e.ended = true;
    }
}

void LoadPictures(Engine& e) {
    LoadPictureFiles(e, SetPictureNames(e.state.PictureSet, e.state.PatientCategory == kPediatric,
                                        e.settings.On(Opt::OptBVM)));
}

void PlaceOverlays(Engine& e) {
    const SetLayout& l = kSetLayouts[e.state.PictureSet];
    e.screen.Edit(El::PATIENTGraphic).left = l.pictureOffset;
    place(e, El::AIRWAY, l.airway);
    place(e, El::Breathcheck, l.breathcheck);
    place(e, El::BVM, l.bvm);
    place(e, El::CPRHAND2, e.state.PatientCategory == kPediatric ? l.cprHandPediatric : l.cprHand);
    place(e, El::FACEMASK, e.settings.On(Opt::OptBVM) ? l.faceMaskBvm : l.faceMask);
    place(e, El::PULSEHAND, l.pulseHand);
    place(e, El::SHAKE, l.shake);
    place(e, El::PADWhiteZone, l.whiteZone);
    place(e, El::PADRedZONE, l.redZone);
    place(e, El::PADCurved, l.padCurved);
    place(e, El::PADWHITE2, l.padWhite2);
    place(e, El::PADRED2, l.padRed2);
}

}  // namespace ardentix
