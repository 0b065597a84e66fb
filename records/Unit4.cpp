#include "records/Unit4.h"

#include "core/Board.h"
#include "core/GameState.h"
#include "core/Problem.h"
#include "records/untDTM.h"
#include "shell/CuteBtn.h"
#include "shell/Look.h"
#include "shell/Seams.h"

#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QTableView>
#include <limits>

using qx::GameState;

namespace {

struct ColumnLook {
    const char* field;
    const char* title;
    int width;  // 0: the grid's default width
    Qt::Alignment cells;
    int titlePixels;
};
const ColumnLook Columns[] = {
    {"NB", "番号", 30, Qt::AlignHCenter, 13},   {"DATE", "年月日", 50, Qt::AlignHCenter, 13},
    {"NAME", "名前", 80, Qt::AlignLeft, 13},    {"JKN", "条件", 80, Qt::AlignHCenter, 13},
    {"CNT", "回数", 40, Qt::AlignHCenter, 12},  {"TIME", "時間", 0, Qt::AlignHCenter, 12},
};
constexpr int DefaultColumnWidth = 64;
constexpr int RowHeight = 18;

const ColumnLook* LookOf(const QString& field)
{
    for (const ColumnLook& c : Columns)
        if (field.compare(QLatin1String(c.field), Qt::CaseInsensitive) == 0) return &c;
    return nullptr;
}

}  // namespace

// The grid's view of the grid selection: titles, alignments and title fonts by field.
class TRecordGridColumns : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal) {
            const ColumnLook* look = LookOf(sourceModel() ? sourceModel()->headerData(section, orientation).toString()
                                                          : QString());
            if (look) {
                switch (role) {
                case Qt::DisplayRole: return QString::fromUtf8(look->title);
                case Qt::TextAlignmentRole: return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
                case Qt::FontRole: return qx::UiFont(qx::PGothic, look->titlePixels);
                default: break;
                }
            }
        }
        return QIdentityProxyModel::headerData(section, orientation, role);
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role == Qt::TextAlignmentRole) {
            const ColumnLook* look = LookOf(FieldOf(index.column()));
            return QVariant::fromValue((look ? look->cells : Qt::AlignLeft) | Qt::AlignVCenter);
        }
        return QIdentityProxyModel::data(index, role);
    }

    QString FieldOf(int column) const
    {
        return sourceModel() ? sourceModel()->headerData(column, Qt::Horizontal).toString() : QString();
    }
};

QString RecordDate(const QDate& date)
{
    return QStringLiteral("%1.%2.%3").arg(date.year() % 100, 2, 10, QLatin1Char('0')).arg(date.month()).arg(date.day());
}

QString RecordTime(int seconds)
{
    return QStringLiteral("%1分%2秒").arg(seconds / 60).arg(seconds % 60);
}

TForm4::TForm4(QWidget* parent) : TFormBase(QStringLiteral("記録表"), 700, 590, parent)
{
    setObjectName(QStringLiteral("Form4"));
    CreateControls();
    CreateMenu();
    ConnectGrid();
    FormCreate();
}

TForm4::~TForm4() = default;

void TForm4::CreateControls()
{
    QWidget* client = Client();
    SetStatusPanelWidth(500);

    Label1 = new QLabel(QStringLiteral("記録表"), client);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(136, 32, 225, 19);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setFont(qx::UiFont(qx::PGothic, 19, true));

    DBGrid1 = new QTableView(client);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setGeometry(72, 84, 382, 417);
    // Read-only: in-place edits would bypass the numbering and could break the stored codes.
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->setWordWrap(false);
    DBGrid1->setTextElideMode(Qt::ElideNone);  // a narrow column clips its text, as a grid does
    DBGrid1->setCornerButtonEnabled(false);
    DBGrid1->verticalHeader()->hide();
    DBGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    DBGrid1->verticalHeader()->setDefaultSectionSize(RowHeight);
    DBGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    DBGrid1->horizontalHeader()->setDefaultSectionSize(DefaultColumnWidth);
    DBGrid1->horizontalHeader()->setHighlightSections(false);
    DBGrid1->horizontalHeader()->setSectionsClickable(false);
    QPalette grid = DBGrid1->palette();
    grid.setColor(QPalette::Base, Qt::white);
    DBGrid1->setPalette(grid);

    Label2 = new QLabel(QStringLiteral("名前入力欄"), client);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(qx::UiFont(qx::PGothic, 12, true));
    Label2->move(492, 168);
    Label2->adjustSize();

    Edit1 = new QLineEdit(client);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(492, 182, 100, 20);
    Edit1->setMaxLength(std::numeric_limits<int>::max());

    auto makeButton = [client](const char* name, const QString& caption, int top) {
        auto* b = new TCuteButton(client);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(496, top, 75, 25);
        b->setCaption(caption);
        b->setFont(qx::UiFont(qx::PGothic, 12, true));
        b->setShowFocusRect(false);
        b->setFlat(false);
        return b;
    };
    CuteButton1 = makeButton("CuteButton1", QStringLiteral("記 録"), 208);
    CuteButton1->setColor(qx::TColor(qx::colors::MoneyGreen));
    CuteButton2 = makeButton("CuteButton2", QStringLiteral("問題表示"), 296);
    CuteButton2->setColor(qx::TColor(qx::colors::SkyBlue));
    CuteButton3 = makeButton("CuteButton3", QStringLiteral("削 除"), 336);
    connect(CuteButton1, &TCuteButton::clicked, this, &TForm4::CuteButton1Click);
    connect(CuteButton2, &TCuteButton::clicked, this, &TForm4::CuteButton2Click);
    connect(CuteButton3, &TCuteButton::clicked, this, &TForm4::CuteButton3Click);

    setTabOrder(DBGrid1, CuteButton1);
    setTabOrder(CuteButton1, CuteButton2);
    setTabOrder(CuteButton2, Edit1);
    setTabOrder(Edit1, CuteButton3);
}

void TForm4::CreateMenu()
{
    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    N1 = AddCommand(nullptr, "N1", QStringLiteral("戻る"), [this] { N1Click(); });
    Help1 = AddCommand(nullptr, "Help1", QStringLiteral("遊び方"), [this] { Help1Click(); });
    Exit1 = AddCommand(nullptr, "Exit1", QStringLiteral("終了"), [this] { Exit1Click(); });
}

// The grid shows the grid selection; its current row and the selection's cursor follow each other.
void TForm4::ConnectGrid()
{
    TDataModule1* module = DataModule1();
    if (!module) return;
    columns_ = new TRecordGridColumns(this);
    columns_->setSourceModel(module->Query2);
    DBGrid1->setModel(columns_);
    connect(columns_, &QAbstractItemModel::modelReset, this, &TForm4::ApplyColumns);
    connect(module->Query2, &TRecordQuery::currentRowChanged, this, &TForm4::ShowGridRow);
    connect(DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [module](const QModelIndex& current) {
                if (current.isValid() && module->Query2) module->Query2->MoveTo(current.row());
            });
    ApplyColumns();
    ShowGridRow(module->Query2->RecNo());
}

void TForm4::ApplyColumns()
{
    if (!columns_) return;
    QHeaderView* header = DBGrid1->horizontalHeader();
    for (int c = 0; c < columns_->columnCount(); ++c) {
        const ColumnLook* look = LookOf(columns_->FieldOf(c));
        header->setSectionHidden(c, look == nullptr);
        if (look) header->resizeSection(c, look->width > 0 ? look->width : DefaultColumnWidth);
    }
}

void TForm4::ShowGridRow(int row)
{
    if (!columns_ || row < 0 || row >= columns_->rowCount()) return;
    const QModelIndex current = DBGrid1->currentIndex();
    if (current.isValid() && current.row() == row) return;
    DBGrid1->setCurrentIndex(columns_->index(row, 0));
    DBGrid1->scrollTo(columns_->index(row, 0));
}

TDataModule1& TForm4::Module() const
{
    TDataModule1* module = DataModule1();
    if (!module) throw EDatabaseError(QStringLiteral("記録のデータベースがありません。"));
    return *module;
}

void TForm4::FormCreate()
{
    const QString size = Q(qx::SizeName());
    if (GameState.ActiveGame == 1) Label1->setText(QStringLiteral("タイプⅠ ") + size + QStringLiteral(" 記録表"));
    if (GameState.ActiveGame == 2) Label1->setText(QStringLiteral("タイプⅡ ") + size + QStringLiteral(" 記録表"));
    try {
        Module().OpenRecords();
    } catch (const EDatabaseError& e) {
        // An unusable database was reported at start-up; say so quietly here.
        if (DataModule1() && !DataModule1()->Available())
            SetStatusText(QStringLiteral("記録のデータベースを使えません。記録はできません。"));
        else
            qx::Messages().error(e.Message());
    }
}

void TForm4::N1Click() { close(); }

void TForm4::Help1Click() { ShowHelpContents(); }

void TForm4::CuteButton1Click()
{
    if (Edit1->text().isEmpty()) {
        qx::Messages().plain(
            QStringLiteral("名前入力欄に名前を入力してから、「記録」ボタンをクリックしてください。"));
        return;
    }
    try {
        RecordCurrentGame();
    } catch (const EDatabaseError& e) {
        qx::Messages().error(e.Message());
    }
}

void TForm4::RecordCurrentGame()
{
    TDataModule1& module = Module();
    const int game = GameState.ActiveGame;
    const int condition = GameState.ActiveCondition;
    if (game != 1 && game != 2) throw EDatabaseError(QStringLiteral("記録するゲームが選ばれていません。"));
    if (condition < qx::FreeSwap || condition > qx::DifferByOne)
        throw EDatabaseError(QStringLiteral("入れ替え条件 %1 の記録はできません。").arg(condition));
    const QDate today = Today();
    // An unfinished game is stored with no count and no time; its running counters stay as they are.
    const bool finished = GameState.Finished != 0;
    const int count = finished ? GameState.SwapCount[game - 1] : 0;
    const int seconds = finished ? GameState.ElapsedSeconds[game - 1] : 0;

    const int number = module.NextRecordNumber();
    if (number > TDataModule1::LastNumber(condition)) {
        qx::Messages().plain(QStringLiteral("「%1」の記録はいっぱいです（%2～%3 番）。\n"
                                            "いらない記録を削除してから、もう一度「記録」ボタンをクリックしてください。")
                                 .arg(Q(qx::ConditionName(condition)))
                                 .arg(TDataModule1::FirstNumber(condition))
                                 .arg(TDataModule1::LastNumber(condition)));
        return;
    }

    TRecordQuery* q = module.Query2;
    const QString table = TDataModule1::TableName(game == 1 ? 'A' : 'B', GameState.ActiveSize);
    if (!q->Active() || q->TableName() != table) module.OpenRecords();
    q->Append();
    try {
        q->SetFieldAsInteger(0, number);
        q->SetFieldAsString(1, RecordDate(today));
        q->SetFieldAsString(2, QStringLiteral(" ") + Edit1->text());
        q->SetFieldAsString(3, Q(qx::ConditionName(condition)));
        q->SetFieldAsInteger(4, condition);
        q->SetFieldAsString(5, QString::number(count));
        q->SetFieldAsString(6, RecordTime(seconds));
        q->SetFieldAsString(7, Q(GameState.ProblemCodeA));
        if (game == 2) q->SetFieldAsString(8, Q(GameState.ProblemCodeB));
        q->Post();
    } catch (const EDatabaseError&) {
        q->Cancel();
        throw;
    }
    qx::PlayCue(7);
}

void TForm4::CuteButton2Click()
{
    try {
        ShowStoredProblem();
    } catch (const EDatabaseError& e) {
        qx::Messages().error(e.Message());
    }
}

void TForm4::ShowStoredProblem()
{
    Module().RequireAvailable();
    TRecordQuery* q = Module().Query2;
    if (!q->Active() || q->RecordCount() == 0) {
        qx::Messages().plain(QStringLiteral("表示する記録がありません。"));
        return;
    }
    const int game = GameState.ActiveGame;
    const int n = qx::CellCount(GameState.ActiveSize);
    const int number = q->FieldAsInteger(0);
    const int condition = q->FieldAsInteger(4);
    const std::string codeA = q->FieldAsString(7).toStdString();
    const std::string codeB = game == 2 ? q->FieldAsString(8).toStdString() : std::string();

    // Check the whole row before anything changes: a bad code is refused, not half laid out.
    const qx::DecodedProblem a = qx::DecodeProblemCode(codeA, n);
    const qx::DecodedProblem b = game == 2 ? qx::DecodeProblemCode(codeB, n) : qx::DecodedProblem{true, {}, {}};
    QString refusal;
    if (condition < qx::FreeSwap || condition > qx::DifferByOne)
        refusal = QStringLiteral("入れ替え条件（%1）が正しくありません。").arg(condition);
    else if (!a.ok)
        refusal = (game == 2 ? QStringLiteral("表Aの") : QString()) + Q(a.reason);
    else if (!b.ok)
        refusal = QStringLiteral("表Bの") + Q(b.reason);
    if (!refusal.isEmpty()) {
        qx::Messages().plain(QStringLiteral("%1　番の問題は表示できません。\n").arg(number) + refusal);
        return;
    }

    if (!qx::Messages().confirm(QString::number(number) + QStringLiteral("　番を表示してもいいですか？"))) return;

    GameState.ActiveCondition = condition;
    for (int k = 0; k < n; ++k) GameState.StartNumbersA[k] = a.numbers[k];
    GameState.ProblemCodeA = codeA;
    if (game == 2) {
        for (int k = 0; k < n; ++k) GameState.StartNumbersB[k] = b.numbers[k];
        GameState.ProblemCodeB = codeB;
    }
    GameState.StoredProblemPending = 1;
    close();
    qx::PlayCue(1);
}

void TForm4::CuteButton3Click()
{
    try {
        DeleteCurrentRecord();
    } catch (const EDatabaseError& e) {
        qx::Messages().error(e.Message());
    }
}

void TForm4::DeleteCurrentRecord()
{
    TDataModule1& module = Module();
    module.RequireAvailable();
    TRecordQuery* q = module.Query2;
    if (!q->Active() || q->RecordCount() == 0) {
        qx::Messages().plain(QStringLiteral("削除する記録がありません。"));
        return;
    }
    const int number = q->FieldAsInteger(0);
    if (!qx::Messages().confirm(QString::number(number) + QStringLiteral("　番を削除してもいいですか？"))) return;
    q->Delete();
    module.RenumberRecords();
    SetStatusText(QStringLiteral("削除しました。"));
    qx::PlayCue(1);
}

void ShowRecordTable(QWidget* owner)
{
    QPointer<TForm4> form = new TForm4(owner);
    try {
        form->ShowModal();
    } catch (...) {
        delete form.data();
        throw;
    }
    delete form.data();
}
