#include "games/GameWindow.h"

#include "core/Board.h"
#include "core/GameState.h"
#include "core/Hints.h"
#include "core/SavedGame.h"
#include "games/BoardCursor.h"
#include "games/GameSolutions.h"
#include "records/DataModule.h"
#include "records/RecordWindow.h"
#include "shell/Application.h"
#include "shell/ColoredButton.h"
#include "shell/Look.h"
#include "shell/Seams.h"

#include <QAction>
#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QSessionManager>
#include <QShortcut>
#include <QTimer>
#include <algorithm>
#include <chrono>

using namespace qx;

namespace {

constexpr int ButtonWidth = 90;
constexpr int ButtonHeight = 25;
constexpr int DisplayWidth = 89;
constexpr int DisplayHeight = 17;
constexpr int DisplayMaxLength = 12;
constexpr int StatusPanelWidth = 500;

const QString ButtonCaptions[6] = {QStringLiteral("新しい問題"), QStringLiteral("同じ問題"), QStringLiteral("入れ替え"),
                                   QStringLiteral("中断"),       QStringLiteral("再開"),     QStringLiteral("取止め")};

// 同じ問題 … 取止め look the same in both windows; 新しい問題's colour is each window's own.
const unsigned ButtonColors[6] = {0,
                                  colors::MoneyGreen,
                                  colors::SwapButtonColor,
                                  colors::InterruptButtonColor,
                                  colors::ResumeButtonColor,
                                  colors::CancelButtonColor};

constexpr int CellStep = 44;  // tiles are 45 wide on a 44 step: neighbours share their border
constexpr int TileSize = 45;

// Hands the presses on one number label to its cell's handler.
class TLabelPressFilter : public QObject {
public:
    TLabelPressFilter(QObject* parent, std::function<void(Qt::MouseButton)> handler)
        : QObject(parent), handler_(std::move(handler))
    {
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        // A quick second press arrives as a double click; it is a press all the same.
        if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick) return false;
        handler_(static_cast<QMouseEvent*>(event)->button());
        return true;
    }

private:
    std::function<void(Qt::MouseButton)> handler_;
};

}  // namespace

TGameWindow::TGameWindow(const QString& caption, const TGameWindowPlacement& placement, QWidget* parent)
    : TFormBase(caption, 700, 540, parent), placement_(placement)
{
    SetStatusPanelWidth(StatusPanelWidth);
    CreateButtons();
    CreateDisplays();

    playClock_ = new QTimer(this);
    playClock_->setObjectName(QStringLiteral("Timer2"));
    playClock_->setInterval(1000);
    connect(playClock_, &QTimer::timeout, this, Guarded([this] { OnSecond(); }));

    auto* boardKey = new QShortcut(QKeySequence(Qt::Key_F6), this);
    connect(boardKey, &QShortcut::activated, this, Guarded([this] { CycleBoardFocus(); }));

    // However the program ends (終了, the menu's close box, a signal) or the session ends, the
    // game in progress is kept.
    connect(qApp, &QCoreApplication::aboutToQuit, this, Guarded([this] { SaveGameInProgress(FinalSaveWaitMs); }));
    connect(qApp, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager&) { RunGuarded([this] { SaveGameInProgress(FinalSaveWaitMs); }); });
}

void TGameWindow::CreateButtons()
{
    const QFont font = UiFont(MaruGothic, 13, true);
    for (int i = 0; i < 6; ++i) {
        auto* b = new TCuteButton(Client());
        b->setObjectName(QStringLiteral("CuteButton%1").arg(i + 1));
        b->setCaption(ButtonCaptions[i]);
        b->setFont(font);
        b->setColor(TColor(i == 0 ? placement_.newProblemColor : ButtonColors[i]));
        b->setFlat(false);
        b->setShowFocusRect(false);
        b->setUseDisabledColor(false);
        b->setEgnoreContClick(false);
        b->setGeometry(placement_.buttonLeft, placement_.buttonTops[i], ButtonWidth, ButtonHeight);
        buttons_[i] = b;
    }
    // Named, though only shown where a button uses its disabled colour.
    buttons_[0]->setDisabledColor(TColor(colors::SkyBlue));
    buttons_[1]->setDisabledColor(TColor(colors::SkyBlue));

    void (TGameWindow::*const handlers[6])() = {&TGameWindow::OnNewProblem, &TGameWindow::OnSameProblem,
                                                &TGameWindow::OnSwap,       &TGameWindow::OnInterrupt,
                                                &TGameWindow::OnResume,     &TGameWindow::OnCancel};
    for (int i = 0; i < 6; ++i)
        connect(buttons_[i], &TCuteButton::clicked, this,
                Guarded([this, handler = handlers[i]] { (this->*handler)(); }));
}

void TGameWindow::CreateDisplays()
{
    const QFont displayFont = UiFont(MaruGothic, 13, true);
    auto makeDisplay = [&](QPoint at) {
        auto* memo = new QLineEdit(Client());
        memo->setGeometry(at.x(), at.y(), DisplayWidth, DisplayHeight);
        memo->setAlignment(Qt::AlignCenter);
        memo->setMaxLength(DisplayMaxLength);
        // The game only writes them: no caret, and nothing the player types overwrites a count.
        memo->setReadOnly(true);
        memo->setFont(displayFont);
        // 17 px leave no room for the style's frame and margins.
        memo->setStyleSheet(QStringLiteral(
            "QLineEdit { border: 1px solid #808080; padding: 0px; margin: 0px; background: white; color: #000080; }"));
        return memo;
    };
    countDisplay_ = makeDisplay(placement_.countDisplay);
    countDisplay_->setObjectName(QStringLiteral("Memo1"));
    timeDisplay_ = makeDisplay(placement_.timeDisplay);
    timeDisplay_->setObjectName(QStringLiteral("Memo2"));

    conditionLabel_ = new QLabel(Client());
    conditionLabel_->setObjectName(QStringLiteral("Label2"));
    conditionLabel_->setGeometry(placement_.conditionLabel);
    conditionLabel_->setAlignment(Qt::AlignCenter);
    conditionLabel_->setFont(UiFont(MaruGothic, 19, true));
    QPalette pal = conditionLabel_->palette();
    pal.setColor(QPalette::WindowText, TColor(colors::ConditionColor));
    conditionLabel_->setPalette(pal);
}

void TGameWindow::SetButtons(int f1, int f2, int f3, int f4, int f5, int f6)
{
    const int flags[6] = {f1, f2, f3, f4, f5, f6};
    for (int i = 0; i < 6; ++i) {
        // A button that is switched off drops the focus rather than pass it on to the next control,
        // which would put a caret into the count or time display.
        if (flags[i] != 1 && window()->focusWidget() == buttons_[i]) buttons_[i]->clearFocus();
        buttons_[i]->setEnabled(flags[i] == 1);
    }
}

QString TGameWindow::ButtonPattern() const
{
    QString pattern;
    for (TCuteButton* b : buttons_) pattern += b->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    return pattern;
}

// ---- the model shown ----

void TGameWindow::FormCreate()
{
    RenderBoard();
    RenderPhase();
    SetStatusText(gamestatus::Idle);
    Publish();
    PlayCue(SoundCue::Picked);
}

void TGameWindow::RenderBoard()
{
    if (shownSize_ != Model().Size()) {
        shownSize_ = Model().Size();
        ShowCompletedTable();
    }
    RenderTables();
    for (TBoardCursor* cursor : cursors_) cursor->CellsChanged();
    RenderDisplays();
    ShowConditionLabel();
}

void TGameWindow::RenderPhase()
{
    switch (Model().CurrentPhase()) {
    case Phase::Idle: SetButtons(1, 0, 0, 0, 0, 0); break;
    case Phase::Playing: SetButtons(0, 0, 1, 1, 0, 1); break;
    case Phase::Interrupted: SetButtons(0, 0, 0, 0, 1, 1); break;
    case Phase::Ended: SetButtons(1, 1, 0, 0, 0, 0); break;
    }
    if (!Model().ClockRunning())
        playClock_->stop();
    else if (!playClock_->isActive())
        playClock_->start();
}

void TGameWindow::RenderDisplays()
{
    // Both are empty from a board reset until the first swap or tick.
    const int count = Model().SwapCount();
    const int seconds = Model().ElapsedSeconds();
    const QString countText = count ? QString::number(count) : QString();
    const QString timeText = seconds ? Q(MinutesAndSeconds(seconds)) : QString();
    if (countDisplay_->text() != countText) countDisplay_->setText(countText);
    if (timeDisplay_->text() != timeText) timeDisplay_->setText(timeText);
}

void TGameWindow::Apply(const Outcome& outcome)
{
    // A refusal is shown over the board as it was; the board's new look follows once it is closed.
    if (!outcome.refused) RenderBoard();
    for (SoundCue cue : outcome.cues) PlayCue(cue);
    if (outcome.notice) {
        BoxPosition at;
        if (outcome.notice->at) at = QPoint(outcome.notice->at->first, outcome.notice->at->second);
        Messages().plain(Q(outcome.notice->text), at);
    }
    if (outcome.refused) RenderBoard();
    RenderPhase();
    if (outcome.status) SetStatusText(Q(*outcome.status));
    Publish();
    if (solutions_) solutions_->Follow();
}

void TGameWindow::Publish(TSharing what)
{
    qx::FillGameState({.play = &Model(), .countersOnly = what == TSharing::Counters});
}

// ---- the game flow ----

bool TGameWindow::ConfirmStart()
{
    RenderBoard();
    RenderPhase();
    // The search of the problem's start runs while the player reads the question.
    if (solutions_) solutions_->Follow();
    PlayCue(SoundCue::Question);
    const bool ok = Messages().confirm(QStringLiteral("始めてもいいですか？"), placement_.confirmStartPos);
    if (ok)
        Apply(Model().Start());
    else
        Publish();  // the problem stays on the board and is the current one
    return ok;
}

void TGameWindow::OnNewProblem()
{
    Random rng = ProblemRandom();
    Model().NewProblem(rng);
    ForgetSavedGame();
    ConfirmStart();
}

void TGameWindow::OnSameProblem()
{
    Model().SameProblem();
    ForgetSavedGame();
    ConfirmStart();
}

void TGameWindow::OnSwap()
{
    const int before = Model().SwapCount();
    Apply(Model().Swap());
    if (Model().SwapCount() != before) KeepOrForgetGame();
}

void TGameWindow::OnInterrupt()
{
    Apply(Model().Interrupt());
    SaveGameInProgress();
}

void TGameWindow::OnResume() { Apply(Model().Resume()); }

void TGameWindow::OnCancel()
{
    if (!Messages().confirm(QStringLiteral("この問題をキャンセルしてもいいですか？\r\n\r\n"))) return;
    Apply(Model().Cancel());
    ForgetSavedGame();
}

void TGameWindow::OnSecond()
{
    if (!Model().Tick()) return;
    RenderDisplays();
    Publish(TSharing::Counters);
}

void TGameWindow::ShowConditionLabel()
{
    const QString text = QStringLiteral("（") + Q(ConditionName(Model().Condition())) + QStringLiteral("）");
    if (conditionLabel_->text() == text) return;
    conditionLabel_->setText(text);
    // The substituted face is wider than the label's designed box: widen it about the same centre
    // rather than clip the parentheses.
    QRect box = placement_.conditionLabel;
    const int needed = conditionLabel_->fontMetrics().horizontalAdvance(conditionLabel_->text()) + 4;
    if (needed > box.width()) box = QRect(box.center().x() - (needed - 1) / 2, box.top(), needed, box.height());
    conditionLabel_->setGeometry(box);
}

void TGameWindow::ChooseSize(BoardSize size)
{
    Apply(Model().ChooseSize(size));
    ForgetSavedGame();
}

void TGameWindow::ChooseCondition(SwapCondition condition)
{
    Apply(Model().ChooseCondition(condition));
    ForgetSavedGame();
}

void TGameWindow::OpenRecords()
{
    const qx::Game& game = Model();
    const std::optional<HandedProblem> stored = ShowRecordTable(this, {.game = game.Type(),
                                                                       .size = game.Size(),
                                                                       .condition = game.Condition(),
                                                                       .finished = game.Finished(),
                                                                       .swapCount = game.SwapCount(),
                                                                       .elapsedSeconds = game.ElapsedSeconds(),
                                                                       .codeA = game.Problem().codeA,
                                                                       .codeB = game.Problem().codeB});
    if (!stored) return;
    Model().LayOutStoredProblem(stored->problem, stored->condition);
    ForgetSavedGame();
    ConfirmStart();
}

// ---- the game kept between runs ----

KeptGameStore* TGameWindow::SavedGames()
{
    TDataModule1* module = DataModule1();
    return module ? &module->KeptGames() : nullptr;
}

void TGameWindow::OnShowModal()
{
    Publish();
    if (savedGameOffered_) return;
    // Asked over the window once it is on screen, before any input reaches it.
    QTimer::singleShot(0, this, Guarded([this] { OfferSavedGame(); }));
}

void TGameWindow::OfferSavedGame()
{
    if (savedGameOffered_) return;
    savedGameOffered_ = true;
    KeptGameStore* store = SavedGames();
    // A game begun here already is the one to keep.
    if (!store || Model().CurrentPhase() != Phase::Idle) return;
    std::optional<SavedGame> saved;
    try {
        saved = store->Read(Model().Type());
    } catch (const EDatabaseError&) {
        return;  // nothing to offer from a file that cannot be read; the records say why
    }
    savedRowMayExist_ = saved.has_value();
    if (!saved) return;
    const ParsedSave parsed = ParseSavedGame(*saved);
    if (!parsed.position || parsed.position->game != Model().Type()) {
        Messages().plain(Q(UnusableSaveText));
        ForgetSavedGame();
        return;
    }
    PlayCue(SoundCue::Question);
    if (!Messages().confirm(Q(ResumeQuestion(*parsed.position)))) {
        ForgetSavedGame();
        return;
    }
    saveFailureShown_ = false;
    Apply(Model().Restore(*parsed.position));
}

void TGameWindow::SaveGameInProgress(int waitMs)
{
    KeptGameStore* store = SavedGames();
    const std::optional<SavedGame> saved = SaveOf(Model());
    if (!store || !saved) return;
    try {
        store->Save(*saved, waitMs);
        savedRowMayExist_ = true;
    } catch (const EDatabaseError&) {
        // The game goes on; the player hears of it once per game.
        if (saveFailureShown_) return;
        saveFailureShown_ = true;
        SetStatusText(Q(SaveFailedText));
    }
}

void TGameWindow::ForgetSavedGame()
{
    // A new game is a new chance to keep it, and to say when that fails.
    saveFailureShown_ = false;
    KeptGameStore* store = SavedGames();
    if (!store || !savedRowMayExist_) return;
    try {
        store->Delete(Model().Type(), PlaySaveWaitMs);
        savedRowMayExist_ = false;
    } catch (const EDatabaseError&) {
        // Left for the next start, which offers it: nothing of this game is lost.
    }
}

void TGameWindow::KeepOrForgetGame()
{
    if (SaveOf(Model()))
        SaveGameInProgress();
    else
        ForgetSavedGame();
}

void TGameWindow::hideEvent(QHideEvent* event)
{
    TFormBase::hideEvent(event);
    RunGuarded([this] { SaveGameInProgress(); });
}

// ---- controls of the tables ----

TBoardCells TGameWindow::CreateTable(int table, const TTableGeometry& g)
{
    std::array<TShape*, TBoardCells::Positions> tiles{};
    std::array<QLabel*, TBoardCells::Positions> labels{};
    for (int p = 1; p <= TBoardCells::Positions; ++p) {
        auto* tile = new TShape(Client());
        tile->setObjectName(QStringLiteral("Shape%1").arg(p - 1 + g.firstShapeNumber));
        tile->setGeometry(g.firstTile.x() + CellStep * (LayoutColumn(p) - 1),
                          g.firstTile.y() + CellStep * (LayoutRow(p) - 1), TileSize, TileSize);
        tiles[p - 1] = tile;
    }
    const QColor navy = TColor(colors::NumberColor);
    for (int p = 1; p <= TBoardCells::Positions; ++p) {
        QLabel* label =
            MakeLabel(Client(), QStringLiteral("Label%1").arg(p - 1 + g.firstLabelNumber), g.numberFont, navy);
        label->setGeometry(g.firstLabel.x() + CellStep * (LayoutColumn(p) - 1),
                           g.firstLabel.y() + CellStep * (LayoutRow(p) - 1), g.labelSize.width(), g.labelSize.height());
        label->setAlignment(Qt::AlignCenter);
        label->setText(QString::number(p));
        label->installEventFilter(new TLabelPressFilter(label, [this, table, p](Qt::MouseButton button) {
            RunGuarded([&] { CellPressed(table, BoardIndexAt(p), button); });
        }));
        labels[p - 1] = label;
    }
    return TBoardCells(tiles, labels);
}

void TGameWindow::CreateCompletedTable(const TCompletedTableGeometry& g)
{
    completedSizes_ = g.panelSizes;
    completedPanel_ = new QFrame(Client());
    completedPanel_->setObjectName(QStringLiteral("Panel1"));
    completedPanel_->setFrameStyle(g.frameStyle);
    completedPanel_->setLineWidth(1);
    completedPanel_->setAutoFillBackground(true);
    QPalette pal = completedPanel_->palette();
    pal.setColor(QPalette::Window, TColor(colors::PlainTileColor));
    completedPanel_->setPalette(pal);
    completedPanel_->setGeometry(g.panel);

    const QFont font = UiFont(PGothic, 17, true);
    for (int p = 1; p <= LayoutPositions; ++p) {
        QLabel* label =
            MakeLabel(completedPanel_, QStringLiteral("Label%1").arg(p - 1 + g.firstLabelNumber), font, Qt::black);
        label->setGeometry(
            QRect(QPoint(g.labelLefts[LayoutColumn(p) - 1], g.labelTops[LayoutRow(p) - 1]), g.labelSize));
        label->setAlignment(Qt::AlignCenter);
        label->setText(QString::number(p));
        completedLabels_[p - 1] = label;
    }
    for (int i = 0; i < 8; ++i) {
        auto* line = new TShape(completedPanel_);
        line->setObjectName(QStringLiteral("Shape%1").arg(i + 1));
        line->SetBrushColor(Qt::black);
        line->setGeometry(g.gridLines[i]);
        gridLines_[i] = line;
    }
}

void TGameWindow::ShowCompletedTable()
{
    if (!completedPanel_) return;
    const BoardSize size = Model().Size();
    for (int k = 1; k <= CellCount(size); ++k) CompletedLabel(LayoutPositionOf(k, size))->setText(QString::number(k));
    completedPanel_->resize(completedSizes_[int(size) - 1]);
    QPalette pal = completedPanel_->palette();
    pal.setColor(QPalette::Window, TColor(colors::InPlaceColor));
    completedPanel_->setPalette(pal);
}

QLabel* TGameWindow::PlaceCaption(const char* name, const QString& text, QPoint at)
{
    QLabel* label =
        MakeLabel(Client(), QString::fromLatin1(name), UiFont(MaruGothic, 16, true), TColor(colors::NumberColor));
    label->setText(text);
    label->move(at);
    label->adjustSize();
    return label;
}

void TGameWindow::SetTabOrderOf(std::initializer_list<QWidget*> order)
{
    QWidget* previous = nullptr;
    for (QWidget* w : order) {
        if (previous) setTabOrder(previous, w);
        previous = w;
    }
}

// ---- keyboard play ----

namespace {

// How a screen reader describes a cell: picked or selected, a possible partner, in its place.
QString CellState(const BoardCell& cell)
{
    QStringList states;
    if (cell.ink != NumberLook::Plain) states << QStringLiteral("選択中");
    if (cell.tile == TileLook::Partner) states << QStringLiteral("入れ替え候補");
    if (cell.tile == TileLook::InPlace) states << QStringLiteral("正しい位置");
    return states.join(QStringLiteral("、"));
}

}  // namespace

void TGameWindow::AddBoardCursor(int table, QPoint firstTile, const QString& name)
{
    TBoardCursor::Table access;
    access.side = [this] { return Model().Side(); };
    access.empty = [this, table] { return Model().Board(table).front().number == 0; };
    access.number = [this, table](int k) { return Q(BoardNumberText(Model().Board(table)[k - 1].number)); };
    access.state = [this, table](int k) { return CellState(Model().Board(table)[k - 1]); };
    access.lastPicked = [this, table] {
        const Selection& picks = Model().Picks();
        // Puzzle I selects twice in one table; Puzzle II picks once in each.
        if (Model().Tables() == 1) return picks.secondIndex ? picks.secondIndex : picks.firstIndex;
        return table == 0 ? picks.firstIndex : picks.secondIndex;
    };
    access.leftClick = [this, table](int k) { RunGuarded([&] { CellPressed(table, k, Qt::LeftButton); }); };
    access.rightClick = [this, table](int k) { RunGuarded([&] { CellPressed(table, k, Qt::RightButton); }); };
    access.swap = [this] {
        if (SwapButton()->isEnabled()) RunGuarded([this] { OnSwap(); });
    };
    auto* cursor = new TBoardCursor(Client(), firstTile, name, std::move(access));
    cursor->setObjectName(QStringLiteral("boardCursor") + name.right(1).remove(QStringLiteral("表")));
    cursors_.push_back(cursor);
}

// F6 walks from the control that has the focus onto each table in turn, and back.
void TGameWindow::CycleBoardFocus()
{
    if (cursors_.empty()) return;
    QWidget* focused = focusWidget();
    const auto on = std::find(cursors_.begin(), cursors_.end(), focused);
    if (on == cursors_.end())
        cursors_.front()->Enter(focused);
    else if (on + 1 != cursors_.end())
        (*(on + 1))->Enter((*on)->Previous());
    else
        (*on)->Leave();
}

int TGameWindow::BoardIndexAt(int p) const
{
    const int side = Model().Side();
    if (LayoutColumn(p) > side || LayoutRow(p) > side) return 0;
    return LayoutColumn(p) + (LayoutRow(p) - 1) * side;
}

Random TGameWindow::ProblemRandom() const
{
    if (fixedSeed) return Random(*fixedSeed);
    return Random(unsigned(std::chrono::system_clock::now().time_since_epoch().count()));
}

QLabel* TGameWindow::MakeLabel(QWidget* parent, const QString& name, const QFont& font, const QColor& color)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setFont(font);
    SetLabelColor(label, color);
    return label;
}

void TGameWindow::CreateGameMenu(const TGameMenuNames& names, std::function<void()> back)
{
    AddCommand(nullptr, names.back, QStringLiteral("戻る"), std::move(back));
    QMenu* size = AddMenu(names.sizeMenu, QStringLiteral("サイズ"));
    const QString sizeTexts[3] = {names.firstSizeText, QStringLiteral("１６マス"), QStringLiteral("２５マス")};
    for (int i = 0; i < 3; ++i)
        AddCommand(size, names.sizes[i], sizeTexts[i], [this, i] { ChooseSize(BoardSize(i + 1)); });
    QMenu* condition = AddMenu(names.conditionMenu, QStringLiteral("条件"));
    for (int c = 1; c <= 6; ++c)
        AddCommand(condition, names.conditions[c - 1], Q(ConditionName(SwapCondition(c))),
                   [this, c] { ChooseCondition(SwapCondition(c)); });
    AddCommand(nullptr, names.record, names.recordText, [this] { OpenRecords(); });
    CreateHintMenu();
    AddCommand(nullptr, names.help, QStringLiteral("遊び方"), [this] { ShowHelpContents(); });
    AddCommand(nullptr, "Exit1", QStringLiteral("終了"), [this] { AskQuit(); });
}

// ---- hints ----

void TGameWindow::CreateHintMenu()
{
    solutions_ = new TGameSolutions(this, Model());
    QMenu* hint = AddMenu("hintMenu", QStringLiteral("ヒント"));
    AddCommand(hint, "nextMoveItem", QStringLiteral("次の一手"), [this] {
        OnNextMove();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    AddCommand(hint, "shortestItem", QStringLiteral("最短手数"), [this] {
        OnShortest();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
}

void TGameWindow::OnNextMove()
{
    if (!IsHintTime(Model())) {
        PlayCue(SoundCue::Refusal);
        Messages().plain(Q(hinttext::OutsideGame));
        return;
    }
    // Before the first answer for this board has come, the hint waits for it; the player plays on.
    solutions_->WhenHintReady([this](const Solution& answer) { RunGuarded([&] { ShowHint(answer); }); });
}

void TGameWindow::ShowHint(const Solution& answer)
{
    const std::optional<Position> board = BoardPosition(Model());
    if (!board || !IsHintTime(Model())) return;  // interrupted or ended while the answer was on its way
    if (answer.status == Solution::Status::Impossible || answer.path.empty()) {
        // A search that found no way within its time tells what it knows instead.
        PlayCue(SoundCue::Refusal);
        Messages().plain(Q(answer.status == Solution::Status::Impossible ? hinttext::CannotComplete
                                                                         : ShortestFromBoardText(answer)));
        return;
    }
    const SolverSwap swap = answer.path.front();
    const Selection picks = Model().Picks();
    const int other = Model().Tables() - 1;  // the table of the second number: B, or the only one
    // Put back what is selected as right clicks would, then choose as two left clicks.
    if (Model().Tables() == 1) {
        if (picks.secondIndex) CellPressed(0, picks.secondIndex, Qt::RightButton);
        if (picks.firstIndex) CellPressed(0, picks.firstIndex, Qt::RightButton);
    } else {
        if (picks.firstIndex) CellPressed(0, picks.firstIndex, Qt::RightButton);
        if (picks.secondIndex) CellPressed(1, picks.secondIndex, Qt::RightButton);
    }
    CellPressed(0, swap.first, Qt::LeftButton);
    CellPressed(other, swap.second, Qt::LeftButton);
    SetStatusText(Q(HintStatus(*board, swap)));
}

void TGameWindow::OnShortest()
{
    PlayCue(SoundCue::Step);
    const auto show = [](const std::string& text) { RunGuarded([&] { Messages().plain(Q(text)); }); };
    switch (ShortestSubjectOf(Model())) {
    case ShortestSubject::NoProblem: Messages().plain(Q(hinttext::NoProblem)); break;
    case ShortestSubject::Problem:
        solutions_->WhenSettled(true, [show, count = Model().SwapCount()](const Solution& answer) {
            show(ShortestOfProblemText(answer, count));
        });
        break;
    case ShortestSubject::Board:
        solutions_->WhenSettled(false, [show](const Solution& answer) { show(ShortestFromBoardText(answer)); });
        break;
    }
}
