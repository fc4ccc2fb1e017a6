#include "core/patient_tables.h"

namespace ardentix {

// "*" marks the line break of the two message lines.
const std::array<std::string_view, 21> kAdultHistory = {
    " with a history of*heart disease. Found collapsed.",
    " who was*found unconscious.",
    " who collapsed*and stopped breathing.",
    " with an unknown*medical history. (unresponsive)",
    " with a sudden*onset of weakness. (collapsed)",
    " who was found*unconscious by a co-worker.",
    " feeling weak and*nauseated. Collapsed soon after.",
    " who was*found unresponsive.",
    " with a history*of heart disease. Found unconscious.",
    " with*chest pain who suddenly collapsed.",
    " with severe* abdominal pain. Lying unresponsive.",
    " found*on the floor in the restroom.",
    " who was*complaining of chest pain then collapsed.",
    " drowning victim.*",
    " victim of*carbon monoxide poisoning. (unconscious)",
    " who collapsed*in his office.",
    " diabetic who*became unconscious.",
    " who complained*of weakness then collapsed.",
    " who was found*unresponsive by a bystander.",
    " with a history*of heart failure. Found unconscious.",
    " who awoke*with chest pain then collapsed.",
};

const std::array<std::string_view, 8> kChildHistory = {
    " drowning victim,*underwater for 10 min. (non-hypothermic)",
    " found*lying in bed. (unresponsive)",
    " who took a*drug overdose. (unresponsive)",
    " who has*stopped breathing. (unconscious)",
    " with a*congenital heart disease. (unconscious)",
    " with a history of*allergies to insect venom. (collapsed)",
    " who is unrespon-*sive after being trapped in confined space.",
    " drowned in*family pool. (non-hypothermic)",
};

// offset, AIRWAY, Breathcheck, BVM, CPRHAND2, CPRHAND2 below the minimum, FACEMASK with BVM,
// FACEMASK without, PULSEHAND, SHAKE, PADWhiteZone, PADRedZONE, PADCurved, PADWHITE2, PADRED2
const std::array<SetLayout, kPictureSets> kSetLayouts = {{
    {0, {60, 7}, {0, -5}, {-14, -11}, {-19, 47}, {-19, 47}, {-14, -11}, {0, 0}, {-1, 91},
     {-28, 120}, {83, 155, 64, 80}, {175, 210, 66, 94}, {156, 199}, {37, 126}, {40, 126}},
    {-5, {52, 16}, {0, 0}, {0, 0}, {-1, 87}, {-1, 87}, {0, 0}, {-1, 1}, {0, 115}, {-29, 130},
     {73, 185, 64, 89}, {171, 220, 65, 89}, {159, 202}, {49, 149}, {49, 149}},
    {-10, {42, 12}, {0, 0}, {-1, -1}, {0, 70}, {0, 70}, {-1, -1}, {-1, 1}, {0, 113}, {-30, 115},
     {70, 175, 80, 95}, {164, 210, 70, 95}, {168, 193}, {48, 142}, {48, 142}},
    {0, {38, 17}, {-13, -3}, {-13, -6}, {-10, 89}, {-14, 20}, {-13, -6}, {-14, -7}, {-13, 116},
     {-15, 135}, {83, 175, 74, 89}, {173, 210, 56, 94}, {155, 200}, {74, 149}, {74, 149}},
    {-9, {54, 12}, {0, 0}, {0, 0}, {0, 106}, {0, 106}, {0, 0}, {0, 0}, {5, 135}, {-30, 130},
     {67, 188, 69, 100}, {184, 235, 68, 105}, {177, 227}, {68, 168}, {68, 168}},
    {-10, {58, 7}, {0, 0}, {0, 0}, {-1, 75}, {-1, 75}, {0, 0}, {0, 0}, {0, 103}, {-25, 127},
     {75, 175, 60, 95}, {163, 220, 61, 100}, {161, 200}, {46, 137}, {46, 137}},
    {-10, {56, 9}, {7, -1}, {0, 0}, {0, 80}, {0, 80}, {0, 0}, {0, 0}, {0, 108}, {-25, 115},
     {74, 175, 70, 90}, {168, 225, 71, 100}, {166, 198}, {55, 131}, {55, 131}},
}};

// Set 3 is the child picture: its ages are drawn by the child rules.
const std::array<AgeTens, kPictureSets> kAdultAgeTens = {{
    {5, 3}, {4, 2}, {5, 2}, {0, 0}, {6, 3}, {6, 2}, {5, 2},
}};

const std::array<std::array<int, 2>, 6> kStepPointsByShocks = {{
    {45, 55}, {60, 70}, {50, 60}, {45, 55}, {35, 45}, {35, 45},
}};

}  // namespace ardentix
