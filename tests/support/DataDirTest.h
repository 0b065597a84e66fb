#pragma once
// The base of tests that work on a database file: each case runs in a directory of its own, with
// the seams' doubles and a data module on its data/kiroku.sqlite, and leaves everything as it was.

#include "records/DataModule.h"
#include "support/Doubles.h"

#include <QDir>
#include <QObject>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <memory>

namespace qx::test {

// The connection through which tests seed and inspect the file behind the program's back.
inline const QString Seeder = QStringLiteral("seeder");

class DataDirTest : public QObject {
protected:
    // In a case's init(): false when the directory could not be entered.
    bool EnterDataDir()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        if (!QDir::setCurrent(dir_->path())) return false;
        messages_ = std::make_unique<FakeMessages>();
        sounds_ = std::make_unique<FakeSounds>();
        module_ = std::make_unique<TDataModule1>();
        return true;
    }
    // In a case's cleanup(): the data module and the seeding connection go before the directory.
    void LeaveDataDir()
    {
        module_.reset();
        QSqlDatabase::removeDatabase(Seeder);
        sounds_.reset();
        messages_.reset();
        QDir::setCurrent(home_);
        dir_.reset();
    }

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<FakeMessages> messages_;
    std::unique_ptr<FakeSounds> sounds_;
    std::unique_ptr<TDataModule1> module_;
    QString home_ = QDir::currentPath();
};

}  // namespace qx::test
