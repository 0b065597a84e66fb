#pragma once
// What the two game windows share: the six push buttons and the four states they express, the
// start question, interrupt, resume and cancel, the elapsed-time clock, the count and time
// displays, the condition label, the size and condition menu plumbing, the record table entry,
// and the window's own game that it keeps while hidden and puts back when shown again.

#include "games/BoardCells.h"
#include "shell/FormBase.h"

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <array>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>

class QFrame;
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

// One table of cells on the fixed 5 × 5 grid: tiles on a 44 px step, 45 px wide, so that
// neighbouring tiles share their border, and a number label inside each tile.
struct TTableGeometry {
    QPoint firstTile;       // tile of LayoutPosition 1
    QPoint firstLabel;      // number label of LayoutPosition 1
    QSize labelSize;
    QFont numberFont;
    int firstShapeNumber;   // the tile of position p is Shape(p − 1 + firstShapeNumber)
    int firstLabelNumber;   // the number label of p is Label(p − 1 + firstLabelNumber)
};

// The small completed table: a panel holding a label per LayoutPosition and eight grid lines.
struct TCompletedTableGeometry {
    QRect panel;
    int frameStyle = 0;              // QFrame shape | shadow
    int firstLabelNumber = 0;        // the label of position p is Label(p − 1 + firstLabelNumber)
    std::array<int, 5> labelLefts{};  // by layout column
    std::array<int, 5> labelTops{};   // by layout row
    QSize labelSize;
    std::array<QRect, 8> gridLines{};  // Shape1 … Shape8
    std::array<QSize, 3> panelSizes{};  // the panel shows exactly the grid of each board size
};

// The menu bar of a game window: 戻る, サイズ (three sizes), 条件 (the six conditions), the record
// table, 遊び方 and 終了, each window under its own item names.
struct TGameMenuNames {
    const char* back;
    const char* sizeMenu;
    std::array<const char*, 3> sizes;
    QString firstSizeText;  // the 9-cell item's text
    const char* conditionMenu;
    std::array<const char*, 6> conditions;
    const char* record;
    QString recordText;
    const char* help;
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

    // When set, new problems draw from a generator with this seed instead of the clock.
    std::optional<unsigned> FixedSeed;

    int GameType() const { return placement_.gameType; }
    // Index of this game in SwapCount and ElapsedSeconds.
    int Slot() const { return placement_.gameType - 1; }

    // One flag per button, CuteButton1 … 6: enabled exactly when 1.
    void SetButtons(int f1, int f2, int f3, int f4, int f5, int f6);
    // The button pattern of a state (the timer and the status text are the caller's).
    void SetButtonState(TButtonState state);
    // "100000" … : the enabled flags of CuteButton1 … 6, for tests and diagnostics.
    QString ButtonPattern() const;

    // Once, at the end of the window's construction: an empty 9-cell FreeSwap board in Idle.
    void FormCreate();
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
    // Shows 1 … n in their final places, pink, the panel sized to the active grid.
    virtual void ShowCompletedTable();
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

    using TLabelMouseDown = std::function<void(QLabel*, Qt::MouseButton)>;
    // Tiles first, so that every number label lies above its tile; a press on a number label
    // (a quick second press included) goes to `mouseDown`.
    TBoardCells CreateTable(const TTableGeometry& geometry, TLabelMouseDown mouseDown);
    // The completed table of ShowCompletedTable.
    void CreateCompletedTable(const TCompletedTableGeometry& geometry);
    QFrame* CompletedPanel() const { return completedPanel_; }
    QLabel* CompletedLabel(int p) const { return completedLabels_[p - 1]; }
    TShape* GridLine(int i) const { return gridLines_[i - 1]; }
    // A caption in bold HG丸ｺﾞｼｯｸM-PRO 16 px, navy, sized to its text.
    QLabel* PlaceCaption(const char* name, const QString& text, QPoint at);
    void SetTabOrderOf(std::initializer_list<QWidget*> order);
    // Size and condition items choose through ChooseSize / ChooseCondition; `back` runs for 戻る.
    void CreateGameMenu(const TGameMenuNames& names, std::function<void()> back);
    // A label with its name, font and text colour.
    static QLabel* MakeLabel(QWidget* parent, const QString& name, const QFont& font, const QColor& color);
    // The BoardIndex whose number `label` shows, from the label's own place (the window does not
    // scroll); 0 for a position outside the active grid.
    static int BoardIndexOfLabel(const QLabel* label, QPoint firstLabel);
    // The generator of a new problem: FixedSeed when set, otherwise seeded from the clock.
    qx::Random ProblemRandom() const;

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
    QFrame* completedPanel_ = nullptr;
    std::array<QLabel*, 25> completedLabels_{};
    std::array<TShape*, 8> gridLines_{};
    std::array<QSize, 3> completedSizes_{};
    TOwnGame own_;
};
