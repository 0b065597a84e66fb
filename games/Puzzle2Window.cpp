#include "games/Puzzle2Window.h"

#include "core/Board.h"
#include "shell/ColoredButton.h"
#include "shell/Look.h"
#include "shell/Seams.h"

#include <QLineEdit>

using namespace qx;

namespace {

// Number label of layout row 1, column 1 of each table; the tiles stand 6 left and 14 above.
const QPoint FirstLabelA(46, 62);
const QPoint FirstLabelB(302, 62);
const QPoint LabelToTile(-6, -14);

TGameWindowPlacement Puzzle2Placement()
{
    TGameWindowPlacement p;
    p.confirmStartPos = QPoint(418, 485);
    p.buttonLeft = 552;
    p.buttonTops = {64, 104, 144, 264, 304, 344};
    p.newProblemColor = colors::MoneyGreen;
    p.conditionLabel = QRect(552, 26, 84, 19);
    p.countDisplay = QPoint(352, 312);
    p.timeDisplay = QPoint(352, 336);
    p.parCaption = QPoint(296, 364);
    p.parDisplay = QPoint(352, 360);
    return p;
}

TTableGeometry TableGeometry(QPoint firstLabel, int firstShape, int firstLabelNumber)
{
    return {firstLabel + LabelToTile,  firstLabel, QSize(33, 21),
            UiFont(PGothic, 21, true), firstShape, firstLabelNumber};
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
    g.gridLines = {QRect(0, 25, 129, 1), QRect(1, 50, 129, 1), QRect(1, 75, 129, 1), QRect(1, 100, 129, 1),
                   QRect(25, 0, 1, 129), QRect(50, 1, 1, 129), QRect(75, 1, 1, 129), QRect(100, 1, 1, 129)};
    g.panelSizes = {QSize(76, 76), QSize(102, 102), QSize(130, 130)};
    return g;
}

}  // namespace

TForm3::TForm3(QWidget* parent) : TGameWindow(QStringLiteral("QXパズルⅡ"), Puzzle2Placement(), parent)
{
    cellsA_ = CreateTable(TableA, TableGeometry(FirstLabelA, 9, 33));
    cellsB_ = CreateTable(TableB, TableGeometry(FirstLabelB, 34, 58));
    AddBoardCursor(TableA, FirstLabelA + LabelToTile, QStringLiteral("表A"));
    AddBoardCursor(TableB, FirstLabelB + LabelToTile, QStringLiteral("表B"));
    CreateCompletedTable(CompletedGeometry());
    CompletedLabel(11)->resize(22, 16);
    CreateCaptions();
    CreateMenu();
    SetTabOrderOf({NewProblemButton(), TimeDisplay(), SameProblemButton(), SwapButton(), InterruptButton(),
                   CancelButton(), ResumeButton(), CountDisplay(), CompletedPanel()});
    FormCreate();
}

void TForm3::CreateCaptions()
{
    PlaceCaption("Label3", QStringLiteral("表A"), QPoint(44, 24));
    PlaceCaption("Label4", QStringLiteral("表B"), QPoint(300, 24));
    PlaceCaption("Label5", QStringLiteral("完成表"), QPoint(44, 288));
    PlaceCaption("Label6", QStringLiteral("回数"), QPoint(296, 312));
    PlaceCaption("Label7", QStringLiteral("時間"), QPoint(296, 338));
}

void TForm3::CreateMenu()
{
    CreateGameMenu({.back = "N1",
                    .sizeMenu = "N3",
                    .sizes = {"N4", "N5", "N6"},
                    .firstSizeText = QStringLiteral("　９マス"),
                    .conditionMenu = "N7",
                    .conditions = {"N8", "N9", "N10", "N11", "N12", "N1tu1"},
                    .record = "N2",
                    .recordText = QStringLiteral("記録"),
                    .help = "Help1"},
                   [this] { close(); });
}

// ---- the tables ----

void TForm3::RenderTables()
{
    cellsA_.Render(game_.Board(TableA), game_.Size());
    cellsB_.Render(game_.Board(TableB), game_.Size());
}

void TForm3::CellPressed(int table, int k, Qt::MouseButton button)
{
    Apply(button == Qt::RightButton ? game_.Unpick(table, k) : game_.Pick(table, k));
}
