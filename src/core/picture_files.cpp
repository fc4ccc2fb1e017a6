#include "core/picture_files.h"

#include <array>
#include <string_view>

#include "core/element_names.h"

namespace ardentix {

namespace {

struct SetFiles {
    std::string_view photo, airway, breath, bvm, cpr, cprPediatric, bvmMask, faceMask, pulse,
        padCurved, padRed, padWhite;
};

// The names mix cases as the files were delivered; they are looked up without regard to case.
constexpr std::array<SetFiles, 7> kSetFiles = {{
    {"PT1.jpg", "pt1aw.BMP", "pt1br.BMP", "pt1bvm.BMP", "pt1cpr.BMP", "", "pt1bvmd.BMP",
     "pt1fm.BMP", "pt1pls.BMP", "pt1padc.BMP", "pt1padr.BMP", "pt1padw.BMP"},
    {"PT2.JPG", "PT2AW.BMP", "PT2Br.BMP", "PT2BVM.BMP", "PT2CPR.BMP", "", "PT2BVMD.BMP",
     "PT2FM.BMP", "pt2pls.BMP", "pt2padc.BMP", "pt2padr.BMP", "pt2padw.BMP"},
    {"PT3.JPG", "PT3AW.BMP", "PT3Br.BMP", "PT3BVM.BMP", "PT3CPR.BMP", "", "PT3BVMD.BMP",
     "PT3FM.BMP", "pt3pls.BMP", "pt3padc.BMP", "pt3padr.BMP", "pt3padw.BMP"},
    {"PT4.jpg", "PT4AW.BMP", "PT4Br.BMP", "PT4BVM.BMP", "PT4CPR.BMP", "PT4CPR1.BMP", "PT4BVMD.BMP",
     "PT4FM.BMP", "pt4pls.BMP", "pt4padc.BMP", "pt4padr.BMP", "pt4padw.BMP"},
    {"PT5.jpg", "PT5AW.BMP", "PT5Br.BMP", "PT5BVM.BMP", "PT5CPR.BMP", "", "PT5BVMD.BMP",
     "PT5FM.BMP", "pt5pls.BMP", "pt5padc.BMP", "pt5padr.BMP", "pt5padw.BMP"},
    {"PT6.jpg", "PT6AW.BMP", "PT6Br.BMP", "PT6BVM.BMP", "PT6CPR.BMP", "", "PT6BVMD.BMP",
     "PT6FM.BMP", "pt6pls.BMP", "pt6padc.BMP", "pt6padr.BMP", "pt6padw.BMP"},
    {"PT7.jpg", "PT7AW.BMP", "PT7Br.BMP", "PT7BVM.BMP", "PT7CPR.BMP", "", "PT7BVMD.BMP",
     "PT7FM.BMP", "pt7pls.BMP", "pt7padc.BMP", "pt7padr.BMP", "pt7padw.BMP"},
}};

PictureFile file(El element, std::string_view name) {
    return {std::string(NameOf(element)), std::string(name), std::nullopt};
}

// The mask of an element's picture, loaded from a file of its own.
PictureFile maskFile(El element, std::string_view name) {
    return {std::string(NameOf(element)) + ".mask", std::string(name), std::nullopt};
}

// An overlay whose mask is made from the picture: seeded at its centre unless told otherwise.
PictureFile overlay(El element, std::string_view name, MaskSeed seed = {true, 0, 0}) {
    return {std::string(NameOf(element)), std::string(name), seed};
}

// The upper-chest pads are seeded inside the pad, the side pad as well, and the breathing check
// up and to the left of its centre.
constexpr MaskSeed kUpperPadSeed{false, 60, 40};
constexpr MaskSeed kSidePadSeed{false, 30, 30};
constexpr MaskSeed kBreathSeed{true, -50, -50};

}  // namespace

std::vector<PictureFile> SetPictureNames(int pictureSet, bool pediatric, bool bagValveMask) {
    const SetFiles& f = kSetFiles.at(static_cast<size_t>(pictureSet));
    const std::string_view hands = pediatric && !f.cprPediatric.empty() ? f.cprPediatric : f.cpr;
    return {
        file(El::PATIENTGraphic, f.photo),
        overlay(El::AIRWAY, f.airway),
        overlay(El::Breathcheck, f.breath, kBreathSeed),
        overlay(El::BVM, f.bvm),
        overlay(El::CPRHAND2, hands),
        overlay(El::FACEMASK, bagValveMask ? f.bvmMask : f.faceMask),
        overlay(El::PULSEHAND, f.pulse),
        overlay(El::PADCurved, f.padCurved, kSidePadSeed),
        overlay(El::PADRED2, f.padRed, kUpperPadSeed),
        overlay(El::PADWHITE2, f.padWhite, kUpperPadSeed),
    };
}

std::vector<PictureFile> CommonPictureNames() {
    return {
        file(El::HILIGHT, "HILIGHT.BMP"), maskFile(El::HILIGHT, "HILIGHTm.BMP"),
        file(El::SHAKE, "SHAKE.BMP"),     maskFile(El::SHAKE, "SHAKEm.BMP"),
        file(El::SHOUT, "SHOUT.BMP"),     maskFile(El::SHOUT, "SHOUTm.BMP"),
    };
}

std::vector<std::string> AllPictureFileNames() {
    std::vector<std::string> names;
    for (const SetFiles& f : kSetFiles) {
        for (std::string_view name :
             {f.photo, f.airway, f.breath, f.bvm, f.cpr, f.cprPediatric, f.bvmMask, f.faceMask,
              f.pulse, f.padCurved, f.padRed, f.padWhite}) {
            if (!name.empty()) names.emplace_back(name);
        }
    }
    for (const PictureFile& common : CommonPictureNames())
        names.push_back(common.path);
    return names;
}

std::string HighDensityName(std::string_view name) {
    const size_t dot = name.rfind('.');
    const std::string_view stem = name.substr(0, dot);
    const std::string_view extension = dot == std::string_view::npos ? "" : name.substr(dot);
    const bool jpeg = extension.size() == 4 && (extension[1] | 0x20) == 'j' &&
                      (extension[2] | 0x20) == 'p' && (extension[3] | 0x20) == 'g';
    return std::string(stem) + "@2x" + (jpeg ? std::string(extension) : std::string(".png"));
}

}  // namespace ardentix
