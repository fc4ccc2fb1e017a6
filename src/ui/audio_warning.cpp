#include "ui/audio_warning.h"

#include <QString>
#include <cstdio>
#include <mutex>

namespace ardentix::ui {

namespace {

// A message handler is a plain function: it finds its filter here. Sounds are started on the
// main thread, but Qt may log from others.
std::mutex filterLock;
AudioWarningOnce* current = nullptr;

}  // namespace

AudioWarningOnce::AudioWarningOnce() {
    std::lock_guard lock(filterLock);
    outer_ = current;
    current = this;
    previous_ = qInstallMessageHandler(&AudioWarningOnce::handle);
}

AudioWarningOnce::~AudioWarningOnce() {
    std::lock_guard lock(filterLock);
    qInstallMessageHandler(previous_);
    current = outer_;
}

void AudioWarningOnce::handle(QtMsgType type, const QMessageLogContext& context,
                              const QString& message) {
    QtMessageHandler next = nullptr;
    {
        std::lock_guard lock(filterLock);
        if (current) {
            if (message.contains(QLatin1String("No audio device detected"))) {
                if (current->said_) return;
                current->said_ = true;
            }
            next = current->previous_;
        }
    }
    if (next) {
        next(type, context, message);
    } else {
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    }
}

}  // namespace ardentix::ui
