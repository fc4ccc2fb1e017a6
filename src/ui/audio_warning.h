#pragma once
#include <QtGlobal>

namespace ardentix::ui {

// On a machine without an audio device Qt Multimedia warns "No audio device detected" at every
// sound. While one of these lives, the warning is let through the first time only; every other
// message goes on to the handler that was there before.
class AudioWarningOnce {
  public:
    AudioWarningOnce();
    ~AudioWarningOnce();
    AudioWarningOnce(const AudioWarningOnce&) = delete;
    AudioWarningOnce& operator=(const AudioWarningOnce&) = delete;

  private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message);

    QtMessageHandler previous_ = nullptr;
    AudioWarningOnce* outer_ = nullptr;
    bool said_ = false;
};

}  // namespace ardentix::ui
