#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/element_names.h"

namespace ardentix {

class Engine;

enum class InputResult {
    Done,
    Unknown,      // no such control, or it takes no such input
    Unavailable,  // the control cannot be used now (hidden, disabled, its window closed)
};

// User input on an element, as both front ends deliver it.
InputResult Click(Engine& e, El name);
InputResult ChooseMenu(Engine& e, El name);
// A tab of the option pages chosen by its caption ("Protocol").
InputResult ChooseTab(Engine& e, std::string_view caption);
InputResult TypeText(Engine& e, El name, const std::string& text);
// A memo's lines replaced at once (the e-mail window's TFRMSEND.TMESSAGE).
InputResult TypeLines(Engine& e, El name, const std::vector<std::string>& lines);
// A click on the up or down half of a spin button (the quiz's TCPRFORM.SpinButton1, SpinButton2,
// the option pages' SpinButton11 ...).
InputResult Spin(Engine& e, El name, bool up);
// A whole drag of an electrode pad (PADWHITE, PADRED, or a misplaced PADWHITEzoneTorso,
// PADREDzoneTorso) onto PADWhiteZone, PADRedZONE, PATIENTTorsoZONE (the pad's top-left corner
// at left, top), back to PADPanel, or nowhere (no target).
InputResult DragPad(Engine& e, El name, std::optional<El> target, int left, int top);
// The main window's close box (or the window system's close of it otherwise): refused while a
// window that waits for an answer, other than the summary, stands over the main window.
InputResult CloseBox(Engine& e);
// A key pressed while the main window itself, no control of it, has the focus.
InputResult KeyOnMainWindowItself(Engine& e);
// The Space bar is the compression key while the scenario screen takes input and compressions
// are given by key: the screen takes it then, before any control that has the focus, and a click
// on the patient's chest counts as the same press.
bool CompressionKeyActive(const Engine& e);
// A press of the Space bar on the scenario screen: a compression while CPR runs, else nothing.
// Unavailable where the scenario screen takes no input.
InputResult PressSpace(Engine& e);
// A click on the patient's chest: the same press, where the compression key is active.
InputResult PressChest(Engine& e);
// The window that waits for an answer and so takes all input until it is answered: the
// scoreboard, the e-mail window sending the results, the CPR quiz, the about box, the password
// dialog, the log-in or the summary, the one on top when two are up; nothing while the main
// window takes input.
std::optional<El> WaitingWindow(const Engine& e);
// Whether the pad of that name can be picked up now (shown, enabled, on the open scenario screen);
// a window that carries the pad itself asks before it starts the drag.
bool PadCanBeTaken(const Engine& e, El name);

// What the user can act on right now, by the same rule the functions above apply: the controls
// to click, the menu items to choose, the pads to drag, the fields to type into and the spin
// buttons to press.
struct AvailableInputs {
    std::vector<El> clicks;
    std::vector<El> menus;
    std::vector<El> pads;
    std::vector<El> fields;
    std::vector<El> spins;
};
AvailableInputs InputsAvailable(const Engine& e);
// Every input the program knows, usable now or not.
AvailableInputs InputsKnown(const Engine& e);
// Whether the named control, menu item, pad, field or spin button can be used now: the one
// answer both front ends go by (the script runner's input and NAME.usable, the Qt program's
// widgets through the parts below and the elements' own flags).
bool CanUse(const Engine& e, El name);

// The parts of the main window, each taking input or not as a whole: the menu bar (not while a
// window waits for an answer), the main menu (not under the option pages) and the scenario
// screen with its panel of final deductions.
enum class MainWindowPart { MenuBar, MainMenu, ScenarioScreen };
bool PartTakesInput(const Engine& e, MainWindowPart part);

// The same inputs by the element's name, as scenario scripts and tests give it: Unknown (or
// false) for a name no element has. A pad dropped "nowhere" has no target.
InputResult Click(Engine& e, std::string_view name);
InputResult ChooseMenu(Engine& e, std::string_view name);
InputResult TypeText(Engine& e, std::string_view name, const std::string& text);
InputResult TypeLines(Engine& e, std::string_view name, const std::vector<std::string>& lines);
InputResult Spin(Engine& e, std::string_view name, bool up);
InputResult DragPad(Engine& e, std::string_view name, std::string_view target, int left, int top);
bool CanUse(const Engine& e, std::string_view name);

}  // namespace ardentix
