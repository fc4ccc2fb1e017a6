#include "ui/lrs_link.h"

#include <QDir>
#include <QFileInfo>
#include <QWidget>

#include "core/engine.h"
#include "store/database.h"
#include "store/qt_results_store.h"
#include "ui/actions.h"
#include "ui/lrs_dialog.h"

namespace ardentix::ui {

namespace {

QString text(const Engine& engine, Opt opt) {
    return QString::fromStdString(engine.settings.Text(opt));
}

}  // namespace

LrsLink::LrsLink(const Engine& engine, Actions& actions, const QString& programDir, QWidget* window)
    : QObject(window),
      engine_(engine),
      actions_(actions),
      window_(window),
      db_(std::make_unique<store::ResultsDb>(
          QDir(programDir).filePath(QString::fromLatin1(store::kDatabaseFile)))),
      settings_(Current()),
      queue_(
          db_->Db().connectionName(), [this] { return settings_; },
          [this](const xapi::LrsRound& round) {
              if (dialog_) dialog_->ShowRound(round);
          }) {}

LrsLink::~LrsLink() = default;

xapi::LrsSettings LrsLink::Current() const {
    xapi::LrsSettings settings;
    settings.homePage = text(engine_, Opt::OPTLrsHomePage);
    settings.activityBase = text(engine_, Opt::OPTLrsBase);
    settings.endpoint = text(engine_, Opt::OPTLrsEndpoint).trimmed();
    settings.key = text(engine_, Opt::OPTLrsKey);
    settings.secret = text(engine_, Opt::OPTLrsSecret);
    settings.send = engine_.settings.On(Opt::OPTLrsSend);
    return settings;
}

bool LrsLink::Wanted() const {
    const xapi::LrsSettings settings = Current();
    return settings.send && !settings.endpoint.isEmpty();
}

bool LrsLink::openDatabase() {
    if (db_->IsOpen() && db_->SameFile()) return true;
    if (!QFileInfo::exists(db_->Path())) return false;
    return !db_->Open().has_value();
}

void LrsLink::SendQueued() {
    if (queue_.Sending()) return queue_.SendQueued();
    settings_ = Current();
    if (!Wanted() || !openDatabase()) return;
    queue_.SendQueued();
}

LrsDialog* LrsLink::ShowDialog() {
    openDatabase();
    settings_ = Current();
    if (!dialog_) {
        dialog_ = new LrsDialog(settings_, db_->Db().connectionName(), queue_, window_);
        connect(dialog_, &QDialog::accepted, this, &LrsLink::keep);
    }
    dialog_->Load();
    dialog_->open();
    return dialog_;
}

void LrsLink::keep() {
    const xapi::LrsSettings held = Current();
    const auto type = [this](El field, const QString& now, const QString& before) {
        if (now != before) actions_.Type(field, now);
    };
    type(El::OPTLrsHomePage, settings_.homePage, held.homePage);
    type(El::OPTLrsBase, settings_.activityBase, held.activityBase);
    type(El::OPTLrsEndpoint, settings_.endpoint, held.endpoint);
    type(El::OPTLrsKey, settings_.key, held.key);
    type(El::OPTLrsSecret, settings_.secret, held.secret);
    if (settings_.send != held.send) actions_.Click(El::OPTLrsSend);
    settings_ = Current();
}

}  // namespace ardentix::ui
