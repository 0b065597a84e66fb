#include "records/DataModule.h"

#include "shell/Seams.h"

namespace {

TDataModule1* theDataModule = nullptr;

}  // namespace

TDataModule1* DataModule1() { return theDataModule; }

TDataModule1::TDataModule1(QObject* parent, Opening opening)
    : QObject(parent), database_(QStringLiteral("data/kiroku.sqlite")), store_(database_), keptGames_(database_)
{
    if (!theDataModule) theDataModule = this;
    if (opening == Opening::Now) OpenDatabase();
}

void TDataModule1::OpenDatabase()
{
    // A database that can only be read is said in the record window; one that cannot be used
    // at all is said here, since the player may want to know before playing.
    if (database_.Open() == qx::RecordAccess::Unusable)
        qx::Messages().error(QStringLiteral("記録のデータベース data/kiroku.sqlite を使えません。ゲームはできます。"
                                            "記録表を開くたびに、もう一度開いてみます。\n\n") +
                             database_.Problem());
}

TDataModule1::~TDataModule1()
{
    if (theDataModule == this) theDataModule = nullptr;
}
