#include "BundledFonts.h"

#include <QFontDatabase>
#include <QHash>
#include <QStringList>

namespace {

// A font file embedded under :/fonts/ and the family name it declares.
struct BundledFace {
    const char* resource;
    const char* family;
};

constexpr BundledFace kKai{":/fonts/shulin-kai.ttf", "Shulin Kai"};
constexpr BundledFace kSong{":/fonts/shulin-song.ttf", "Shulin Song"};
constexpr BundledFace kSans{":/fonts/shulin-sans.otf", "Shulin Sans"};

constexpr const BundledFace* kAllFaces[] = {&kKai, &kSong, &kSans};

// Which bundled face draws the texts of each face name that the layouts use.
struct StandIn {
    const char16_t* layoutFace;
    const BundledFace* face;
};

constexpr StandIn kStandIns[] = {
    {u"楷体_GB2312", &kKai},
    {u"黑体", &kSans},
    {u"宋体", &kSong},
    {u"MS Sans Serif", &kSans},
    {u"Arial", &kSans},
};

} // namespace

void RegisterBundledFonts()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    for (const BundledFace* face : kAllFaces)
        QFontDatabase::addApplicationFont(QString::fromLatin1(face->resource));
}

QString BundledFamily(const QString& layoutFace)
{
    for (const StandIn& standIn : kStandIns) {
        if (layoutFace == QStringView(standIn.layoutFace))
            return QString::fromLatin1(standIn.face->family);
    }
    return QString::fromLatin1(kSans.family);
}

namespace {

// Whether the desktop has a face of that name (or alias).  Asking once per name spares the
// toolkit a search through the desktop's fallbacks for every font of a face it does not have.
bool DesktopHas(const QString& layoutFace)
{
    static QHash<QString, bool> known;
    const auto found = known.constFind(layoutFace);
    if (found != known.constEnd())
        return *found;
    return known.insert(layoutFace, QFontDatabase::hasFamily(layoutFace)).value();
}

} // namespace

QFont LayoutFont(const QString& layoutFace, int pixelSize, bool bold, bool italic)
{
    QStringList families;
    if (DesktopHas(layoutFace))
        families << layoutFace;
    families << BundledFamily(layoutFace);
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}
