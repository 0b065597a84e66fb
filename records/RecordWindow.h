#pragma once
// The record table window: lists the records of the active game type and size, stores the
// current game under a name, hands a stored problem back to the game window, deletes a record.

#include "shell/FormBase.h"

#include <QDate>
#include <functional>

class QAction;
class QLabel;
class QLineEdit;
class QTableView;
class RecordTableModel;
class TCuteButton;
namespace qx {
class RecordStore;
}

class TForm4 : public TFormBase {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);
    ~TForm4() override;

    QLabel* Label1 = nullptr;
    QTableView* DBGrid1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Edit1 = nullptr;
    TCuteButton* CuteButton1 = nullptr;
    TCuteButton* CuteButton2 = nullptr;
    TCuteButton* CuteButton3 = nullptr;
    QAction* N1 = nullptr;
    QAction* Help1 = nullptr;
    QAction* Exit1 = nullptr;

    // The local date a record is stored under; tests put in a fixed day.
    std::function<QDate()> Today = [] { return QDate::currentDate(); };

    void CuteButton1Click();
    void CuteButton2Click();
    void CuteButton3Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls();
    void CreateMenu();
    void ShowHeading();
    void ListRecords();
    void SelectRow(int row);
    int CurrentRow() const;
    void RecordCurrentGame();
    void ShowStoredProblem();
    void DeleteCurrentRecord();
    // The store, opened again when it was not writable; the grid is listed anew if that helped.
    qx::RecordStore* ReopenedStore();
    // Refuses (and says why) when the records can only be read or not at all.
    bool RefusedWriting(qx::RecordStore* store);

    RecordTableModel* records_ = nullptr;
};

// "05.3.7" for 7 March 2005: two-digit year, month and day without leading zeros.
QString RecordDate(const QDate& date);
// "2分5秒" for 125 seconds; minutes without an hour part.
QString RecordTime(int seconds);

// Opens a new record table window owned by `owner`, modally, and releases it when it closes.
// Afterwards GameState.StoredProblemPending == 1 tells the caller that a stored problem waits.
void ShowRecordTable(QWidget* owner);
