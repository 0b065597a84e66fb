#pragma once
// The record tables on SQLite: the data module TDataModule1 with its two ordered selections,
// the grid selection Query2 and the condition selection Query3, and the numbering of rows by
// condition.

#include <QAbstractTableModel>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <stdexcept>
#include <vector>

// An error of the table engine (a missing table, a failed post, an unusable database). It ends
// the operation at the step where it occurs; the windows show its text in the error box.
class EDatabaseError : public std::runtime_error {
public:
    explicit EDatabaseError(const QString& message);
    QString Message() const { return QString::fromUtf8(what()); }
};

// An ordered selection on one record table: the rows of its query text, loaded once when it is
// opened, each keyed by the table's hidden rowid, with a cursor and writes that go to the table
// at once (parameterised UPDATE / INSERT / DELETE by rowid). It is also the grid's model.
class TRecordQuery : public QAbstractTableModel {
    Q_OBJECT
public:
    TRecordQuery(const QString& connectionName, QObject* parent = nullptr);

    // The query text, one line per entry; run as the lines joined by a newline.
    QStringList SQL;

    void Open();
    void Close();
    bool Active() const { return active_; }
    QString TableName() const { return table_; }

    // Cursor. RecNo is the row index (0 first), -1 on an empty selection.
    void First();
    void Next();
    bool Eof() const { return eof_; }
    int RecordCount() const { return static_cast<int>(rows_.size()); }
    int RecNo() const { return current_; }
    void MoveTo(int row);

    // Fields of the current row, by position (0 = NB).
    int FieldCount() const { return fieldNames_.size(); }
    QString FieldName(int pos) const { return fieldNames_.value(pos); }
    int FieldAsInteger(int pos) const;
    QString FieldAsString(int pos) const;
    void SetFieldAsInteger(int pos, int value);
    void SetFieldAsString(int pos, const QString& value);

    // Editing: Edit or Append, set fields, then Post (or Cancel). Delete removes the current row.
    void Edit();
    void Append();
    void Post();
    void Cancel();
    void Delete();

    // QAbstractTableModel: the loaded rows, one column per field; read-only.
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    // The cursor moved to another row (-1: none).
    void currentRowChanged(int row);

private:
    enum class EditState { Browse, Edit, Insert };
    static constexpr int NbField = 0;  // every record table starts with NB
    struct Row {
        qint64 rowid = 0;
        QVariant nb;
        QVariantList values;  // every field, read on first use; empty until then
    };
    void RequireActive() const;
    void RequireRow() const;
    void RequireEditing() const;
    const QVariant& Field(int pos) const;
    const QVariant& Value(int row, int pos) const;
    QVariantList& Loaded(int row) const;
    void SetValue(int row, int pos, const QVariant& value);
    void RestoreBefore();
    void SetField(int pos, const QVariant& value);
    void SetCurrent(int row);
    void PostInsert();
    void PostEdit();
    int SortedPosition(int row) const;

    QString connection_;
    QString table_;
    bool active_ = false;
    bool eof_ = true;
    int current_ = -1;
    QStringList fieldNames_;
    mutable std::vector<Row> rows_;
    EditState state_ = EditState::Browse;
    QVariantList before_;          // the row before Edit, put back by Cancel
    std::vector<bool> changed_;    // fields set since Edit / Append
};

class TDataModule1 : public QObject {
    Q_OBJECT
public:
    // Opens (creating what is missing) data/kiroku.sqlite under the working directory. An
    // unusable database is reported once and left untouched; the operations then fail.
    explicit TDataModule1(QObject* parent = nullptr);
    ~TDataModule1() override;

    TRecordQuery* Query2;   // grid selection
    TRecordQuery* Query3;   // condition selection

    bool Available() const { return available_; }
    QString UnavailableReason() const { return reason_; }
    QString DatabasePath() const { return path_; }

    void OpenRecordsA();
    void OpenRecordsB();
    void OpenConditionRecordsA();
    void OpenConditionRecordsB();
    // The grid / condition selection of GameState.ActiveGame's table; any other game: nothing.
    void OpenRecords();
    void OpenConditionRecords();

    // NB for a new row of ActiveCondition in the active table.
    int NextRecordNumber();
    // Consecutive numbers again for ActiveCondition's band (all or nothing), then the grid
    // selection is reopened.
    void RenumberRecords();

    // Runs a statement of its own on the database: for changes that must be all or nothing.
    void BeginTransaction();
    void Commit();
    void Rollback();

    void DataModuleDestroy();

    // Throws the reason when the database could not be used.
    void RequireAvailable() const;

    // The filter text and first number of a condition's band.
    static QString FilterText(int condition);
    static int FirstNumber(int condition);
    // Last number a band may hold (199 … 599); conditions 6 and others have no upper bound.
    static int LastNumber(int condition);
    static QString TableName(char game, int size);

private:
    void OpenDatabase();
    void CreateMissingTables();
    void OpenQuery(TRecordQuery* query, const QString& table, bool withFilter);

    QString connection_;
    QString path_;
    bool available_ = false;
    QString reason_;
};

// The data module created first at start-up (or the first one a test creates).
TDataModule1* DataModule1();
