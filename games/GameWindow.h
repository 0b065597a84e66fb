#pragma once
// What the two game windows share: the six push buttons and the four states they express, the
// start question, interrupt, resume and cancel, the elapsed-time clock, the count and time
// displays, the condition label, the size and condition menu plumbing, the record table entry,
// and the window's own game that it keeps while hidden and puts back when shown again.

#include "shell/FormBase.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <array>
#include <string>

class QLabel;
class QLineEdit;
class QTimer;
class TCuteButton;

// Status texts of the game flow.
namespace gamestatus {
inline const QString Idle = QStringLiteral("「新しい問題」ボタンで始めてください。");
inline const QString Started = QStringLiteral("数字の入れ替えを始めてください。");
inline const QString Resumed = QStringLiteral("再開します。入れ替えを続けてください。");
inline const QString Continue = QStringLiteral("数字の入替えを続けてください。");
inline const QString Interrupted = QStringLiteral("中断中です。「再開」ボタンで再開してください。");
inline const QString Ended = QStringLiteral("「新しい問題」か「同じ問題」ボタンで始めてください。");
}  // namespace gamestatus

// Where a game window puts the shared controls; everything else about them is common.
struct TGameWindowPlacement {
    int gameType = 1;                    // GameType: its slot in SwapCount / ElapsedSeconds
    QPoint confirmStartPos;              // screen position of "始めてもいいですか？"
    int buttonLeft = 0;                  // CuteButton1 … 6, each 90 wide
    std::array<int, 6> buttonTops{};
    std::array<unsigned, 6> buttonColors{};  // TColor values
    QRect conditionLabel;                // Label2
    QPoint countDisplay;                 // Memo1
    QPoint timeDisplay;                  // Memo2
};

class TGameWindow : public TFormBase {
    Q_OBJECT
public:
    // The states are patterns of enabled buttons (with the timer and Finished), not a variable.
    enum TButtonState { Idle, Playing, Interrupted, Ended };

    TGameWindow(const QString& caption, const TGameWindowPlacement& placement, QWidget* parent = nullptr);

    TCuteButton* CuteButton1 = nullptr;  // 新しい問題
    TCuteButton* CuteButton2 = nullptr;  // 同じ問題
    TCuteButton* CuteButton3 = nullptr;  // 入れ替え
    TCuteButton* CuteButton4 = nullptr;  // 中断
    TCuteButton* CuteButton5 = nullptr;  // 再開
    TCuteButton* CuteButton6 = nullptr;  // 取止め
    QLineEdit* Memo1 = nullptr;          // swap count
    QLineEdit* Memo2 = nullptr;          // elapsed time
    QLabel* Label2 = nullptr;            // （condition）
    QTimer* Timer2 = nullptr;            // elapsed-time clock, 1 s

    int GameType() const { return placement_.gameType; }
    // Index of this game in SwapCount and ElapsedSeconds.
    int Slot() const { return placement_.gameType - 1; }

    // One flag per button, CuteButton1 … 6: enabled exactly when 1.
    void SetButtons(int f1, int f2, int f3, int f4, int f5, int f6);
    // The button pattern of a state (the timer and the status text are the caller's).
    void SetButtonState(TButtonState state);
    // "100000" … : the enabled flags of CuteButton1 … 6, for tests and diagnostics.
    QString ButtonPattern() const;

    // Lays out the board of ActiveSize and ActiveCondition and enters Idle.
    void SetUpBoard();
    // The start question after a problem was laid out; true when the game started.
    bool ConfirmStart();

    virtual void CuteButton1Click() = 0;  // new problem
    virtual void CuteButton2Click() = 0;  // same problem
    virtual void CuteButton3Click() = 0;  // swap
    void CuteButton4Click();              // interrupt
    void CuteButton5Click();              // resume
    void CuteButton6Click();              // cancel

    // One second of play.
    void Timer2Timer();
    // "M分S秒" without leading zeros.
    static QString ElapsedText(int seconds);

    // SwapCount of this game into Memo1.
    void ShowSwapCount();
    // Counters of this game to 0, displays empty, Timer2 stopped.
    void ResetCounters();
    // "（" + ConditionName + "）" into Label2.
    void ShowConditionLabel();

    // The size and condition menu commands.
    void ChooseSize(int size);
    void ChooseCondition(int condition);

    // The table is complete: cue 4, Finished, clock stopped, the box at `boxPos`, Ended.
    void FinishGame(const QPoint& boxPos);

    // "記録表" / "記録": the record table, then a stored problem it may hand back.
    void N2Click();

    // Board operations of each game.
    virtual void ResetBoard() = 0;
    virtual void ShowCells() = 0;
    virtual void ShowCompletedTable() = 0;
    // Lays out StartNumbersA (and B) after a board reset, tiles coloured by MarkInPlace.
    virtual void LayOutStoredProblem() = 0;

protected:
    // Puts this window's own game back into GameState before it is shown again.
    void OnShowModal() override;
    void BeforeQuit() override { ResetBoard(); }
    // Keeps this window's game when it is hidden (before "戻る" resets the shared size).
    void hideEvent(QHideEvent* event) override;

    // Each window sets the tab order and the remaining looks of its own controls.
    TCuteButton* Button(int i) const { return buttons_[i - 1]; }

private:
    // The part of GameState that belongs to the game of one window.
    struct TOwnGame {
        int ActiveSize = 1;
        int ActiveCondition = 1;
        std::string FirstNumber, SecondNumber;
        int FirstIndex = 0, SecondIndex = 0;
        std::array<std::string, 25> StartNumbersA{}, StartNumbersB{};
        std::string ProblemCodeA, ProblemCodeB;
        int Finished = 0;
    };
    void SaveOwnGame();
    void RestoreOwnGame();

    void CreateButtons();
    void CreateDisplays();

    TGameWindowPlacement placement_;
    std::array<TCuteButton*, 6> buttons_{};
    TOwnGame own_;
};
