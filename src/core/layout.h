#pragma once

namespace ardentix {

class Engine;

// The row of action buttons under the patient picture: only the actions the configured protocol
// scores are offered, in a fixed order, End Scenario filling the rest of the row.
void LayoutActionBar(Engine& e);

}  // namespace ardentix
