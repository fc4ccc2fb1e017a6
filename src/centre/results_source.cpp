#include "centre/results_source.h"

#include "centre/centre_db.h"
#include "store/database.h"

namespace ardentix::centre {

ResultsSource::ResultsSource() = default;
ResultsSource::~ResultsSource() {
    db_ = QSqlDatabase();
}
ResultsSource::ResultsSource(ResultsSource&&) noexcept = default;
ResultsSource& ResultsSource::operator=(ResultsSource&&) noexcept = default;

ResultsSource OpenResultsSource(const QString& localPath, const CentreUri& centre,
                                int connectTimeout) {
    ResultsSource source;
    QString why;
    if (centre.ok) {
        const QString server = QString::fromStdString(CentreAddressText(centre.address));
        auto db = std::make_unique<CentreDb>(centre.address, connectTimeout);
        if (std::optional<CentreFailure> failure = db->Open()) {
            why = QStringLiteral(" (the centre server %1: %2)").arg(server, failure->reason);
        } else {
            source.db_ = db->Db();
            source.centreDb_ = std::move(db);
            source.centre_ = true;
            source.note_ = QStringLiteral("the centre server %1").arg(server);
            return source;
        }
    }
    auto local = std::make_unique<store::ResultsDb>(localPath);
    if (std::optional<QString> failure = local->Open()) {
        source.note_ = QStringLiteral("this computer's results database cannot be opened: %1%2")
                           .arg(*failure, why);
        return source;
    }
    source.db_ = local->Db();
    source.localDb_ = std::move(local);
    source.note_ = QStringLiteral("this computer") + why;
    return source;
}

}  // namespace ardentix::centre
