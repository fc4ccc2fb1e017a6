#include "core/patient_view.h"

#include "core/engine.h"

namespace ardentix {

namespace {

// The loose pad is drawn here whichever pad came off.
constexpr int kLoosePadLeft = 206;
constexpr int kLoosePadTop = 196;

class Picture {
  public:
    explicit Picture(const Engine& e) : e_(e) {}

    void at(El element) {
        const Element& el = e_.screen.Get(element);
        items_.push_back({element, el.left, el.top, 0, 0});
    }
    void at(El picture, El place) {
        const Element& el = e_.screen.Get(place);
        items_.push_back({picture, el.left, el.top, 0, 0});
    }
    void at(El picture, int left, int top) { items_.push_back({picture, left, top, 0, 0}); }
    void stretched(El picture, int left, int top, int growWidth, int growHeight) {
        items_.push_back({picture, left, top, growWidth, growHeight});
    }
    std::vector<DrawItem> take() { return std::move(items_); }

  private:
    const Engine& e_;
    std::vector<DrawItem> items_;
};

bool running(const Engine& e, TimerId id) {
    return e.timers.Running(id);
}

}  // namespace

std::vector<DrawItem> PatientPicture(const Engine& e) {
    if (e.screen.Get(El::PATIENTGraphic).color == Color::Black) return {};  // not drawn yet
    const ScenarioState& s = e.state;
    const bool bvm = e.settings.On(Opt::OptBVM);
    Picture p(e);
    p.at(El::PATIENTGraphic);
    if (!s.AirwayOpened) p.at(El::AIRWAY);
    if (running(e, TimerId::BREATHINGTimer)) p.at(El::Breathcheck);

    if (s.WhitePadAttached && !s.PadsSwapped) {
        p.at(El::PADWHITE2);
    } else if (s.WhitePadAttached && s.PadsSwapped) {
        p.at(El::PADCurved);
    } else if (s.PadsSwapped && s.TroubleKind == 1) {
        p.at(El::PADWHITE3, kLoosePadLeft, kLoosePadTop);
    } else if (s.WhiteMisplaced) {
        p.at(El::PADWHITE3, El::PADWHITEzoneTorso);
    }
    if (s.RedPadAttached && !s.PadsSwapped) {
        p.at(El::PADCurved);
    } else if (s.RedPadAttached && s.PadsSwapped) {
        p.at(El::PADRED2, El::PADWHITE2);
    } else if (!s.PadsSwapped && s.TroubleKind == 1) {
        p.at(El::PADWHITE3, kLoosePadLeft, kLoosePadTop);
    } else if (s.RedMisplaced) {
        p.at(El::PADWHITE3, El::PADREDzoneTorso);
    }

    if (!(s.WhitePadAttached && s.RedPadAttached)) {
        const Element& white = e.screen.Get(El::PADWhiteZone);
        const Element& red = e.screen.Get(El::PADRedZONE);
        if (s.WhiteGuideShown) {
            p.at(El::HILIGHT, white.left + 18, white.top - 72);
        } else if (s.RedGuideShown) {
            p.at(El::HILIGHT, red.left + 12, red.top - 80);
        }
    }
    if (running(e, TimerId::ResponsivenessTimer) || running(e, TimerId::Shaketimer)) {
        const Element& shake = e.screen.Get(El::SHAKE);
        if (running(e, TimerId::ResponsivenessTimer)) {
            p.at(El::SHAKE);
        } else {
            p.stretched(El::SHAKE, shake.left + 1, shake.top - 1, 1, 2);  // the shake
        }
        p.at(El::SHOUT, 0, 12);
    }
    const bool breath1 = running(e, TimerId::VENTILATION1Timer);
    const bool breath2 = running(e, TimerId::VENTILATION2Timer);
    if (bvm) {
        // The bag lies on a face whose head is tilted back: during compressions only once the
        // airway is open (a rescuer alone puts it on with the first breaths).
        if (breath1) {
            p.at(El::BVM);
        } else if (breath2) {
            p.at(El::FACEMASK);
        } else if (running(e, TimerId::HIDEBVMTimer) ||
                   (running(e, TimerId::CPRTimer) && s.AirwayOpened)) {
            p.at(El::BVM);
        }
    }
    if (breath2 && !bvm) p.at(El::FACEMASK);
    if (running(e, TimerId::PULSETIMER)) p.at(El::PULSEHAND);
    // With 5:1 the compressing hands stay on the chest while a second rescuer gives the breath; a
    // rescuer alone takes them off to give it.
    const bool handsStayForBreaths =
        e.settings.On(Opt::Opt2CPR) && !e.settings.On(Opt::OPTOneRescuer);
    if (running(e, TimerId::CPRTimer) && !s.MaskBreathing &&
        (handsStayForBreaths || (!breath1 && !breath2))) {
        const Element& hands = e.screen.Get(El::CPRHAND2);
        if (!s.CPRPhase) {
            p.at(El::CPRHAND2);
        } else {
            // Compressed: 3 pixels right and down, 2 pixels smaller each way.
            p.stretched(El::CPRHAND2, hands.left + 3, hands.top + 3, -2, -2);
        }
    }
    return p.take();
}

void Redraw(Engine& e) {
    // The front ends compose the view from PatientPicture whenever the element changes.
    e.screen.Edit(El::PATIENTGraphic).color = Color::White;
}

}  // namespace ardentix
