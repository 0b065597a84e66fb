#include "games/Puzzle1Window.h"

#include "core/Board.h"
#include "core/GameState.h"
#include "core/Problem.h"
#include "core/Rules.h"
#include "shell/CuteBtn.h"
#include "shell/Look.h"
#include "shell/Seams.h"

#include <QLineEdit>

using namespace qx;

namespace {

// Number label of layout row 1, column 1; its tile stands 6 left and 16 above.
const QPoint FirstLabel(184, 56);

TCompletedTableGeometry CompletedGeometry()
{
    TCompletedTableGeometry g;
    g.panel = QRect(104, 319, 130, 130);
    g.frameStyle = QFrame::Box | QFrame::Plain;
    g.firstLabelNumber = 6;
    g.labelLefts = {3, 28, 52, 77, 103};
    g.labelTops = {5, 30, 55, 80, 105};
    g.labelSize = QSize(22, 17);
    g.gridLines = {QRect(0, 25, 130, 1), QRect(0, 50, 130, 1), QRect(0, 75, 130, 1), QRect(0, 100, 130, 1),
                   QRect(25, 0, 1, 130), QRect(50, 0, 1, 130), QRect(75, 0, 1, 130), QRect(100, 0, 1, 130)};
    g.panelSizes = {QSize(79, 77), QSize(104, 102), QSize(130, 130)};
    return g;
}

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
    cells_ = CreateTable({FirstLabel + QPoint(-6, -16), FirstLabel, QSize(33, 19), UiFont(MaruGothic, 19, true), 9, 31},
                         [this](QLabel* label, Qt::MouseButton button) { Label31MouseDown(label, button); });
    for (int p = 1; p <= 25; ++p) {
        this->*TileMembers[p - 1] = cells_.TileAt(p);
        this->*NumberMembers[p - 1] = cells_.LabelAt(p);
    }
}

void TForm2::CreateCompletedTable()
{
    TGameWindow::CreateCompletedTable(CompletedGeometry());
    Panel1 = CompletedPanel();
    for (int p = 1; p <= 25; ++p) this->*CompletedMembers[p - 1] = CompletedLabel(p);
    for (int i = 1; i <= 8; ++i) this->*GridLineMembers[i - 1] = GridLine(i);
}

void TForm2::CreateLabels()
{
    Label3 = PlaceCaption("Label3", QStringLiteral("完成表"), QPoint(107, 298));
    Label4 = PlaceCaption("Label4", QStringLiteral("回数"), QPoint(304, 320));
    Label5 = PlaceCaption("Label5", QStringLiteral("時間"), QPoint(304, 346));
}

void TForm2::CreateMenu()
{
    CreateGameMenu({"N12", "N1", {"N3", "N4", "N6"}, QStringLiteral("９マス"), "N7",
                    {"N8", "N9", "N10", "N11", "N13", "N14"}, "N2", QStringLiteral("記録表"), "N5"},
                   [this] { N12Click(); });
}

void TForm2::SetTabOrder()
{
    SetTabOrderOf({CuteButton1, Memo2, CuteButton2, CuteButton3, CuteButton4, CuteButton6, CuteButton5, Panel1, Memo1});
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
    TGameWindow::ShowCompletedTable();
    // The grid line on the far edge of the active grid would stand beside the panel's own border
    // as a second line; only the lines between the rows and columns of the grid are drawn.
    const int side = GridSide();
    for (int i = 1; i <= 4; ++i) {
        GridLine(i)->setVisible(i < side);
        GridLine(i + 4)->setVisible(i < side);
    }
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
    Random rng = ProblemRandom();
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

void TForm2::Label31MouseDown(QLabel* sender, Qt::MouseButton button)
{
    const int k = BoardIndexOfLabel(sender, FirstLabel);
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
