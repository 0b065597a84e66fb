#include "shell/Look.h"

namespace qx {

QColor TColor(unsigned value) { return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF)); }

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
