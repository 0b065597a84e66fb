#pragma once
// The data module made first at start-up: it holds the record store of data/kiroku.sqlite and
// tells the player once when the records cannot be used.

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

    qx::RecordStore& Store() { return store_; }

private:
    qx::RecordStore store_;
};

// The data module created first at start-up (or the first one a test creates); null before.
TDataModule1* DataModule1();
