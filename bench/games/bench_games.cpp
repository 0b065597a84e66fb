// bench_games [iterations]: the game windows' response times; exits 1 when a median is 16 ms or more.
#include "BenchHarness.h"

#include "records/DataModule.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>

std::vector<BenchResult> BenchPuzzle1(int iterations, qx::KeptGameStore* kept = nullptr);
std::vector<BenchResult> BenchPuzzle2(int iterations, qx::KeptGameStore* kept = nullptr);
std::vector<BenchResult> BenchPuzzle1WhileSearching(int iterations);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int iterations = argc > 1 ? std::max(1, atoi(argv[1])) : 200;

    std::vector<BenchResult> results;
    for (auto& r : BenchPuzzle1(iterations)) results.push_back(r);
    for (auto& r : BenchPuzzle2(iterations)) results.push_back(r);
    for (auto& r : BenchPuzzle1WhileSearching(iterations)) results.push_back(r);

    // Again with the records on a file: every accepted swap then also keeps the game (chudan)
    // and every new problem forgets it, each in one write transaction.
    QTemporaryDir dir;
    const QString home = QDir::currentPath();
    QDir::setCurrent(dir.path());
    {
        TDataModule1 module;
        for (auto* bench : {&BenchPuzzle1, &BenchPuzzle2})
            for (auto& r : bench(iterations, &module.KeptGames())) {
                r.name += QStringLiteral(", kept in data/");
                results.push_back(r);
            }
    }
    QDir::setCurrent(home);
    return Report(results, 16.0) ? 0 : 1;
}
