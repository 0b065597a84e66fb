// Median times of the record window's operations over one table of 10,000 rows:
// 60 rows in each of bands 1 … 5, the rest in band 6. Run offscreen from any directory.
#include "core/Board.h"
#include "records/DataModule.h"
#include "records/RecordWindow.h"
#include "support/Doubles.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int Rows = 10000;
constexpr int PerBand = 60;
constexpr int Runs = 21;

void SeedTable()
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("seed"));
    db.setDatabaseName(QStringLiteral("data/kiroku.sqlite"));
    db.open();
    db.transaction();
    QSqlQuery q(db);
    q.prepare(
        QStringLiteral("INSERT INTO kirokuA9 VALUES (?, '05.3.7', ' player', ?, ?, '23', '2分5秒', "
                       "'020301040506070809')"));
    // Every record completed with par and hints beside it, as this version stores them.
    QSqlQuery facts(db);
    facts.prepare(
        QStringLiteral("INSERT INTO kirokupar VALUES ('kirokuA9', ?, 20, 23, 1, '23', '020301040506070809')"));
    int added = 0;
    for (int c = 1; c <= 6; ++c) {
        const int count = c < 6 ? PerBand : Rows - 5 * PerBand;
        for (int i = 1; i <= count; ++i, ++added) {
            q.addBindValue(100 * c + i);
            q.addBindValue(QString::fromStdString(qx::ConditionName(qx::SwapCondition(c))));
            q.addBindValue(c);
            q.exec();
            facts.addBindValue(q.lastInsertId());
            facts.exec();
        }
    }
    db.commit();
    q.finish();
    facts.finish();
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("seed"));
    std::printf("seeded %d rows into kirokuA9\n", added);
}

void Report(const char* what, const std::function<void()>& prepare, const std::function<void()>& run)
{
    std::vector<double> ms;
    for (int i = 0; i < Runs; ++i) {
        if (prepare) prepare();
        QElapsedTimer t;
        t.start();
        run();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-48s median %7.2f ms   min %7.2f   max %7.2f\n", what, ms[ms.size() / 2], ms.front(), ms.back());
}

void SelectRow(TForm4& form, int nb)
{
    QAbstractItemModel* model = form.RecordGrid()->model();
    for (int r = 0; r < model->rowCount(); ++r)
        if (model->index(r, 0).data().toInt() == nb) return form.RecordGrid()->setCurrentIndex(model->index(r, 1));
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    qx::test::FakeMessages messages;  // every confirmation answers OK
    qx::test::FakeSounds sounds;
    TDataModule1 module;
    SeedTable();
    // A finished Puzzle I game of 9 cells, as its game window hands it over.
    RecordContext played;
    played.game = qx::GameType::PuzzleI;
    played.finished = true;
    played.codeA = "020301040506070809";
    Report("list the keys of 10,000 rows", nullptr,
           [&] { module.Store().List(qx::GameType::PuzzleI, qx::BoardSize::Cells9); });
    Report("open the record window (create, show, paint)", nullptr, [&played] {
        TForm4 form(played);
        form.show();
        QApplication::processEvents();
    });

    // A window for the game under `condition`, as its game window opens it.
    std::unique_ptr<TForm4> form;
    const auto openUnder = [&form, &played](int condition) {
        played.condition = qx::SwapCondition(condition);
        form = std::make_unique<TForm4>(played);
        form->show();
        form->NameEdit()->setText(QStringLiteral("bench"));
        QApplication::processEvents();
    };
    for (int condition : {3, 6}) {
        openUnder(condition);
        const QByteArray what = "record one row (condition " + QByteArray::number(condition) + ")";
        Report(what.constData(), nullptr, [&] {
            form->OnRecord();
            QApplication::processEvents();
        });
    }
    openUnder(3);
    Report(
        "delete one row, renumber band 3 (~70 rows)", [&] { SelectRow(*form, 310); },
        [&] {
            form->OnDelete();
            QApplication::processEvents();
        });
    openUnder(6);
    Report(
        "delete one row, renumber band 6 (~4,800 later)", [&] { SelectRow(*form, 5000); },
        [&] {
            form->OnDelete();
            QApplication::processEvents();
        });
    std::printf("rows now %d, message boxes %lld\n", form->RecordGrid()->model()->rowCount(),
                static_cast<long long>(messages.boxes.size()));
    return 0;
}
