#include "games/GameWindow.h"

#include "core/Board.h"
#include "core/GameState.h"
#include "games/BoardCursor.h"
#include "games/GameSolutions.h"
#include "games/HintMenu.h"
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
    : TFormBase(caption, 700, 540, parent),
      placement_(placement),
      keptGame_([this](const QString& text) { SetStatusText(text); })
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
    const auto keepOnTheWayOut = [this] { keptGame_.Save(Model(), TKeptGame::FinalSaveWaitMs); };
    connect(qApp, &QCoreApplication::aboutToQuit, this, Guarded(keepOnTheWayOut));
    connect(qApp, &QGuiApplication::commitDataRequest, this,
            [keepOnTheWayOut](QSessionManager&) { RunGuarded(keepOnTheWayOut); });
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
    // Par: the fewest swaps of the problem, read as "最短 22 回"; the caption looks like 回数 and 時間.
    PlaceCaption("parCaption", QStringLiteral("最短"), placement_.parCaption);
    parDisplay_ = makeDisplay(placement_.parDisplay);
    parDisplay_->setObjectName(QStringLiteral("ParDisplay"));
    parDisplay_->setAccessibleName(QStringLiteral("最短"));
    parDisplay_->setFocusPolicy(Qt::NoFocus);

    conditionLabel_ = new QLabel(Client());
    conditionLabel_->setObjectName(QStringLiteral("Label2"));
    conditionLabel_->setGeometry(placement_.conditionLabel);
    conditionLabel_->setAlignment(Qt::AlignCenter);
    conditionLabel_->setFont(UiFont(MaruGothic, 19, true));
    QPalette pal = conditionLabel_->palette();
    pal.setColor(QPalette::WindowText, TColor(colors::ConditionColor));
    conditionLabel_->setPalette(pal);
}

void TGameWindow::SetButtons(std::string_view pattern)
{
    for (size_t i = 0; i < buttons_.size(); ++i) {
        const bool enabled = i < pattern.size() && pattern[i] == '1';
        // A button that is switched off drops the focus rather than pass it on to the next control,
        // which would put a caret into the count or time display.
        if (!enabled && window()->focusWidget() == buttons_[i]) buttons_[i]->clearFocus();
        buttons_[i]->setEnabled(enabled);
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
    SetStatusText(Q(status::Idle));
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
    case Phase::Idle: SetButtons("100000"); break;
    case Phase::Playing: SetButtons("001101"); break;
    case Phase::Interrupted: SetButtons("000011"); break;
    case Phase::Ended: SetButtons("110000"); break;
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
    const bool hasProblem = Model().Board(0).front().number != 0;
    const QString parText = Q(ParText(hasProblem, Model().ProblemPar(), Model().Optimal()));
    if (parDisplay_->text() != parText) {
        parDisplay_->setText(parText);
        parDisplay_->setAccessibleDescription(Q(ParSpoken(hasProblem, Model().ProblemPar(), Model().Optimal())));
    }
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
    keptGame_.Follow(outcome.keep, Model());
    if (hintMenu_) Solutions()->Follow();
}

void TGameWindow::Publish(TSharing what)
{
    qx::FillGameState({.play = &Model(), .countersOnly = what == TSharing::Counters});
}

// ---- the game flow ----

bool TGameWindow::ConfirmStart(const Outcome& laidOut)
{
    // The problem is the current one from here, and its search runs while the player reads the question.
    Apply(laidOut);
    PlayCue(SoundCue::Question);
    const bool ok = Messages().confirm(QStringLiteral("始めてもいいですか？"), placement_.confirmStartPos);
    if (ok) Apply(Model().Start());
    return ok;
}

void TGameWindow::OnNewProblem()
{
    Random rng = ProblemRandom();
    ConfirmStart(Model().NewProblem(rng));
}

void TGameWindow::OnSameProblem() { ConfirmStart(Model().SameProblem()); }

void TGameWindow::OnSwap() { Apply(Model().Swap()); }

void TGameWindow::OnInterrupt() { Apply(Model().Interrupt()); }

void TGameWindow::OnResume() { Apply(Model().Resume()); }

void TGameWindow::OnCancel()
{
    if (!Messages().confirm(QStringLiteral("この問題をキャンセルしてもいいですか？\r\n\r\n"))) return;
    Apply(Model().Cancel());
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

void TGameWindow::ChooseSize(BoardSize size) { Apply(Model().ChooseSize(size)); }

void TGameWindow::ChooseCondition(SwapCondition condition) { Apply(Model().ChooseCondition(condition)); }

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
                                                                       .codeB = game.Problem().codeB,
                                                                       .par = game.ProblemPar(),
                                                                       .hints = game.HintsUsed()});
    if (stored) ConfirmStart(Model().LayOutStoredProblem(stored->problem, stored->condition));
}

// ---- the game kept between runs ----

void TGameWindow::OnShowModal()
{
    Publish();
    if (keptGame_.Offered()) return;
    // Asked over the window once it is on screen, before any input reaches it.
    QTimer::singleShot(0, this, Guarded([this] { OfferSavedGame(); }));
}

void TGameWindow::OfferSavedGame()
{
    if (const std::optional<ResumePosition> kept = keptGame_.Offer(Model())) Apply(Model().Restore(*kept));
}

void TGameWindow::hideEvent(QHideEvent* event)
{
    TFormBase::hideEvent(event);
    RunGuarded([this] { keptGame_.Save(Model()); });
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
    hintMenu_ = new THintMenu(*this, Model(), [this](const Outcome& chosen) { Apply(chosen); });
    connect(Solutions(), &TGameSolutions::Answered, this, Guarded([this] { LearnPar(); }));
    AddCommand(nullptr, names.help, QStringLiteral("遊び方"), [this] { ShowHelpContents(); });
    AddCommand(nullptr, "Exit1", QStringLiteral("終了"), [this] { AskQuit(); });
}

void TGameWindow::LearnPar()
{
    const std::optional<Solution> answer = Solutions()->StartAnswer();
    if (!answer || answer->status == Solution::Status::Impossible) return;
    Model().LearnPar(ParOf(*answer));
    RenderDisplays();
}

TGameSolutions* TGameWindow::Solutions() const { return hintMenu_ ? hintMenu_->Solutions() : nullptr; }
