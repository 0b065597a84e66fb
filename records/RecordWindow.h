#pragma once
// The record table window: lists the records of the active game type and size, stores the
// current game under a name, hands a stored problem back to the game window, deletes a record.

#include "core/Game.h"
#include "core/Par.h"
#include "shell/FormBase.h"

#include <QDate>
#include <functional>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QTableView;
class RecordTableModel;
class TCuteButton;
namespace qx {
class RecordStore;
}

// A stored problem that "問題表示" hands to the game window, under the condition it was played with.
struct HandedProblem {
    qx::GameProblem problem;
    qx::SwapCondition condition = qx::SwapCondition::FreeSwap;
};

// What the record window lists and stores: the game in use as its window's model has it.
struct RecordContext {
    std::optional<qx::GameType> game;  // none: nothing is listed or stored
    qx::BoardSize size = qx::BoardSize::Cells9;
    qx::SwapCondition condition = qx::SwapCondition::FreeSwap;  // the band renumbered after a delete
    bool finished = false;                                      // an unfinished game stores no count
    int swapCount = 0;
    int elapsedSeconds = 0;
    std::string codeA, codeB;
    // What is known of the problem's fewest swaps, and the hints taken; kept with a completed game.
    std::optional<qx::Par> par;
    int hints = 0;
};

class TForm4 : public TFormBase {
    Q_OBJECT
public:
    explicit TForm4(RecordContext context, QWidget* parent = nullptr);
    ~TForm4() override;

    // The record grid and the name field; their objectNames are the designed ones.
    QTableView* RecordGrid() const { return recordGrid_; }
    QLineEdit* NameEdit() const { return nameEdit_; }

    // The local date a record is stored under; tests put in a fixed day.
    std::function<QDate()> today = [] { return QDate::currentDate(); };

    // "記 録", "問題表示", "削 除".
    void OnRecord();
    void OnShowProblem();
    void OnDelete();

    // The problem "問題表示" handed over before the window closed; unset when none was.
    const std::optional<HandedProblem>& HandedOver() const { return handedOver_; }

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

    void PublishHandOver(const HandedProblem& handed);

    QLabel* heading_ = nullptr;
    QTableView* recordGrid_ = nullptr;
    QLineEdit* nameEdit_ = nullptr;
    const RecordContext context_;
    RecordTableModel* records_ = nullptr;
    std::optional<HandedProblem> handedOver_;
};

// "05.3.7" for 7 March 2005: two-digit year, month and day without leading zeros.
QString RecordDate(const QDate& date);
// "2分5秒" for 125 seconds; minutes without an hour part.
QString RecordTime(int seconds);

// Opens a new record table window for `context` owned by `owner`, modally, and releases it when
// it closes; returns the stored problem it handed over, if any (GameState.StoredProblemPending is
// then back to 0: the caller has it).
std::optional<HandedProblem> ShowRecordTable(QWidget* owner, const RecordContext& context);
