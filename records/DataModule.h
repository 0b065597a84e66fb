#pragma once
// The data module made first at start-up: it holds the database data/kiroku.sqlite with its
// record tables and kept games, and tells the player once when the records cannot be used.

#include "records/KeptGameStore.h"
#include "records/RecordDatabase.h"
#include "records/RecordStore.h"

#include <QObject>

class TDataModule1 : public QObject {
    Q_OBJECT
public:
    enum class Opening { Now, Later };
    // Opening later leaves the database to OpenDatabase(), so that start-up can show the menu first.
    explicit TDataModule1(QObject* parent = nullptr, Opening opening = Opening::Now);
    ~TDataModule1() override;

    // Opens the database and tells the player once when the records cannot be used.
    void OpenDatabase();

    qx::RecordDatabase& Database() { return database_; }
    qx::RecordStore& Store() { return store_; }
    qx::KeptGameStore& KeptGames() { return keptGames_; }

private:
    qx::RecordDatabase database_;
    qx::RecordStore store_;
    qx::KeptGameStore keptGames_;
};

// The data module created first at start-up (or the first one a test creates); null before.
TDataModule1* DataModule1();
