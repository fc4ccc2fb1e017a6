#include "core/centre_uri.h"
#include "core/engine.h"
#include "core/name_value.h"
#include "options/options.h"

namespace ardentix {

void TypeCentreURI(Engine& e, const std::string& text) {
    e.settings.SetText(Opt::OPTCentreURI, text);
}

bool CentreAddressAcceptable(Engine& e) {
    const std::string& uri = e.settings.Text(Opt::OPTCentreURI);
    // With this computer chosen an empty address is no address; any other is checked all the
    // same, so that a password never reaches the settings file.
    if (!e.settings.On(Opt::OPTResultsCentre) && TrimBlanks(uri).empty()) return true;
    const CentreUri parsed = ParseCentreUri(uri);
    if (parsed.ok) return true;
    ChooseOptionTab(e, TabCaption(Tab::Scenario));
    e.Message(BoxKind::Error, BoxButtons::Ok, parsed.error);
    return false;
}

}  // namespace ardentix
