#include "records/RecordWindow.h"

#include "core/Board.h"
#include "core/GameState.h"
#include "core/Problem.h"
#include "records/DataModule.h"
#include "records/RecordTableModel.h"
#include "shell/ColoredButton.h"
#include "shell/Look.h"
#include "shell/Seams.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QTableView>
#include <algorithm>
#include <limits>

using qx::RecordAccess;
using qx::RecordStore;

namespace {

constexpr int DefaultColumnWidth = 64;
constexpr int RowHeight = 18;

RecordStore* Store() { return DataModule1() ? &DataModule1()->Store() : nullptr; }

QString NumberText(const QVariant& number) { return number.toString(); }

// A failed database operation ends the action with its message; what was stored stays stored.
template <class Action>
void ReportingFailures(Action&& action)
{
    try {
        action();
    } catch (const EDatabaseError& e) {
        qx::Messages().error(e.Message());
    }
}

}  // namespace

QString RecordDate(const QDate& date)
{
    return QStringLiteral("%1.%2.%3").arg(date.year() % 100, 2, 10, QLatin1Char('0')).arg(date.month()).arg(date.day());
}

QString RecordTime(int seconds) { return Q(qx::MinutesAndSeconds(seconds)); }

TForm4::TForm4(RecordContext context, QWidget* parent)
    : TFormBase(QStringLiteral("記録表"), 700, 590, parent), context_(std::move(context))
{
    setObjectName(QStringLiteral("Form4"));
    CreateControls();
    CreateMenu();
    ShowHeading();
    ListRecords();
}

TForm4::~TForm4() = default;

void TForm4::CreateControls()
{
    QWidget* client = Client();
    SetStatusPanelWidth(500);

    heading_ = new QLabel(QStringLiteral("記録表"), client);
    heading_->setObjectName(QStringLiteral("Label1"));
    heading_->setGeometry(136, 32, 225, 19);
    heading_->setAlignment(Qt::AlignCenter);
    heading_->setFont(qx::UiFont(qx::PGothic, 19, true));

    recordGrid_ = new QTableView(client);
    recordGrid_->setObjectName(QStringLiteral("DBGrid1"));
    recordGrid_->setGeometry(72, 84, 382, 417);
    // Read-only: in-place edits would bypass the numbering and could break the stored codes.
    recordGrid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    recordGrid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    recordGrid_->setSelectionMode(QAbstractItemView::SingleSelection);
    recordGrid_->setWordWrap(false);
    recordGrid_->setTextElideMode(Qt::ElideNone);  // a narrow column clips its text, as a grid does
    recordGrid_->setCornerButtonEnabled(false);
    recordGrid_->verticalHeader()->hide();
    recordGrid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    recordGrid_->verticalHeader()->setDefaultSectionSize(RowHeight);
    recordGrid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    recordGrid_->horizontalHeader()->setDefaultSectionSize(DefaultColumnWidth);
    recordGrid_->horizontalHeader()->setHighlightSections(false);
    recordGrid_->horizontalHeader()->setSectionsClickable(false);
    QPalette grid = recordGrid_->palette();
    grid.setColor(QPalette::Base, Qt::white);
    recordGrid_->setPalette(grid);
    records_ = new RecordTableModel(this);
    recordGrid_->setModel(records_);
    for (int c = 0; c < records_->columnCount(); ++c)
        recordGrid_->horizontalHeader()->resizeSection(
            c, RecordColumns[c].width > 0 ? RecordColumns[c].width : DefaultColumnWidth);

    auto* nameCaption = new QLabel(QStringLiteral("名前入力欄"), client);
    nameCaption->setObjectName(QStringLiteral("Label2"));
    nameCaption->setFont(qx::UiFont(qx::PGothic, 12, true));
    nameCaption->move(492, 168);
    nameCaption->adjustSize();

    nameEdit_ = new QLineEdit(client);
    nameEdit_->setObjectName(QStringLiteral("Edit1"));
    nameEdit_->setGeometry(492, 182, 100, 20);
    nameEdit_->setMaxLength(std::numeric_limits<int>::max());

    auto makeButton = [client](const QString& caption, int top) {
        auto* b = new TCuteButton(client);
        b->setGeometry(496, top, 75, 25);
        b->setCaption(caption);
        b->setFont(qx::UiFont(qx::PGothic, 12, true));
        b->setShowFocusRect(false);
        b->setFlat(false);
        return b;
    };
    TCuteButton* record = makeButton(QStringLiteral("記 録"), 208);
    record->setObjectName(QStringLiteral("CuteButton1"));
    record->setColor(qx::TColor(qx::colors::MoneyGreen));
    TCuteButton* show = makeButton(QStringLiteral("問題表示"), 296);
    show->setObjectName(QStringLiteral("CuteButton2"));
    show->setColor(qx::TColor(qx::colors::SkyBlue));
    TCuteButton* remove = makeButton(QStringLiteral("削 除"), 336);
    remove->setObjectName(QStringLiteral("CuteButton3"));
    connect(record, &TCuteButton::clicked, this, &TForm4::OnRecord);
    connect(show, &TCuteButton::clicked, this, &TForm4::OnShowProblem);
    connect(remove, &TCuteButton::clicked, this, &TForm4::OnDelete);

    setTabOrder(recordGrid_, record);
    setTabOrder(record, show);
    setTabOrder(show, nameEdit_);
    setTabOrder(nameEdit_, remove);
}

void TForm4::CreateMenu()
{
    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    AddCommand(nullptr, "N1", QStringLiteral("戻る"), [this] { close(); });
    AddCommand(nullptr, "Help1", QStringLiteral("遊び方"), [this] { ShowHelpContents(); });
    AddCommand(nullptr, "Exit1", QStringLiteral("終了"), [this] { AskQuit(); });
}

void TForm4::ShowHeading()
{
    const QString size = Q(qx::SizeName(context_.size));
    if (!context_.game) return;
    const QString type =
        *context_.game == qx::GameType::PuzzleI ? QStringLiteral("タイプⅠ ") : QStringLiteral("タイプⅡ ");
    heading_->setText(type + size + QStringLiteral(" 記録表"));
}

// The grid lists the active game's table as it is now; its current row is the first.
void TForm4::ListRecords()
{
    RecordStore* store = Store();
    if (!context_.game) return;
    if (!store || store->Database().Access() == RecordAccess::Unusable) {
        records_->List(nullptr, *context_.game, context_.size);
        SetStatusText(QStringLiteral("記録のデータベースを使えません。記録表を開き直すと、もう一度開いてみます。"));
        return;
    }
    try {
        records_->List(store, *context_.game, context_.size);
    } catch (const EDatabaseError& e) {
        qx::Messages().error(e.Message());
        return;
    }
    SetStatusText(store->Database().Access() == RecordAccess::ReadOnly
                      ? QStringLiteral("記録のデータベースは読み取り専用です。記録と削除はできません。")
                      : QString());
    SelectRow(0);
}

// Each time the window is shown it tries the database again, so that a lock or a fault that
// has gone away never keeps the records from the player.
void TForm4::showEvent(QShowEvent* event)
{
    TFormBase::showEvent(event);
    RecordStore* store = Store();
    if (store && store->Database().Access() != RecordAccess::ReadWrite &&
        store->Database().Open() != RecordAccess::Unusable)
        ListRecords();
}

RecordStore* TForm4::ReopenedStore()
{
    RecordStore* store = Store();
    if (!store) throw EDatabaseError(QStringLiteral("記録のデータベースがありません。"));
    const RecordAccess before = store->Database().Access();
    if (before != RecordAccess::ReadWrite && store->Database().Open() != before) ListRecords();
    return store;
}

bool TForm4::RefusedWriting(RecordStore* store)
{
    switch (store->Database().Access()) {
    case RecordAccess::ReadWrite: return false;
    case RecordAccess::ReadOnly: qx::Messages().plain(store->Database().Problem()); return true;
    case RecordAccess::Unusable: qx::Messages().error(store->Database().Problem()); return true;
    }
    return true;
}

void TForm4::SelectRow(int row)
{
    if (row < 0 || row >= records_->rowCount()) return;
    recordGrid_->setCurrentIndex(records_->index(row, 0));
    recordGrid_->scrollTo(records_->index(row, 0));
}

int TForm4::CurrentRow() const
{
    const QModelIndex current = recordGrid_->currentIndex();
    return current.isValid() ? current.row() : (records_->rowCount() > 0 ? 0 : -1);
}

void TForm4::OnRecord()
{
    if (nameEdit_->text().isEmpty()) {
        qx::Messages().plain(QStringLiteral("名前入力欄に名前を入力してから、「記録」ボタンをクリックしてください。"));
        return;
    }
    ReportingFailures([this] { RecordCurrentGame(); });
}

void TForm4::RecordCurrentGame()
{
    if (!context_.game) throw EDatabaseError(QStringLiteral("記録するゲームが選ばれていません。"));
    const qx::GameType game = *context_.game;
    const std::optional<qx::SwapCondition> condition = qx::SwapConditionOf(int(context_.condition));
    if (!condition)
        throw EDatabaseError(QStringLiteral("入れ替え条件 %1 の記録はできません。").arg(int(context_.condition)));
    RecordStore* store = ReopenedStore();
    if (RefusedWriting(store)) return;
    // An unfinished game is stored with no count and no time; its running counters stay as they are.
    const bool finished = context_.finished;
    qx::NewRecord record;
    record.condition = *condition;
    record.date = RecordDate(today());
    record.name = QStringLiteral(" ") + nameEdit_->text();
    record.conditionName = Q(qx::ConditionName(*condition));
    record.count = QString::number(finished ? context_.swapCount : 0);
    record.time = RecordTime(finished ? context_.elapsedSeconds : 0);
    record.codeA = Q(context_.codeA);
    if (game == qx::GameType::PuzzleII) record.codeB = Q(context_.codeB);
    if (finished) {
        record.par = context_.par;
        record.hints = context_.hints;
    }

    const qx::AddResult result = store->Add(game, context_.size, record);
    if (!result.added) {
        qx::Messages().plain(result.refusal);
        return;
    }
    SelectRow(records_->Insert(*result.added));
    qx::PlayCue(qx::SoundCue::Recorded);
}

void TForm4::OnShowProblem()
{
    ReportingFailures([this] { ShowStoredProblem(); });
}

void TForm4::ShowStoredProblem()
{
    RecordStore* store = ReopenedStore();
    if (store->Database().Access() == RecordAccess::Unusable) {
        qx::Messages().error(store->Database().Problem());
        return;
    }
    const int row = CurrentRow();
    if (row < 0 || !context_.game) {
        qx::Messages().plain(QStringLiteral("表示する記録がありません。"));
        return;
    }
    const qx::GameType game = *context_.game;
    const bool two = game == qx::GameType::PuzzleII;
    const int n = qx::CellCount(context_.size);
    const qx::RecordRow stored = store->Read(game, context_.size, records_->Key(row).rowid);
    const QString number = NumberText(stored.number);
    const std::string codeA = stored.codeA.toStdString();
    const std::string codeB = stored.codeB.toStdString();

    // Check the whole row before anything changes: a bad code is refused, not half laid out.
    bool conditionRead = false;
    const std::optional<qx::SwapCondition> condition = qx::SwapConditionOf(stored.condition.toInt(&conditionRead));
    const qx::DecodedProblem a = qx::DecodeProblemCode(codeA, n);
    const qx::DecodedProblem b = two ? qx::DecodeProblemCode(codeB, n) : qx::DecodedProblem{true, {}, {}};
    QString refusal;
    if (!conditionRead || !condition)
        refusal = QStringLiteral("入れ替え条件（%1）が正しくありません。").arg(stored.condition.toString());
    else if (!a.ok)
        refusal = (two ? QStringLiteral("表Aの") : QString()) + Q(a.reason);
    else if (!b.ok)
        refusal = QStringLiteral("表Bの") + Q(b.reason);
    if (!refusal.isEmpty()) {
        qx::Messages().plain(number + QStringLiteral("　番の問題は表示できません。\n") + refusal);
        return;
    }

    if (!qx::Messages().confirm(number + QStringLiteral("　番を表示してもいいですか？"))) return;

    handedOver_ = HandedProblem{.problem = {.startA = a.numbers, .startB = b.numbers, .codeA = codeA, .codeB = codeB},
                                .condition = *condition};
    PublishHandOver(*handedOver_);
    close();
    qx::PlayCue(qx::SoundCue::Step);
}

void TForm4::OnDelete()
{
    ReportingFailures([this] { DeleteCurrentRecord(); });
}

void TForm4::DeleteCurrentRecord()
{
    RecordStore* store = ReopenedStore();
    if (RefusedWriting(store)) return;
    const int row = CurrentRow();
    if (row < 0 || !context_.game) {
        qx::Messages().plain(QStringLiteral("削除する記録がありません。"));
        return;
    }
    const qx::RecordKey key = records_->Key(row);
    if (!qx::Messages().confirm(NumberText(key.number) + QStringLiteral("　番を削除してもいいですか？"))) return;
    // Only the active condition's band is numbered again, whichever band the row was in.
    try {
        store->DeleteAndRenumber(*context_.game, context_.size, key.rowid, context_.condition);
    } catch (const EDatabaseError&) {
        ListRecords();  // the grid shows the table as the failed write left it: unchanged
        throw;
    }
    ListRecords();
    SetStatusText(QStringLiteral("削除しました。"));
    qx::PlayCue(qx::SoundCue::Step);
}

// The shared record gets the handed problem as well: the condition, the start numbers and codes
// of the game type in use, and the flag that a problem waits.
void TForm4::PublishHandOver(const HandedProblem& handed)
{
    qx::FillGameState({.condition = handed.condition, .handed = &handed.problem, .storedProblemPending = true});
}

std::optional<HandedProblem> ShowRecordTable(QWidget* owner, const RecordContext& context)
{
    QPointer<TForm4> form = new TForm4(context, owner);
    std::optional<HandedProblem> handed;
    try {
        form->ShowModal();
        if (form) handed = form->HandedOver();
    } catch (...) {
        delete form.data();
        throw;
    }
    delete form.data();
    qx::FillGameState({.storedProblemPending = false});
    return handed;
}
