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
class TCuteButton;
class TDataModule1;
class TRecordGridColumns;

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

    void FormCreate();
    void CuteButton1Click();
    void CuteButton2Click();
    void CuteButton3Click();
    void N1Click();
    void Help1Click();

private:
    void CreateControls();
    void CreateMenu();
    void ConnectGrid();
    void ApplyColumns();
    void ShowGridRow(int row);
    void RecordCurrentGame();
    void ShowStoredProblem();
    void DeleteCurrentRecord();
    TDataModule1& Module() const;

    TRecordGridColumns* columns_ = nullptr;
};

// "05.3.7" for 7 March 2005: two-digit year, month and day without leading zeros.
QString RecordDate(const QDate& date);
// "2分5秒" for 125 seconds; minutes without an hour part.
QString RecordTime(int seconds);

// Opens a new record table window owned by `owner`, modally, and releases it when it closes.
// Afterwards GameState.StoredProblemPending == 1 tells the caller that a stored problem waits.
void ShowRecordTable(QWidget* owner);
