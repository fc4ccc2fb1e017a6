#pragma once
#include <QSqlDatabase>
#include <QString>
#include <memory>

#include "core/centre_uri.h"

namespace ardentix::store {
class ResultsDb;
}

// The database the instructor's progress view reads: the centre server's while it is chosen and
// can be reached, else this computer's ARDENTIX.DB.
namespace ardentix::centre {

class CentreDb;

class ResultsSource {
  public:
    ResultsSource();
    ~ResultsSource();
    ResultsSource(ResultsSource&&) noexcept;
    ResultsSource& operator=(ResultsSource&&) noexcept;

    // Open and at this program's version; invalid when neither database could be opened
    // (Note then says why).
    QSqlDatabase& Db() { return db_; }
    // True when Db() is the centre server's.
    bool Centre() const { return centre_; }
    // Which database it is, and why this computer's when the centre server was asked for:
    // "the centre server station@host:5432/results", "this computer (the centre server ...:
    // REASON)".
    const QString& Note() const { return note_; }

  private:
    friend ResultsSource OpenResultsSource(const QString&, const CentreUri&, int);
    std::unique_ptr<CentreDb> centreDb_;
    std::unique_ptr<store::ResultsDb> localDb_;
    QSqlDatabase db_;
    bool centre_ = false;
    QString note_;
};

// Opens the database to read, in the calling thread: `centre` is the address while the centre
// server is chosen (an address that is not ok means this computer). Reaching a server that is
// down takes up to `connectTimeout` seconds, the client library's least being 2.
ResultsSource OpenResultsSource(const QString& localPath, const CentreUri& centre,
                                int connectTimeout = 2);

}  // namespace ardentix::centre
