#pragma once
// What the two game windows share: the six push buttons and the four states they express, the
// start question, interrupt, resume and cancel, the elapsed-time clock, the count and time
// displays, the condition label, the size and condition menu plumbing and the record table entry.
// The window is a view of its game model: clicks become model operations, and the model is
// rendered into the controls and published into GameState. What is kept between runs and the
// hint menu live beside it (TKeptGame, THintMenu); the model's outcome says what to keep.

#include "core/Game.h"
#include "games/BoardCells.h"
#include "games/KeptGame.h"
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
#include <string_view>
#include <vector>

class QFrame;
class QLabel;
class QLineEdit;
class QTimer;
class TBoardCursor;
class TCuteButton;
class TGameSolutions;
class THintMenu;
namespace qx {
class KeptGameStore;
}  // namespace qx

// Where a game window puts the shared controls; everything else about them is common.
struct TGameWindowPlacement {
    QPoint confirmStartPos;  // screen position of "始めてもいいですか？"
    int buttonLeft = 0;      // the six buttons, each 90 wide
    std::array<int, 6> buttonTops{};
    unsigned newProblemColor = 0;  // TColor of 新しい問題; the other five share their colours
    QRect conditionLabel;
    QPoint countDisplay;
    QPoint timeDisplay;
    QPoint parCaption;  // "最短" below "時間", and its display below the time display
    QPoint parDisplay;
};

// One table of cells on the fixed 5 × 5 grid: tiles on a 44 px step, 45 px wide, so that
// neighbouring tiles share their border, and a number label inside each tile.
struct TTableGeometry {
    QPoint firstTile;   // tile of LayoutPosition 1
    QPoint firstLabel;  // number label of LayoutPosition 1
    QSize labelSize;
    QFont numberFont;
    int firstShapeNumber;  // the tile of position p is Shape(p − 1 + firstShapeNumber)
    int firstLabelNumber;  // the number label of p is Label(p − 1 + firstLabelNumber)
};

// The small completed table: a panel holding a label per LayoutPosition and eight grid lines.
struct TCompletedTableGeometry {
    QRect panel;
    int frameStyle = 0;               // QFrame shape | shadow
    int firstLabelNumber = 0;         // the label of position p is Label(p − 1 + firstLabelNumber)
    std::array<int, 5> labelLefts{};  // by layout column
    std::array<int, 5> labelTops{};   // by layout row
    QSize labelSize;
    std::array<QRect, 8> gridLines{};   // Shape1 … Shape8
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
    TGameWindow(const QString& caption, const TGameWindowPlacement& placement, QWidget* parent = nullptr);

    // The controls by what they do; their objectNames are the designed ones.
    TCuteButton* NewProblemButton() const { return buttons_[0]; }
    TCuteButton* SameProblemButton() const { return buttons_[1]; }
    TCuteButton* SwapButton() const { return buttons_[2]; }
    TCuteButton* InterruptButton() const { return buttons_[3]; }
    TCuteButton* ResumeButton() const { return buttons_[4]; }
    TCuteButton* CancelButton() const { return buttons_[5]; }
    QLineEdit* CountDisplay() const { return countDisplay_; }
    QLineEdit* TimeDisplay() const { return timeDisplay_; }
    // "最短": the par of the problem on the board.
    QLineEdit* ParDisplay() const { return parDisplay_; }
    QLabel* ConditionLabel() const { return conditionLabel_; }
    // The elapsed-time clock, 1 s.
    QTimer* PlayClock() const { return playClock_; }

    // When set, new problems draw from a generator with this seed instead of the clock.
    std::optional<unsigned> fixedSeed;

    // The game this window shows.
    virtual qx::Game& Model() = 0;
    virtual const qx::Game& Model() const = 0;

    // "100000" … : one flag per button, 新しい問題 … 取止め, enabled exactly when '1'.
    void SetButtons(std::string_view pattern);
    QString ButtonPattern() const;

    void OnNewProblem();
    void OnSameProblem();
    void OnSwap();
    void OnInterrupt();
    void OnResume();
    void OnCancel();

    // One second of play.
    void OnSecond();

    // "記録表" / "記録": the record table, then a stored problem it may hand back.
    void OpenRecords();

    // Where games in progress are kept between runs; handed over at start-up.
    void KeepGamesIn(qx::KeptGameStore* store) { keptGame_.UseStore(store); }
    // On the window's first opening: offers the game kept from an earlier run of this game type,
    // or says that the kept one cannot be used and forgets it.
    void OfferSavedGame();
    // The hint menu, and the solver's answers for this window's game.
    THintMenu* Hints() const { return hintMenu_; }
    TGameSolutions* Solutions() const;

protected:
    // Once, at the end of the window's construction: the model's empty 9-cell FreeSwap board in Idle.
    void FormCreate();
    // Shows what an operation did: the board, its cues and notice, the buttons and the status.
    void Apply(const qx::Outcome& outcome);
    // Shows a problem just laid out and asks the start question; true when the game started.
    bool ConfirmStart(const qx::Outcome& laidOut);

    // The tables of the model into the number labels and tiles.
    virtual void RenderTables() = 0;
    // Shows 1 … n in their final places, pink, the panel sized to the model's grid.
    virtual void ShowCompletedTable();

    // This window's game is the one in use again; the first opening offers a kept game.
    void OnShowModal() override;
    // "終了": the game is kept before the program ends.
    void BeforeQuit() override { keptGame_.Save(Model(), TKeptGame::FinalSaveWaitMs); }
    // Closing the window during a game keeps it.
    void hideEvent(QHideEvent* event) override;

    // Tiles first, so that every number label lies above its tile; a press on a number label
    // (a quick second press included) is a press on its cell of `table`.
    TBoardCells CreateTable(int table, const TTableGeometry& geometry);
    // The completed table of ShowCompletedTable.
    void CreateCompletedTable(const TCompletedTableGeometry& geometry);
    QFrame* CompletedPanel() const { return completedPanel_; }
    QLabel* CompletedLabel(int p) const { return completedLabels_[p - 1]; }
    TShape* GridLine(int i) const { return gridLines_[i - 1]; }
    // A caption in bold HG丸ｺﾞｼｯｸM-PRO 16 px, navy, sized to its text.
    QLabel* PlaceCaption(const char* name, const QString& text, QPoint at);
    void SetTabOrderOf(std::initializer_list<QWidget*> order);
    // Size and condition items choose through the model; `back` runs for 戻る.
    void CreateGameMenu(const TGameMenuNames& names, std::function<void()> back);
    // A label with its name, font and text colour.
    static QLabel* MakeLabel(QWidget* parent, const QString& name, const QFont& font, const QColor& color);
    // A click on cell k of table 0 or 1, by mouse or from the keyboard.
    virtual void CellPressed(int table, int k, Qt::MouseButton button) = 0;
    // Keyboard play on a table of the model whose first tile stands at `firstTile`; `name` is
    // how a screen reader calls the table ("表A"), empty for the only one.
    void AddBoardCursor(int table, QPoint firstTile, const QString& name);

private:
    // What of the model goes into GameState: the counters alone (a clock tick, possibly while
    // another game is in use), or everything when this game is the one in use.
    enum class TSharing { Counters, WholeGame };
    // Hands the model to FillGameState().
    void Publish(TSharing what = TSharing::WholeGame);
    // Board, displays and condition label.
    void RenderBoard();
    // Buttons of the phase, and the elapsed-time timer.
    void RenderPhase();
    void RenderDisplays();
    // What the solver has learned of the problem's start becomes the model's par.
    void LearnPar();
    void ShowConditionLabel();
    void ChooseSize(qx::BoardSize size);
    void ChooseCondition(qx::SwapCondition condition);
    // The generator of a new problem: fixedSeed when set, otherwise seeded from the clock.
    qx::Random ProblemRandom() const;
    void CreateButtons();
    void CreateDisplays();
    void CycleBoardFocus();
    // The BoardIndex at LayoutPosition p on the model's grid; 0 for a position outside it.
    int BoardIndexAt(int p) const;

    TGameWindowPlacement placement_;
    std::array<TCuteButton*, 6> buttons_{};  // 新しい問題, 同じ問題, 入れ替え, 中断, 再開, 取止め
    QLineEdit* countDisplay_ = nullptr;
    QLineEdit* timeDisplay_ = nullptr;
    QLineEdit* parDisplay_ = nullptr;
    QLabel* conditionLabel_ = nullptr;
    QTimer* playClock_ = nullptr;
    QFrame* completedPanel_ = nullptr;
    std::array<QLabel*, 25> completedLabels_{};
    std::array<TShape*, 8> gridLines_{};
    std::array<QSize, 3> completedSizes_{};
    std::optional<qx::BoardSize> shownSize_;  // the size whose completed table is shown
    std::vector<TBoardCursor*> cursors_;      // in the order F6 visits them
    TKeptGame keptGame_;
    THintMenu* hintMenu_ = nullptr;
};
