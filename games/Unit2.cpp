#include "games/Unit2.h"

#include "core/Board.h"
#include "core/GameState.h"
#include "core/Problem.h"
#include "core/Rules.h"
#include "shell/CuteBtn.h"
#include "shell/Look.h"
#include "shell/Seams.h"

#include <QEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <chrono>

using namespace qx;

namespace {

constexpr int Step = 44;        // tiles are 45 wide on a 44 step: neighbours share their border
constexpr int TileLeft = 178;
constexpr int TileTop = 40;
constexpr int TileSize = 45;
constexpr int LabelLeft = 184;  // number label of layout column 1, row 1
constexpr int LabelTop = 56;
constexpr int LabelWidth = 33;
constexpr int LabelHeight = 19;

constexpr int CompletedLeft[5] = {3, 28, 52, 77, 103};
constexpr int CompletedTop[5] = {5, 30, 55, 80, 105};
constexpr int GridLines[4] = {25, 50, 75, 100};
constexpr int PanelLength = 130;
// Completed table: width × height per board size.
constexpr int PanelWidth[3] = {79, 104, 130};
constexpr int PanelHeight[3] = {77, 102, 130};

const QPoint CompletedBoxPos(410, 480);

TGameWindowPlacement Puzzle1Placement()
{
    TGameWindowPlacement p;
    p.gameType = PuzzleI;
    p.confirmStartPos = QPoint(440, 470);
    p.buttonLeft = 520;
    p.buttonTops = {72, 112, 152, 256, 296, 336};
    p.buttonColors = {11597734, colors::MoneyGreen, 7370746, 16507822, 11007429, 14858977};
    p.conditionLabel = QRect(512, 38, 107, 19);
    p.countDisplay = QPoint(360, 322);
    p.timeDisplay = QPoint(360, 344);
    return p;
}

QString Q(const std::string& s) { return QString::fromStdString(s); }

using TileMember = TShape* TForm2::*;
using LabelMember = QLabel* TForm2::*;

const TileMember TileMembers[25] = {
    &TForm2::Shape9,  &TForm2::Shape10, &TForm2::Shape11, &TForm2::Shape12, &TForm2::Shape13,
    &TForm2::Shape14, &TForm2::Shape15, &TForm2::Shape16, &TForm2::Shape17, &TForm2::Shape18,
    &TForm2::Shape19, &TForm2::Shape20, &TForm2::Shape21, &TForm2::Shape22, &TForm2::Shape23,
    &TForm2::Shape24, &TForm2::Shape25, &TForm2::Shape26, &TForm2::Shape27, &TForm2::Shape28,
    &TForm2::Shape29, &TForm2::Shape30, &TForm2::Shape31, &TForm2::Shape32, &TForm2::Shape33,
};
const LabelMember NumberMembers[25] = {
    &TForm2::Label31, &TForm2::Label32, &TForm2::Label33, &TForm2::Label34, &TForm2::Label35,
    &TForm2::Label36, &TForm2::Label37, &TForm2::Label38, &TForm2::Label39, &TForm2::Label40,
    &TForm2::Label41, &TForm2::Label42, &TForm2::Label43, &TForm2::Label44, &TForm2::Label45,
    &TForm2::Label46, &TForm2::Label47, &TForm2::Label48, &TForm2::Label49, &TForm2::Label50,
    &TForm2::Label51, &TForm2::Label52, &TForm2::Label53, &TForm2::Label54, &TForm2::Label55,
};
const LabelMember CompletedMembers[25] = {
    &TForm2::Label6,  &TForm2::Label7,  &TForm2::Label8,  &TForm2::Label9,  &TForm2::Label10,
    &TForm2::Label11, &TForm2::Label12, &TForm2::Label13, &TForm2::Label14, &TForm2::Label15,
    &TForm2::Label16, &TForm2::Label17, &TForm2::Label18, &TForm2::Label19, &TForm2::Label20,
    &TForm2::Label21, &TForm2::Label22, &TForm2::Label23, &TForm2::Label24, &TForm2::Label25,
    &TForm2::Label26, &TForm2::Label27, &TForm2::Label28, &TForm2::Label29, &TForm2::Label30,
};
const TileMember GridLineMembers[8] = {
    &TForm2::Shape1, &TForm2::Shape2, &TForm2::Shape3, &TForm2::Shape4,
    &TForm2::Shape5, &TForm2::Shape6, &TForm2::Shape7, &TForm2::Shape8,
};

QLabel* MakeLabel(QWidget* parent, const QString& name, const QFont& font, const QColor& color)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setFont(font);
    SetLabelColor(label, color);
    return label;
}

}  // namespace

TForm2::TForm2(QWidget* parent) : TGameWindow(QStringLiteral("　QXパズルⅠ"), Puzzle1Placement(), parent)
{
    CreateBoard();
    CreateCompletedTable();
    CreateLabels();
    CreateMenu();
    SetTabOrder();
    FormCreate();
}

void TForm2::CreateBoard()
{
    std::array<TShape*, 25> tiles{};
    std::array<QLabel*, 25> labels{};
    // Tiles first, so that every number label lies above its tile.
    for (int p = 1; p <= 25; ++p) {
        auto* tile = new TShape(Client());
        tile->setObjectName(QStringLiteral("Shape%1").arg(p + 8));
        tile->setGeometry(TileLeft + Step * (LayoutColumn(p) - 1), TileTop + Step * (LayoutRow(p) - 1), TileSize,
                          TileSize);
        this->*TileMembers[p - 1] = tiles[p - 1] = tile;
    }
    const QFont numberFont = UiFont(MaruGothic, 19, true);
    for (int p = 1; p <= 25; ++p) {
        QLabel* label =
            MakeLabel(Client(), QStringLiteral("Label%1").arg(p + 30), numberFont, TColor(colors::NumberColor));
        label->setGeometry(LabelLeft + Step * (LayoutColumn(p) - 1), LabelTop + Step * (LayoutRow(p) - 1),
                           LabelWidth, LabelHeight);
        label->setAlignment(Qt::AlignCenter);
        label->installEventFilter(this);
        this->*NumberMembers[p - 1] = labels[p - 1] = label;
    }
    cells_ = TBoardCells(tiles, labels);
}

void TForm2::CreateCompletedTable()
{
    Panel1 = new QFrame(Client());
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Box | QFrame::Plain);
    Panel1->setLineWidth(1);
    Panel1->setAutoFillBackground(true);
    QPalette pal = Panel1->palette();
    pal.setColor(QPalette::Window, TColor(colors::PlainTileColor));
    Panel1->setPalette(pal);
    Panel1->setGeometry(104, 319, PanelLength, PanelLength);

    const QFont font = UiFont(PGothic, 17, true);
    for (int p = 1; p <= 25; ++p) {
        QLabel* label = MakeLabel(Panel1, QStringLiteral("Label%1").arg(p + 5), font, Qt::black);
        label->setGeometry(CompletedLeft[LayoutColumn(p) - 1], CompletedTop[LayoutRow(p) - 1], 22, 17);
        label->setAlignment(Qt::AlignCenter);
        this->*CompletedMembers[p - 1] = completedLabels_[p - 1] = label;
    }
    for (int i = 0; i < 8; ++i) {
        auto* line = new TShape(Panel1);
        line->setObjectName(QStringLiteral("Shape%1").arg(i + 1));
        line->SetBrushColor(Qt::black);
        if (i < 4)
            line->setGeometry(0, GridLines[i], PanelLength, 1);
        else
            line->setGeometry(GridLines[i - 4], 0, 1, PanelLength);
        this->*GridLineMembers[i] = line;
    }
}

void TForm2::CreateLabels()
{
    const QFont font = UiFont(MaruGothic, 16, true);
    const QColor navy = TColor(colors::NumberColor);
    auto place = [&](const char* name, const QString& text, int left, int top) {
        QLabel* label = MakeLabel(Client(), QString::fromLatin1(name), font, navy);
        label->setText(text);
        label->move(left, top);
        label->adjustSize();
        return label;
    };
    Label3 = place("Label3", QStringLiteral("完成表"), 107, 298);
    Label4 = place("Label4", QStringLiteral("回数"), 304, 320);
    Label5 = place("Label5", QStringLiteral("時間"), 304, 346);
}

void TForm2::CreateMenu()
{
    AddCommand(nullptr, "N12", QStringLiteral("戻る"), [this] { N12Click(); });
    QMenu* size = AddMenu("N1", QStringLiteral("サイズ"));
    AddCommand(size, "N3", QStringLiteral("９マス"), [this] { N3Click(); });
    AddCommand(size, "N4", QStringLiteral("１６マス"), [this] { N4Click(); });
    AddCommand(size, "N6", QStringLiteral("２５マス"), [this] { N6Click(); });
    QMenu* condition = AddMenu("N7", QStringLiteral("条件"));
    AddCommand(condition, "N8", QStringLiteral("自由入替"), [this] { N8Click(); });
    AddCommand(condition, "N9", QStringLiteral("奇数偶数"), [this] { N9Click(); });
    AddCommand(condition, "N10", QStringLiteral("同じ行列"), [this] { N10Click(); });
    AddCommand(condition, "N11", QStringLiteral("行の前進"), [this] { N11Click(); });
    AddCommand(condition, "N13", QStringLiteral("隣り同士"), [this] { N13Click(); });
    AddCommand(condition, "N14", QStringLiteral("１つ違い"), [this] { N14Click(); });
    AddCommand(nullptr, "N2", QStringLiteral("記録表"), [this] { N2Click(); });
    AddCommand(nullptr, "N5", QStringLiteral("遊び方"), [this] { N5Click(); });
    AddCommand(nullptr, "Exit1", QStringLiteral("終了"), [this] { Exit1Click(); });
}

void TForm2::SetTabOrder()
{
    QWidget* const order[] = {CuteButton1, Memo2, CuteButton2, CuteButton3, CuteButton4,
                              CuteButton6, CuteButton5, Panel1,      Memo1};
    for (size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
}

void TForm2::FormCreate()
{
    ResetBoard();
    GameState.ActiveGame = PuzzleI;
    GameState.ActiveSize = Cells9;
    GameState.ActiveCondition = FreeSwap;
    SetUpBoard();
    PlayCue(6);
}

// ---- board operations ----

void TForm2::ResetBoard()
{
    GameState.FirstIndex = 0;
    GameState.SecondIndex = 0;
    SelectCount = 0;
    cells_.Clear();
    ResetCounters();
}

void TForm2::ShowCells()
{
    BuildCellMap();
    cells_.ShowActiveTiles();
}

void TForm2::ShowCompletedTable()
{
    const int n = CellCount();
    for (int k = 1; k <= n; ++k) completedLabels_[GameState.CellMap[k - 1] - 1]->setText(QString::number(k));
    const int size = GameState.ActiveSize;
    if (size >= Cells9 && size <= Cells25) Panel1->resize(PanelWidth[size - 1], PanelHeight[size - 1]);
    QPalette pal = Panel1->palette();
    pal.setColor(QPalette::Window, TColor(colors::InPlaceColor));
    Panel1->setPalette(pal);
}

bool TForm2::IsInPlace(int k) const { return qx::IsInPlace(cells_.Numbers(), k); }

void TForm2::MarkInPlace() { cells_.MarkInPlace(); }

bool TForm2::IsComplete() const { return qx::IsComplete(cells_.Numbers()); }

void TForm2::SaveStartNumbers()
{
    const int n = CellCount();
    for (int k = 1; k <= n; ++k) GameState.StartNumbersA[k - 1] = cells_.Number(k).toStdString();
}

void TForm2::LayOutStoredProblem()
{
    ResetBoard();
    const int n = CellCount();
    for (int k = 1; k <= n; ++k) cells_.SetNumber(k, Q(GameState.StartNumbersA[k - 1]));
    MarkInPlace();
}

void TForm2::MarkPartners()
{
    const auto x = NumberValue(GameState.FirstNumber);
    if (!x) return;
    const PartnerMarks marks =
        qx::MarkPartners(GameState.ActiveCondition, GridSide(), cells_.Numbers(), GameState.FirstIndex, *x);
    cells_.MarkCells(marks.cells);
    if (marks.firstTurnsWhite) cells_.FillTile(GameState.FirstIndex, TColor(colors::PlainTileColor));
}

void TForm2::ClearPartnerMarks()
{
    // Recolouring every tile by the in-place test leaves no mark behind.
    MarkInPlace();
}

// ---- game flow ----

void TForm2::CuteButton1Click()
{
    ResetBoard();
    const unsigned seed =
        FixedSeed ? *FixedSeed : unsigned(std::chrono::system_clock::now().time_since_epoch().count());
    Random rng(seed);
    cells_.SetNumbers(ToTable(ShufflePuzzleI(CellCount(), rng)));
    SaveStartNumbers();
    const int n = CellCount();
    GameState.ProblemCodeA = EncodeProblemCode(Table(GameState.StartNumbersA.begin(), GameState.StartNumbersA.begin() + n));
    GameState.ProblemCodeB.clear();
    ClearSelection();
    ConfirmStart();
}

void TForm2::CuteButton2Click()
{
    ResetBoard();
    const int n = CellCount();
    for (int k = 1; k <= n; ++k) cells_.SetNumber(k, Q(GameState.StartNumbersA[k - 1]));
    MarkInPlace();
    ConfirmStart();
}

bool TForm2::CheckSwapCondition()
{
    const auto x = NumberValue(GameState.FirstNumber);
    const auto y = NumberValue(GameState.SecondNumber);
    if (!x || !y) return false;
    const SwapVerdict verdict = qx::CheckSwapCondition(GameState.ActiveCondition, GridSide(), GameState.FirstIndex,
                                                       GameState.SecondIndex, *x, *y);
    if (verdict.allowed) return true;
    PlayCue(3);
    Messages().plain(Q(verdict.message), QPoint(verdict.left, verdict.top));
    return false;
}

void TForm2::CuteButton3Click()
{
    if (GameState.FirstIndex == 0 || GameState.SecondIndex == 0) {
        Messages().plain(QStringLiteral("数字を２つ選んでください。"));
        return;
    }
    if (!CheckSwapCondition()) return;

    const QColor navy = TColor(colors::NumberColor);
    cells_.SetNumber(GameState.FirstIndex, Q(GameState.SecondNumber));
    cells_.SetNumber(GameState.SecondIndex, Q(GameState.FirstNumber));
    cells_.ColorNumber(GameState.FirstIndex, navy);
    cells_.ColorNumber(GameState.SecondIndex, navy);
    MarkInPlace();
    ClearSelection();

    ++GameState.SwapCount[Slot()];
    ShowSwapCount();

    if (!IsComplete()) {
        SetStatusText(gamestatus::Continue);
        PlayCue(1);
        return;
    }
    FinishGame(CompletedBoxPos);
}

void TForm2::ClearSelection()
{
    GameState.FirstNumber.clear();
    GameState.SecondNumber.clear();
    GameState.FirstIndex = 0;
    GameState.SecondIndex = 0;
    SelectCount = 0;
}

// ---- mouse ----

bool TForm2::eventFilter(QObject* watched, QEvent* event)
{
    // A quick second press arrives as a double click; it is a press all the same.
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        if (auto* label = qobject_cast<QLabel*>(watched)) {
            Label31MouseDown(label, static_cast<QMouseEvent*>(event)->button());
            return true;
        }
    }
    return TGameWindow::eventFilter(watched, event);
}

int TForm2::BoardIndexOfLabel(const QLabel* label) const
{
    // The window does not scroll: the label's own place is its place in the client area.
    const int c = (label->x() - LabelLeft) / Step + 1;
    const int r = (label->y() - LabelTop) / Step + 1;
    const int side = GridSide();
    if (c < 1 || r < 1 || c > side || r > side) return 0;
    return c + side * (r - 1);
}

void TForm2::Label31MouseDown(QLabel* sender, Qt::MouseButton button)
{
    const int k = BoardIndexOfLabel(sender);
    if (k == 0) return;
    // An empty board has nothing to select.
    if (sender->text().isEmpty()) return;
    ClickedIndex = k;
    if (button == Qt::RightButton)
        Unselect(sender);
    else
        Select(sender);
}

void TForm2::Unselect(QLabel* label)
{
    const bool selected = (SelectCount >= 1 && ClickedIndex == GameState.FirstIndex) ||
                          (SelectCount == 2 && ClickedIndex == GameState.SecondIndex);
    if (!selected) return;  // only a selected number can be put back

    SetLabelColor(label, TColor(colors::NumberColor));
    if (SelectCount <= 1) {
        GameState.FirstIndex = 0;
        SelectCount = 0;
        ClearPartnerMarks();
    } else {
        if (ClickedIndex == GameState.FirstIndex) {
            // The second selection becomes the first; the marks still show the former first's partners.
            GameState.FirstIndex = GameState.SecondIndex;
            GameState.FirstNumber = GameState.SecondNumber;
        }
        GameState.SecondIndex = 0;
        GameState.SecondNumber.clear();
        SelectCount = 1;
    }
    PlayCue(6);
}

void TForm2::Select(QLabel* label)
{
    const QColor red = TColor(colors::SelectedNumberColor);
    ++SelectCount;
    if (SelectCount >= 3) {
        PlayCue(3);
        Messages().plain(QStringLiteral("右クリックでどちらかの数字を戻してください。"));
        SetLabelColor(label, TColor(colors::NumberColor));
        cells_.ColorNumber(GameState.FirstIndex, red);
        cells_.ColorNumber(GameState.SecondIndex, red);
        SelectCount = 2;
        return;
    }
    if (ClickedIndex == GameState.FirstIndex || ClickedIndex == GameState.SecondIndex) --SelectCount;
    if (SelectCount == 1) {
        GameState.FirstIndex = ClickedIndex;
        GameState.FirstNumber = label->text().toStdString();
        SetLabelColor(label, red);
        MarkPartners();
    } else if (SelectCount == 2) {
        GameState.SecondIndex = ClickedIndex;
        GameState.SecondNumber = label->text().toStdString();
        SetLabelColor(label, red);
    }
    PlayCue(6);
}

void TForm2::N12Click()
{
    close();
    GameState.ActiveSize = Cells9;
    BuildCellMap();
}
