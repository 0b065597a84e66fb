#include "shell/Look.h"

namespace qx {

QColor TColor(unsigned value) { return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF)); }

QPalette WindowPalette()
{
    // The colours of a light desktop without a theme, as the windows were drawn on it.
    const QColor face(0xef, 0xef, 0xef);
    const QColor disabledText(0xbe, 0xbe, 0xbe);
    QPalette pal(Qt::black, face, Qt::white, QColor(0x9f, 0x9f, 0x9f), QColor(0xb8, 0xb8, 0xb8), Qt::black, Qt::white,
                 Qt::white, TColor(colors::WindowColor));
    pal.setColor(QPalette::Midlight, QColor(0xca, 0xca, 0xca));
    pal.setColor(QPalette::Shadow, QColor(0x76, 0x76, 0x76));
    pal.setColor(QPalette::Highlight, QColor(0x30, 0x8c, 0xc6));
    pal.setColor(QPalette::HighlightedText, Qt::white);
    pal.setColor(QPalette::AlternateBase, QColor(0xf7, 0xf7, 0xf7));
    pal.setColor(QPalette::ToolTipBase, QColor(0xff, 0xff, 0xdc));
    pal.setColor(QPalette::ToolTipText, Qt::black);
    pal.setColor(QPalette::Link, Qt::blue);
    pal.setColor(QPalette::LinkVisited, Qt::magenta);
    pal.setColor(QPalette::PlaceholderText, QColor(0, 0, 0, 128));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::Dark})
        pal.setColor(QPalette::Disabled, role, disabledText);
    pal.setColor(QPalette::Disabled, QPalette::Base, face);
    pal.setColor(QPalette::Disabled, QPalette::Shadow, QColor(0xb1, 0xb1, 0xb1));
    pal.setColor(QPalette::Disabled, QPalette::Highlight, QColor(0x91, 0x91, 0x91));
    // A role left unset would be taken from the desktop's palette.
    for (int group = QPalette::Active; group <= QPalette::Inactive; ++group)
        for (int role = 0; role < QPalette::NColorRoles; ++role)
            pal.setBrush(QPalette::ColorGroup(group), QPalette::ColorRole(role),
                         pal.brush(QPalette::ColorGroup(group), QPalette::ColorRole(role)));
    return pal;
}

QFont UiFont(const QString& family, int pixelHeight, bool bold)
{
    QFont font(family);
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}

void InstallFontSubstitutions()
{
    const QStringList gothic{QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                             QStringLiteral("Noto Sans CJK JP")};
    QFont::insertSubstitutions(PGothic, gothic);
    QFont::insertSubstitutions(UiGothic, gothic);
    QFont::insertSubstitutions(MaruGothic, {QStringLiteral("MotoyaLMaru"), QStringLiteral("IPAPGothic")});
}

}  // namespace qx
