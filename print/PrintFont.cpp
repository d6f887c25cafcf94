#include "print/PrintFont.h"

#include <QFontDatabase>
#include <QStringList>
#include <mutex>

namespace {

struct Substitute
{
    const char *name;
    const char *face;
};

// The faces fonts-liberation, fonts-urw-base35 and fonts-dejavu-core install.
constexpr Substitute kSubstitutes[] = {
    {"Arial", "Liberation Sans"},       {"Helvetica", "Liberation Sans"}, {"Times New Roman", "Liberation Serif"},
    {"Courier New", "Liberation Mono"}, {"Century Gothic", "URW Gothic"}, {"Symbol", "DejaVu Sans"},
};

} // namespace

namespace PrintFonts {

void registerSubstitutions()
{
    static std::once_flag once;
    std::call_once(once, [] {
        for (const Substitute &s : kSubstitutes)
            QFont::insertSubstitution(QString::fromLatin1(s.name), QString::fromLatin1(s.face));
    });
}

bool isKnown(const QString &name)
{
    registerSubstitutions();
    const QString family = name.trimmed();
    if (family.isEmpty())
        return false;
    if (QFontDatabase::hasFamily(family))
        return true;
    for (const QString &face : QFont::substitutes(family)) {
        if (QFontDatabase::hasFamily(face))
            return true;
    }
    return false;
}

QFont toQFont(const PrintFont &font)
{
    registerSubstitutions();
    QFont f(font.name);
    f.setPointSizeF(font.size > 0 ? font.size : 1);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    f.setStrikeOut(font.strikethru);
    f.setKerning(false);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::ForceOutline);
    return f;
}

} // namespace PrintFonts
