#pragma once
// Colours and fonts as the windows name them.

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>

namespace qx {

// A colour given as 0x00BBGGRR (blue in the high byte, red in the low byte).
QColor TColor(unsigned value);
// The 0x00BBGGRR value of a colour given by its red, green and blue.
constexpr unsigned Rgb(unsigned red, unsigned green, unsigned blue) { return blue << 16 | green << 8 | red; }

// The colours shared by the windows.
namespace colors {
inline constexpr unsigned PlainTileColor = Rgb(0xFF, 0xFF, 0xFF);       // white
inline constexpr unsigned InPlaceColor = Rgb(0xFA, 0xDB, 0xFD);         // pale pink
inline constexpr unsigned PartnerColor = Rgb(0xE9, 0xFE, 0xCB);         // pale green
inline constexpr unsigned NumberColor = Rgb(0x00, 0x00, 0x80);          // navy
inline constexpr unsigned SelectedNumberColor = Rgb(0xFF, 0x00, 0x00);  // red
inline constexpr unsigned PickedNumberColor = Rgb(0xC6, 0x00, 0x00);    // dark red
inline constexpr unsigned WindowColor = Rgb(0xEA, 0xEA, 0xFF);          // pale lavender
inline constexpr unsigned StatusBarColor = Rgb(0xD0, 0xD0, 0xFF);       // light periwinkle
inline constexpr unsigned ConditionColor = Rgb(0xC8, 0x20, 0x39);       // crimson
inline constexpr unsigned MoneyGreen = Rgb(0xC0, 0xDC, 0xC0);           // money green
inline constexpr unsigned SkyBlue = Rgb(0xA6, 0xCA, 0xF0);              // sky blue
// The game windows' buttons.
inline constexpr unsigned NewProblemButtonColor = Rgb(0xA6, 0xF7, 0xB0);  // light green (Puzzle I)
inline constexpr unsigned SwapButtonColor = Rgb(0xFA, 0x77, 0x70);        // salmon
inline constexpr unsigned InterruptButtonColor = Rgb(0xAE, 0xE3, 0xFB);   // light sky blue
inline constexpr unsigned ResumeButtonColor = Rgb(0xC5, 0xF5, 0xA7);      // pale lime
inline constexpr unsigned CancelButtonColor = Rgb(0xE1, 0xBA, 0xE2);      // light orchid
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
