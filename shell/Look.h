#pragma once
// Colours and fonts as the windows name them.

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>

namespace qx {

// A colour given as 0x00BBGGRR (blue in the high byte, red in the low byte).
QColor TColor(unsigned value);

// The colours shared by the windows.
namespace colors {
inline constexpr unsigned PlainTileColor = 16777215;  // white
inline constexpr unsigned InPlaceColor = 16636922;    // pale pink FDDBFA
inline constexpr unsigned PartnerColor = 13369065;    // pale green CBFEE9
inline constexpr unsigned NumberColor = 8388608;      // navy
inline constexpr unsigned SelectedNumberColor = 255;  // red
inline constexpr unsigned PickedNumberColor = 198;    // dark red
inline constexpr unsigned WindowColor = 16771818;     // pale lavender FFEAEA
inline constexpr unsigned StatusBarColor = 16765136;  // light periwinkle FFD0D0
inline constexpr unsigned ConditionColor = 3743944;   // crimson 3920C8
inline constexpr unsigned MoneyGreen = 0xC0DCC0;
inline constexpr unsigned SkyBlue = 0xF0CAA6;
// The game windows' buttons.
inline constexpr unsigned NewProblemButtonColor = 11597734;  // light green A6F7B0 (Puzzle I)
inline constexpr unsigned SwapButtonColor = 7370746;         // salmon FA7870
inline constexpr unsigned InterruptButtonColor = 16507822;   // light sky blue AEE2FB
inline constexpr unsigned ResumeButtonColor = 11007429;      // pale lime C5F5A7
inline constexpr unsigned CancelButtonColor = 14858977;      // light orchid E1BAE2
}  // namespace colors

// The palette of every window the game designs: the roles of a light desktop with the pale
// lavender face, every role of every group set, so that a desktop palette (a dark theme) changes
// none of them. Windows opened from ours (message boxes, menus, help) keep the desktop's.
QPalette WindowPalette();

// The names the windows use for their fonts; each resolves to an installed Japanese face.
inline const QString PGothic = QStringLiteral("ＭＳ Ｐゴシック");
inline const QString UiGothic = QStringLiteral("MS UI Gothic");
inline const QString MaruGothic = QStringLiteral("HG丸ｺﾞｼｯｸM-PRO");

// A font of the given family with its character height in pixels.
QFont UiFont(const QString& family, int pixelHeight, bool bold = false);

// Maps the window fonts to installed faces (IPA P Gothic, Motoya L Maruberi). Call once
// after the application object exists.
void InstallFontSubstitutions();

}  // namespace qx
