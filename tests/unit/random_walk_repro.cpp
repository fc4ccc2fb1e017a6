// Reproducing a failed walk: its steps replayed, cut down to few, and written as a scenario
// script.
#include <algorithm>

#include "random_walk.h"

namespace ardentix::walk {

namespace {

bool shows(const std::vector<Finding>& findings, const std::string& signature) {
    return std::any_of(findings.begin(), findings.end(),
                       [&](const Finding& f) { return f.signature == signature; });
}

bool isWait(const Step& s) {
    return s.kind == Step::Kind::Wait || s.kind == Step::Kind::Checkpoint;
}

int64_t waitMs(const Step& s) {
    return s.kind == Step::Kind::Wait ? s.ms : kIdleMs + kWatchMs;
}

class Reducer {
  public:
    Reducer(const std::string& dir, const Life& life, Step last, std::string signature, int replays)
        : dir_(dir),
          life_(life),
          last_(std::move(last)),
          signature_(std::move(signature)),
          replays_(replays) {}

    bool Holds(std::vector<Step>& body) {
        if (replays_ <= 0) return false;
        --replays_;
        std::vector<Step> steps = body;
        steps.push_back(last_);
        const bool holds = shows(Replay(dir_, life_, steps), signature_);
        if (holds) std::copy(steps.begin(), steps.end() - 1, body.begin());
        return holds;
    }

    // Classic delta debugging: drop ever smaller chunks of steps while the fault stays.
    void DropChunks(std::vector<Step>& body) {
        size_t parts = 2;
        while (body.size() >= 2 && replays_ > 0) {
            const size_t chunk = (body.size() + parts - 1) / parts;
            bool dropped = false;
            for (size_t start = 0; start < body.size() && replays_ > 0; start += chunk) {
                std::vector<Step> rest(body.begin(), body.begin() + static_cast<long>(start));
                rest.insert(rest.end(),
                            body.begin() + static_cast<long>(std::min(start + chunk, body.size())),
                            body.end());
                if (Holds(rest)) {
                    body = std::move(rest);
                    parts = std::max<size_t>(parts - 1, 2);
                    dropped = true;
                    break;
                }
            }
            if (dropped) continue;
            if (parts >= body.size()) break;
            parts = std::min(parts * 2, body.size());
        }
    }

    // Pairs of neighbours, which a chunk boundary may have kept apart (a pause and its resume).
    void DropPairs(std::vector<Step>& body) {
        for (size_t i = 0; i + 1 < body.size() && replays_ > 0; ++i) {
            std::vector<Step> trial = body;
            trial.erase(trial.begin() + static_cast<long>(i),
                        trial.begin() + static_cast<long>(i) + 2);
            if (Holds(trial)) {
                body = std::move(trial);
                i = i > 0 ? i - 1 : 0;
            }
        }
    }

    // Options that do not matter go.
    void DropSettings(std::vector<Step>& body) {
        for (size_t i = 0; i < life_.settings.size() && replays_ > 0;) {
            const Life full = life_;
            life_.settings.erase(life_.settings.begin() + static_cast<long>(i));
            if (Holds(body)) continue;
            life_ = full;
            ++i;
        }
    }

    const Life& life() const { return life_; }

    // Waits in a row become one (the timers fire the same), then each is shortened.
    void ShortenWaits(std::vector<Step>& body) {
        std::vector<Step> merged;
        for (const Step& s : body) {
            if (!merged.empty() && isWait(merged.back()) && isWait(s)) {
                Step& w = merged.back();
                w.ms = waitMs(w) + waitMs(s);
                w.kind = Step::Kind::Wait;
                w.boxes.insert(w.boxes.end(), s.boxes.begin(), s.boxes.end());
            } else {
                merged.push_back(s);
            }
        }
        if (merged.size() < body.size() && Holds(merged)) body = merged;
        for (size_t i = 0; i < body.size() && replays_ > 0; ++i) {
            if (!isWait(body[i])) continue;
            int64_t ms = waitMs(body[i]);
            for (int64_t shorter : {int64_t{0}, ms / 10, ms / 2}) {
                if (shorter >= ms) continue;
                std::vector<Step> trial = body;
                if (shorter == 0) {
                    trial.erase(trial.begin() + static_cast<long>(i));
                } else {
                    trial[i].kind = Step::Kind::Wait;
                    trial[i].ms = shorter;
                }
                if (Holds(trial)) {
                    body = std::move(trial);
                    if (shorter == 0) --i;
                    break;
                }
            }
        }
    }

  private:
    std::string dir_;
    Life life_;
    Step last_;
    std::string signature_;
    int replays_;
};

}  // namespace

std::vector<Finding> Replay(const std::string& dir, const Life& life, std::vector<Step>& steps) {
    Session session(dir, life, BoxPolicy{});
    session.Start();
    std::vector<Finding> findings;
    for (size_t i = 0; i < steps.size() && !session.ended(); ++i) {
        auto found = session.Do(steps[i], i + 1 == steps.size());
        findings.insert(findings.end(), found.begin(), found.end());
    }
    return findings;
}

Reproduction Minimize(const std::string& dir, const Life& life, std::vector<Step> steps,
                      const std::string& signature, int replays) {
    Reproduction r{life, steps, {}};
    if (steps.empty()) return r;
    const Step last = steps.back();
    std::vector<Step> body(steps.begin(), steps.end() - 1);
    Reducer reducer(dir, life, last, signature, replays);
    if (!reducer.Holds(body)) return r;  // not reproducible alone: keep every step
    reducer.DropChunks(body);
    // Inputs that could not be used do nothing: they go.
    std::vector<Step> used;
    std::copy_if(body.begin(), body.end(), std::back_inserter(used),
                 [](const Step& s) { return !s.skipped; });
    if (used.size() < body.size() && reducer.Holds(used)) body = used;
    reducer.DropPairs(body);
    reducer.DropSettings(body);
    reducer.ShortenWaits(body);
    body.push_back(last);
    r.life = reducer.life();
    // A last replay writes down the boxes as they come now, and the state the fault is found in.
    for (const Finding& f : Replay(dir, r.life, body)) {
        if (f.signature == signature && !r.finding) r.finding = f;
    }
    r.steps = std::move(body);
    return r;
}

std::string Script(uint32_t seed, const Reproduction& r, const Finding& finding) {
    std::string text = "# Found by the random walk (tests/unit/random_walk_test.cpp), seed " +
                       std::to_string(seed) + ":\n# " + finding.signature + "\n# " +
                       finding.detail + "\n";
    for (const std::string& line : StartLines(r.life))
        text += line + "\n";
    for (const Step& s : r.steps) {
        if (s.skipped) continue;
        for (const std::string& line : AnswerLines(s))
            text += line + "\n";
        text += ScriptLine(s) + "\n";
    }
    for (const auto& [name, value] : finding.expect)
        text += "expect " + name + " " + Quoted(value) + "\n";
    return text;
}

}  // namespace ardentix::walk
