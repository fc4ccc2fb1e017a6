#include "ui/centre_station.h"

#include <QLabel>
#include <QPushButton>
#include <filesystem>

#include "settings/settings.h"
#include "store/qt_results_store.h"
#include "ui/option_pages.h"
#include "xapi/outbox_rows.h"

namespace ardentix::ui {

CentreStation::CentreStation(store::QtResultsStore& results, const std::string& programDir)
    : results_(results),
      link_(QString::fromStdString(
                (std::filesystem::path(programDir) / store::kDatabaseFile).string()),
            [this] {
                if (!centreChosen()) return CentreUri{};
                return ParseCentreUri(settings_->Text(Opt::OPTCentreURI));
            }) {
    results_.SetTargets([this] {
        QStringList targets;
        if (centreChosen()) targets << QString::fromLatin1(centre::kCentreTarget);
        if (lrsWanted()) targets << QString::fromLatin1(xapi::kLrsTarget);
        return targets;
    });
}

bool CentreStation::centreChosen() const {
    return settings_ && settings_->On(Opt::OPTResultsCentre);
}

std::optional<RecordFailure> CentreStation::Record(const ScenarioResult& result) {
    std::optional<RecordFailure> failure = results_.Record(result);
    if (centreChosen()) link_.SendNow();
    if (lrsWanted() && lrsSend_) lrsSend_();
    return failure;
}

void ShowCentreLink(OptionPages& pages, centre::CentreLink& link) {
    QLabel* status = pages.CentreStatus();
    const auto show = [status](const QString& line) {
        status->setText(line);
        status->setToolTip(line);
    };
    show(centre::StatusLine(link.Status()));
    QObject::connect(&link, &centre::CentreLink::StatusChanged, status, show);
    QObject::connect(pages.CentreSendButton(), &QPushButton::clicked, &link,
                     [&link] { link.SendNow(); });
}

}  // namespace ardentix::ui
