#include "core/state.h"

#include <charconv>
#include <limits>
#include <type_traits>

namespace ardentix {

#define ARDENTIX_FIELD_RESET(type, name, start) name = start;

void FlowState::ResetScenarioFields() {
    ARDENTIX_FLOW_RESET_FIELDS(ARDENTIX_FIELD_RESET)
    PulseState = ShocksNeeded > 0 ? kShockable : kNothingToShock;
}

void MonitorState::ResetScenarioFields() {
    ARDENTIX_MONITOR_RESET_FIELDS(ARDENTIX_FIELD_RESET)
    PauseMemory = {};
}

void MailState::ResetScenarioFields() {
    ARDENTIX_MAIL_RESET_FIELDS(ARDENTIX_FIELD_RESET)
}

void RescuerState::ResetScenarioFields() {
    ARDENTIX_RESCUER_RESET_FIELDS(ARDENTIX_FIELD_RESET)
    AutoABCsAfterPause = false;
    Phase = {};
    PausePhase = {};
}

void AedState::ResetScenarioFields() {
    ARDENTIX_AED_RESET_FIELDS(ARDENTIX_FIELD_RESET)
    Phase = {};
    PausePhase = {};
}

#undef ARDENTIX_FIELD_RESET

void ScenarioState::ResetScenarioFields() {
    FlowState::ResetScenarioFields();
    MonitorState::ResetScenarioFields();
    MailState::ResetScenarioFields();
    RescuerState::ResetScenarioFields();
    AedState::ResetScenarioFields();
}

namespace {

template <typename T>
std::string toText(const T& value) {
    if constexpr (std::is_same_v<T, std::string>) {
        return value;
    } else if constexpr (std::is_same_v<T, bool>) {
        return value ? "1" : "0";
    } else {
        return std::to_string(static_cast<int64_t>(value));
    }
}

std::optional<int64_t> parseInteger(std::string_view text) {
    int64_t value = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || text.empty()) return std::nullopt;
    return value;
}

template <typename T>
bool fromText(T& field, std::string_view text) {
    if constexpr (std::is_same_v<T, std::string>) {
        field = std::string(text);
        return true;
    } else {
        auto value = parseInteger(text);
        if (!value) return false;
        if constexpr (std::is_same_v<T, bool>) {
            if (*value != 0 && *value != 1) return false;
            field = *value == 1;
        } else {
            if (*value < std::numeric_limits<T>::min() || *value > std::numeric_limits<T>::max()) {
                return false;
            }
            field = static_cast<T>(*value);
        }
        return true;
    }
}

std::string planText(const std::array<uint8_t, 5>& plan) {
    std::string text;
    for (uint8_t entry : plan) {
        if (!text.empty()) text += ",";
        text += std::to_string(entry);
    }
    return text;
}

bool setPlan(std::array<uint8_t, 5>& plan, std::string_view text) {
    std::array<uint8_t, 5> parsed{};
    for (size_t i = 0; i < parsed.size(); ++i) {
        const size_t comma = text.find(',');
        const std::string_view part = text.substr(0, comma);
        if (!fromText(parsed[i], part)) return false;
        if ((comma == std::string_view::npos) != (i + 1 == parsed.size())) return false;
        if (comma != std::string_view::npos) text.remove_prefix(comma + 1);
    }
    plan = parsed;
    return true;
}

}  // namespace

std::optional<std::string> FieldText(const ScenarioState& s, std::string_view name) {
#define ARDENTIX_FIELD_GET(type, field, start) \
    if (name == #field) return toText(s.field);
    ARDENTIX_ALL_FIELDS(ARDENTIX_FIELD_GET)
#undef ARDENTIX_FIELD_GET
    if (name == "TestPlan") return planText(s.TestPlan);
    return std::nullopt;
}

bool SetFieldText(ScenarioState& s, std::string_view name, std::string_view text) {
#define ARDENTIX_FIELD_SET(type, field, start) \
    if (name == #field) return fromText(s.field, text);
    ARDENTIX_ALL_FIELDS(ARDENTIX_FIELD_SET)
#undef ARDENTIX_FIELD_SET
    if (name == "TestPlan") return setPlan(s.TestPlan, text);
    return false;
}

}  // namespace ardentix
