#pragma once
// The status texts and messages of the game flow as the player reads them, spelled here once so
// that a test compares the program's words with the designed ones, not with its own constants.

#include <QString>

namespace qx::test::said {
inline const QString Idle = QStringLiteral("「新しい問題」ボタンで始めてください。");
inline const QString Started = QStringLiteral("数字の入れ替えを始めてください。");
inline const QString Resumed = QStringLiteral("再開します。入れ替えを続けてください。");
inline const QString Continue = QStringLiteral("数字の入替えを続けてください。");
inline const QString Interrupted = QStringLiteral("中断中です。「再開」ボタンで再開してください。");
inline const QString Ended = QStringLiteral("「新しい問題」か「同じ問題」ボタンで始めてください。");
inline const QString UnusableSave = QStringLiteral("前回の続きを読み込めませんでした。\r\n新しく始めてください。");
inline const QString SaveFailed = QStringLiteral("続きを保存できませんでした。");
}  // namespace qx::test::said
