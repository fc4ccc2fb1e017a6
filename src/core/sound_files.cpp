#include "core/sound_files.h"

namespace ardentix {

std::vector<std::string> AllSoundFileNames() {
    return {"connecte.wav", "pushanaB.wav", "pushanal.wav", "bepclear.wav", "analyzeN.wav",
            "MOTION.WAV",   "noshockA.wav", "shockadv.wav", "SWEEP.wav",    "standcle.wav",
            "shkwarn.wav",  "CLICK.WAV",    "checkfor.wav", "ifnoplsS.wav", "ifnopls.wav",
            "battrepl.wav", "ring.wav",     "strtcpr.wav"};
}

}  // namespace ardentix
