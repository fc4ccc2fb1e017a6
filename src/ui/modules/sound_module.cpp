// The sound module: WAV files played by Qt Multimedia.
#include <QSoundEffect>
#include <QUrl>

#include "ui/modules/module_api.h"

namespace ardentix::ui {
namespace {

class EffectPlayer : public SoundPlayer {
  public:
    void Play(const QString& path) override {
        effect_.stop();
        effect_.setSource(QUrl::fromLocalFile(path));
        effect_.play();
    }
    void Stop() override { effect_.stop(); }

  private:
    QSoundEffect effect_;
};

}  // namespace
}  // namespace ardentix::ui

extern "C" Q_DECL_EXPORT ardentix::ui::SoundPlayer* ArdentixNewSoundPlayer() {
    return new ardentix::ui::EffectPlayer;
}
