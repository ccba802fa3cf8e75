#include "DialogFont.h"

#include <QFontInfo>
#include <QFontMetrics>

QFont AfxDialogFont(int pointSize)
{
    QFont font(QStringLiteral("sans-serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(pointSize > 0 ? pointSize : 8);
    // Pin the family fontconfig resolved, so every control uses the same one.
    font.setFamily(QFontInfo(font).family());
    return font;
}

DialogBaseUnits AfxBaseUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int alphabetWidth =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return ComputeDialogBaseUnits(alphabetWidth, metrics.ascent() + metrics.descent());
}
