#include "core/sound_files.h"

#include "core/name_value.h"

namespace ardentix {

const std::vector<SoundText>& SoundTexts() {
    static const std::vector<SoundText> texts = {
        {"connecte.wav", "", "Connect electrodes."},
        {"pushanaB.wav", "", "Push analyze button."},
        {"pushanal.wav", "", "Push analyze."},
        {"bepclear.wav", "Beep", "Stand clear."},
        {"analyzeN.wav", "", "Analyzing now. Stand clear."},
        {"MOTION.WAV", "", "Motion detected. Stop motion."},
        {"noshockA.wav", "", "No shock advised."},
        {"shockadv.wav", "", "Shock advised."},
        {"SWEEP.wav", "Charging", ""},
        {"standcle.wav", "", "Stand clear."},
        {"shkwarn.wav", "Warning", "Push to shock."},
        {"CLICK.WAV", "Shock", ""},
        {"checkfor.wav", "", "Check for pulse."},
        // First round: "START CPR" follows on the display without a voice of its own.
        {"ifnoplsS.wav", "", "If no pulse, start CPR."},
        // After the CPR period: "Push analyze." follows two seconds later.
        {"ifnopls.wav", "", "If no pulse,"},
        {"battrepl.wav", "", "Replace battery."},
        {"ring.wav", "Telephone ringing", ""},
        // Current guidelines: after a shock or "No shock advised", two minutes of CPR begin.
        {"strtcpr.wav", "", "Start CPR now."},
    };
    return texts;
}

std::vector<std::string> AllSoundFileNames() {
    std::vector<std::string> names;
    for (const SoundText& s : SoundTexts())
        names.emplace_back(s.file);
    return names;
}

std::string SoundCaption(std::string_view file) {
    for (const SoundText& s : SoundTexts()) {
        if (!SameTextIgnoringCase(s.file, file)) continue;
        std::string caption;
        if (!s.tone.empty()) caption = "[tone] " + std::string(s.tone);
        if (!s.spoken.empty())
            caption +=
                (caption.empty() ? "" : " ") + std::string("[voice] ") + std::string(s.spoken);
        return caption;
    }
    return {};
}

}  // namespace ardentix
