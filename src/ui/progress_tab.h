#pragma once
#include <QSqlDatabase>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "core/centre_uri.h"
#include "store/progress_queries.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTimer;

namespace ardentix::centre {
class ResultsSource;
}

namespace ardentix::ui {

class TraineeWindow;

// The Progress tab of the option pages: the trainees' results from the results database (the
// centre server's while it is chosen and can be reached, else ARDENTIX.DB), filtered by days, mode
// and name; the errors the class made most often; a trainee's page; the filtered attempts exported
// as CSV. It opens the database afresh each time it is shown.
class ProgressTab : public QWidget {
    Q_OBJECT
  public:
    // `centre` gives the centre server's address while it is chosen (else an address that is not
    // ok); `close` is the tab's Close button, made by the option pages.
    ProgressTab(QString programDir, std::function<CentreUri()> centre, QPushButton* close,
                QWidget* parent);
    ~ProgressTab() override;

    // Another button on the left of the row at the foot of the tab.
    void AddButton(QPushButton* button);
    // The filter as the controls set it, and the attempts it lets through, oldest first.
    store::ProgressFilter Filter() const;
    std::vector<store::Attempt> FilteredAttempts();
    // Reads the trainees and the errors afresh with the filter.
    void Refresh();
    // The page of the trainee in this row of the table (as sorted); null for no row.
    TraineeWindow* OpenTrainee(int row);
    // Writes the filtered attempts as CSV; false (with a box saying why) when it cannot.
    bool ExportCsv(const QString& path);

    QTableWidget* Trainees() const { return trainees_; }
    QTableWidget* Errors() const { return errors_; }
    QLabel* Status() const { return status_; }

  protected:
    void showEvent(QShowEvent* e) override;

  private:
    bool openDatabase();
    QSqlDatabase database() const;
    store::ProgressQueries queries() const;
    void exportCsv();

    QString programDir_;
    std::function<CentreUri()> centre_;
    std::unique_ptr<centre::ResultsSource> source_;
    QString note_;  // which database it reads
    QCheckBox* fromOn_;
    QDateEdit* from_;
    QCheckBox* toOn_;
    QDateEdit* to_;
    QComboBox* mode_;
    QLineEdit* name_;
    QTimer* typing_;
    QTableWidget* trainees_;
    QTableWidget* errors_;
    QLabel* status_;
    QHBoxLayout* buttons_;
    std::vector<store::TraineeSummary> rows_;
};

}  // namespace ardentix::ui
