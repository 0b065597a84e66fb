#include "games/Puzzle2Window.h"

#include "core/Board.h"
#include "core/GameState.h"
#include "core/Problem.h"
#include "core/Rules.h"
#include "shell/CuteBtn.h"
#include "shell/Look.h"
#include "shell/Seams.h"

#include <QLineEdit>
#include <algorithm>

using namespace qx;

namespace {

// Number label of layout row 1, column 1 of each table; the tiles stand 6 left and 14 above.
const QPoint FirstLabelA(46, 62);
const QPoint FirstLabelB(302, 62);
const QPoint LabelToTile(-6, -14);

const QPoint CompletedBoxPos(405, 490);

TGameWindowPlacement Puzzle2Placement()
{
    TGameWindowPlacement p;
    p.gameType = PuzzleII;
    p.confirmStartPos = QPoint(418, 485);
    p.buttonLeft = 552;
    p.buttonTops = {64, 104, 144, 264, 304, 344};
    p.buttonColors = {colors::MoneyGreen, colors::MoneyGreen, 7370746, 16507822, 11007429, 14858977};
    p.conditionLabel = QRect(552, 26, 84, 19);
    p.countDisplay = QPoint(352, 312);
    p.timeDisplay = QPoint(352, 336);
    return p;
}

TTableGeometry TableGeometry(QPoint firstLabel, int firstShape, int firstLabelNumber)
{
    return {firstLabel + LabelToTile, firstLabel, QSize(33, 21), UiFont(PGothic, 21, true), firstShape,
            firstLabelNumber};
}

TCompletedTableGeometry CompletedGeometry()
{
    TCompletedTableGeometry g;
    g.panel = QRect(40, 312, 130, 130);
    g.frameStyle = QFrame::Panel | QFrame::Raised;
    g.firstLabelNumber = 8;
    g.labelLefts = {3, 27, 52, 77, 104};
    g.labelTops = {5, 30, 55, 80, 105};
    g.labelSize = QSize(22, 17);
    g.gridLines = {QRect(0, 25, 129, 1),  QRect(1, 50, 129, 1),  QRect(1, 75, 129, 1),  QRect(1, 100, 129, 1),
                   QRect(25, 0, 1, 129), QRect(50, 1, 1, 129), QRect(75, 1, 1, 129), QRect(100, 1, 1, 129)};
    g.panelSizes = {QSize(76, 76), QSize(102, 102), QSize(130, 130)};
    return g;
}

}  // namespace

TForm3::TForm3(QWidget* parent) : TGameWindow(QStringLiteral("QXパズルⅡ"), Puzzle2Placement(), parent)
{
    CreateTables();
    CreateCompletedTable();
    CreateCaptions();
    CreateMenu();
    SetTabOrderOf({CuteButton1, Memo2, CuteButton2, CuteButton3, CuteButton4, CuteButton6, CuteButton5, Memo1, Panel1});
    FormCreate();
}

void TForm3::CreateTables()
{
    cellsA_ = CreateTable(TableGeometry(FirstLabelA, 9, 33),
                          [this](QLabel* label, Qt::MouseButton button) { Label33MouseDown(label, button); });
    cellsB_ = CreateTable(TableGeometry(FirstLabelB, 34, 58),
                          [this](QLabel* label, Qt::MouseButton button) { Label58MouseDown(label, button); });
    for (int p = 1; p <= TBoardCells::Positions; ++p) {
        tilesA_[p - 1] = cellsA_.TileAt(p);
        numbersA_[p - 1] = cellsA_.LabelAt(p);
        tilesB_[p - 1] = cellsB_.TileAt(p);
        numbersB_[p - 1] = cellsB_.LabelAt(p);
    }
}

void TForm3::CreateCompletedTable()
{
    TGameWindow::CreateCompletedTable(CompletedGeometry());
    Panel1 = CompletedPanel();
    for (int p = 1; p <= LayoutPositions; ++p) completed_[p - 1] = CompletedLabel(p);
    for (int i = 1; i <= 8; ++i) lines_[i - 1] = GridLine(i);
    Label18->resize(22, 16);
}

void TForm3::CreateCaptions()
{
    Label3 = PlaceCaption("Label3", QStringLiteral("表A"), QPoint(44, 24));
    Label4 = PlaceCaption("Label4", QStringLiteral("表B"), QPoint(300, 24));
    Label5 = PlaceCaption("Label5", QStringLiteral("完成表"), QPoint(44, 288));
    Label6 = PlaceCaption("Label6", QStringLiteral("回数"), QPoint(296, 312));
    Label7 = PlaceCaption("Label7", QStringLiteral("時間"), QPoint(296, 338));
}

void TForm3::CreateMenu()
{
    CreateGameMenu({"N1", "N3", {"N4", "N5", "N6"}, QStringLiteral("　９マス"), "N7",
                    {"N8", "N9", "N10", "N11", "N12", "N1tu1"}, "N2", QStringLiteral("記録"), "Help1"},
                   [this] { N1Click(); });
}

// ---- board operations ----

void TForm3::ResetBoard()
{
    GameState.FirstIndex = 0;
    GameState.SecondIndex = 0;
    cellsA_.Clear();
    cellsB_.Clear();
    ResetCounters();
}

void TForm3::ShowCells()
{
    BuildCellMap();
    cellsA_.ShowActiveTiles();
    cellsB_.ShowActiveTiles();
}

bool TForm3::IsInPlace(TTable table, int k) const { return qx::IsInPlace(Cells(table).Numbers(), k); }

void TForm3::MarkInPlace()
{
    cellsA_.MarkInPlace();
    cellsB_.MarkInPlace();
}

bool TForm3::IsComplete() const { return qx::IsComplete(cellsA_.Numbers(), cellsB_.Numbers()); }

void TForm3::MakePairProblem()
{
    ResetBoard();
    Random rng = ProblemRandom();
    const int n = CellCount();
    // Table A is shuffled first, then table B, from the same generator.
    const Table a = ToTable(ShufflePuzzleIITable(n, rng));
    const Table b = ToTable(ShufflePuzzleIITable(n, rng));
    cellsA_.SetNumbers(a);
    cellsB_.SetNumbers(b);
    std::copy(a.begin(), a.end(), GameState.StartNumbersA.begin());
    std::copy(b.begin(), b.end(), GameState.StartNumbersB.begin());
    MarkInPlace();
    GameState.ProblemCodeA = EncodeProblemCode(a);
    GameState.ProblemCodeB = EncodeProblemCode(b);
    ConfirmStart();
}

void TForm3::LayOutPairProblem()
{
    ResetBoard();
    const int n = CellCount();
    for (int k = 1; k <= n; ++k) {
        cellsA_.SetNumber(k, Q(GameState.StartNumbersA[k - 1]));
        cellsB_.SetNumber(k, Q(GameState.StartNumbersB[k - 1]));
    }
    MarkInPlace();
}

void TForm3::WhitenAllTiles()
{
    const QColor white = TColor(colors::PlainTileColor);
    for (int p = 1; p <= TBoardCells::Positions; ++p) {
        cellsA_.TileAt(p)->SetBrushColor(white);
        cellsB_.TileAt(p)->SetBrushColor(white);
    }
}

void TForm3::MarkPartnersAcross(TTable picked)
{
    WhitenAllTiles();
    const auto v = NumberValue(PickNumber(picked));
    if (!v) return;
    TBoardCells& other = CellsOf(picked == TableA ? TableB : TableA);
    other.MarkCells(
        qx::MarkPartnersAcross(GameState.ActiveCondition, GridSide(), other.Numbers(), PickIndex(picked), *v));
}

void TForm3::ClearPartnerMarks()
{
    WhitenAllTiles();
    MarkInPlace();
}

// ---- game flow ----

void TForm3::CuteButton2Click()
{
    LayOutPairProblem();
    ConfirmStart();
}

void TForm3::CuteButton3Click()
{
    if (GameState.FirstIndex == 0) {
        Messages().plain(QStringLiteral("表Ａの数字を選んでください。"));
        return;
    }
    if (GameState.SecondIndex == 0) {
        Messages().plain(QStringLiteral("表Ｂの数字を選んでください。"));
        return;
    }
    const int i = GameState.FirstIndex;
    const int j = GameState.SecondIndex;
    const auto a = NumberValue(GameState.FirstNumber);
    const auto b = NumberValue(GameState.SecondNumber);
    if (!a || !b) return;  // picks are only ever taken from numbers; nothing to exchange otherwise

    const SwapVerdict verdict =
        CheckSwapAcross(GameState.ActiveCondition, GridSide(), i, j, *a, *b, GameState.FirstNumber);
    if (!verdict.allowed) {
        PlayCue(3);
        Messages().plain(Q(verdict.message), QPoint(verdict.left, verdict.top));
        const QColor red = TColor(colors::SelectedNumberColor);
        cellsA_.ColorNumber(i, red);
        cellsB_.ColorNumber(j, red);
        MarkInPlace();
        return;
    }

    const QColor navy = TColor(colors::NumberColor);
    cellsA_.SetNumber(i, Q(GameState.SecondNumber));
    cellsB_.SetNumber(j, Q(GameState.FirstNumber));
    cellsA_.ColorNumber(i, navy);
    cellsB_.ColorNumber(j, navy);
    ++GameState.SwapCount[Slot()];
    ShowSwapCount();
    MarkInPlace();
    PlayCue(1);

    if (!IsComplete()) {
        GameState.FirstIndex = 0;
        GameState.SecondIndex = 0;
        SetStatusText(gamestatus::Continue);
        return;
    }
    // The picks stay on the cells of the last exchange until the next board reset.
    FinishGame(CompletedBoxPos);
}

// ---- picks ----

int& TForm3::PickIndex(TTable table) { return table == TableA ? GameState.FirstIndex : GameState.SecondIndex; }

std::string& TForm3::PickNumber(TTable table)
{
    return table == TableA ? GameState.FirstNumber : GameState.SecondNumber;
}

void TForm3::Pick(TTable table, QLabel* label, Qt::MouseButton button)
{
    const int k = BoardIndexOfLabel(label, table == TableA ? FirstLabelA : FirstLabelB);
    if (k == 0) return;
    // An empty table has nothing to pick.
    if (label->text().isEmpty()) return;

    TBoardCells& cells = CellsOf(table);
    int& index = PickIndex(table);
    if (button == Qt::RightButton) {
        if (index != k) return;  // only this table's pick can be put back
        cells.ColorNumber(k, TColor(colors::NumberColor));
        index = 0;
        ClearPartnerMarks();
        return;
    }
    if (index > 0) cells.ColorNumber(index, TColor(colors::NumberColor));
    index = k;
    PickNumber(table) = label->text().toStdString();
    cells.ColorNumber(k, TColor(colors::PickedNumberColor));
    if (PickIndex(table == TableA ? TableB : TableA) == 0) MarkPartnersAcross(table);
    PlayCue(6);
}
