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

    void at(const char* element) {
        const Element& el = e_.screen.Get(element);
        items_.push_back({element, el.left, el.top, 0, 0});
    }
    void at(const char* picture, const char* place) {
        const Element& el = e_.screen.Get(place);
        items_.push_back({picture, el.left, el.top, 0, 0});
    }
    void at(const char* picture, int left, int top) {
        items_.push_back({picture, left, top, 0, 0});
    }
    void stretched(const char* picture, int left, int top, int growWidth, int growHeight) {
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
    if (e.screen.Get("PATIENTGraphic").color == Color::Black) return {};  // not drawn yet
    const ScenarioState& s = e.state;
    const bool bvm = e.settings.On(Opt::OptBVM);
    Picture p(e);
    p.at("PATIENTGraphic");
    if (!s.AirwayOpened) p.at("AIRWAY");
    if (running(e, TimerId::BREATHINGTimer)) p.at("Breathcheck");

    if (s.WhitePadAttached && !s.PadsSwapped) {
        p.at("PADWHITE2");
    } else if (s.WhitePadAttached && s.PadsSwapped) {
        p.at("PADCurved");
    } else if (s.PadsSwapped && s.TroubleKind == 1) {
        p.at("PADWHITE3", kLoosePadLeft, kLoosePadTop);
    } else if (s.WhiteMisplaced) {
        p.at("PADWHITE3", "PADWHITEzoneTorso");
    }
    if (s.RedPadAttached && !s.PadsSwapped) {
        p.at("PADCurved");
    } else if (s.RedPadAttached && s.PadsSwapped) {
        p.at("PADRED2", "PADWHITE2");
    } else if (!s.PadsSwapped && s.TroubleKind == 1) {
        p.at("PADWHITE3", kLoosePadLeft, kLoosePadTop);
    } else if (s.RedMisplaced) {
        p.at("PADWHITE3", "PADREDzoneTorso");
    }

    if (!(s.WhitePadAttached && s.RedPadAttached)) {
        const Element& white = e.screen.Get("PADWhiteZone");
        const Element& red = e.screen.Get("PADRedZONE");
        if (s.WhiteGuideShown) {
            p.at("HILIGHT", white.left + 18, white.top - 72);
        } else if (s.RedGuideShown) {
            p.at("HILIGHT", red.left + 12, red.top - 80);
        }
    }
    if (running(e, TimerId::ResponsivenessTimer) || running(e, TimerId::Shaketimer)) {
        const Element& shake = e.screen.Get("SHAKE");
        if (running(e, TimerId::ResponsivenessTimer)) {
            p.at("SHAKE");
        } else {
            p.stretched("SHAKE", shake.left + 1, shake.top - 1, 1, 2);  // the shake
        }
        p.at("SHOUT", 0, 12);
    }
    const bool breath1 = running(e, TimerId::VENTILATION1Timer);
    const bool breath2 = running(e, TimerId::VENTILATION2Timer);
    if (bvm) {
        // The bag lies on a face whose head is tilted back: during compressions only once the
        // airway is open (a rescuer alone puts it on with the first breaths).
        if (breath1) {
            p.at("BVM");
        } else if (breath2) {
            p.at("FACEMASK");
        } else if (running(e, TimerId::HIDEBVMTimer) ||
                   (running(e, TimerId::CPRTimer) && s.AirwayOpened)) {
            p.at("BVM");
        }
    }
    if (breath2 && !bvm) p.at("FACEMASK");
    if (running(e, TimerId::PULSETIMER)) p.at("PULSEHAND");
    // With 5:1 the compressing hands stay on the chest while a second rescuer gives the breath; a
    // rescuer alone takes them off to give it.
    const bool handsStayForBreaths =
        e.settings.On(Opt::Opt2CPR) && !e.settings.On(Opt::OPTOneRescuer);
    if (running(e, TimerId::CPRTimer) && !s.MaskBreathing &&
        (handsStayForBreaths || (!breath1 && !breath2))) {
        const Element& hands = e.screen.Get("CPRHAND2");
        if (!s.CPRPhase) {
            p.at("CPRHAND2");
        } else {
            // Compressed: 3 pixels right and down, 2 pixels smaller each way.
            p.stretched("CPRHAND2", hands.left + 3, hands.top + 3, -2, -2);
        }
    }
    return p.take();
}

void Redraw(Engine& e) {
    // The front ends compose the view from PatientPicture whenever the element changes.
    e.screen.Edit("PATIENTGraphic").color = Color::White;
}

}  // namespace ardentix
