// The program's icons, cut from the compiled-in strips or drawn where those are missing.
#include "AppIcons.h"

#include <QApplication>
#include <QBitmap>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <array>

#include "shell/Platform.h"

// The linker drops a static library's compiled-in resources unless they are registered.
static void RegisterIconResources() {
#ifdef TALLYVANE_HAVE_ICONS
    Q_INIT_RESOURCE(icons);
#endif
}

namespace tv::icons {

namespace {

constexpr int kCount = 16;

struct Sets {
    bool loaded = false;
    std::array<QPixmap, kCount> small, large;
    QIcon app, tray;
};

Sets& TheSets() {
    static Sets s;
    return s;
}

// One letter and hue per type icon meaning: alarm clock, cake, calendar page, sun, telephone,
// two people, coins, aeroplane, television, globe, star, heart, pill, note, flag, hourglass.
constexpr const char* kLetters = "ACDSTPMAVGSHRNFH";

QPixmap DrawnTypeIcon(int index, int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor fill = QColor::fromHsv((index * 360 / kCount + 200) % 360, 150, 210);
    p.setPen(QPen(fill.darker(160), size / 16.0));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(0.5, 0.5, size - 1.0, size - 1.0), size / 5.0, size / 5.0);
    QFont f;
    f.setPixelSize(size * 11 / 16);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QString(QLatin1Char(kLetters[index])));
    return pm;
}

// A clock face: the picture of a program that is a desktop clock and a reminder.
QPixmap DrawnClockIcon(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF face(size * 0.06, size * 0.06, size * 0.88, size * 0.88);
    p.setPen(QPen(QColor(40, 40, 40), size * 0.06));
    p.setBrush(QColor(255, 214, 0));
    p.drawEllipse(face);
    const QPointF c = face.center();
    p.setPen(QPen(QColor(30, 30, 30), size * 0.08, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c, c + QPointF(0, -size * 0.30));
    p.drawLine(c, c + QPointF(size * 0.22, 0));
    p.setBrush(QColor(30, 30, 30));
    p.drawEllipse(c, size * 0.05, size * 0.05);
    return pm;
}

QPixmap Cut(const QImage& strip, int index, int size) {
    QPixmap pm = QPixmap::fromImage(strip.copy(index * size, 0, size, size));
    // Strips without an alpha channel mark their background in white.
    if (!strip.hasAlphaChannel()) pm.setMask(pm.createMaskFromColor(Qt::white));
    return pm;
}

// On a screen scaled by two or more the icons come from the strip drawn at twice the size
// (NAME@2x.png), keeping their logical size; elsewhere from the strip drawn at their size.
void LoadStrip(const QString& name, int size, std::array<QPixmap, kCount>& out) {
    const bool scaled = qApp && qApp->devicePixelRatio() >= 2.0;
    const QImage strip(QStringLiteral(":/icons/%1%2.png").arg(name, scaled ? QStringLiteral("@2x") : QString()));
    const int cut = scaled ? 2 * size : size;
    const bool usable = !strip.isNull() && strip.height() >= cut;
    for (int i = 0; i < kCount; ++i) {
        if (usable && strip.width() >= (i + 1) * cut) {
            out[i] = Cut(strip, i, cut);
            out[i].setDevicePixelRatio(static_cast<double>(cut) / size);
        } else {
            out[i] = DrawnTypeIcon(i, size);
        }
    }
}

QIcon LoadIcon(std::initializer_list<const char*> paths) {
    QIcon icon;
    for (const char* path : paths)
        if (QFile::exists(QString::fromLatin1(path))) icon.addFile(QString::fromLatin1(path));
    if (icon.isNull())
        for (int size : {16, 22, 32, 48, 64, 128, 256}) icon.addPixmap(DrawnClockIcon(size));
    return icon;
}

const Sets& Loaded() {
    if (!TheSets().loaded) Load();
    return TheSets();
}

int Clamp(int index) { return index >= 0 && index < kCount ? index : 0; }

}  // namespace

void Load() {
    RegisterIconResources();
    Sets& s = TheSets();
    LoadStrip(QStringLiteral("types-small"), 16, s.small);
    LoadStrip(QStringLiteral("types-large"), 32, s.large);
    s.app = LoadIcon({":/icons/app.png", ":/icons/app-32.png"});
    // The desktop's icon theme may draw the program's icon to suit its panel (a symbolic or
    // high-density version); ours stands in where it has none.
    s.tray = QIcon::fromTheme(QString::fromLatin1(kDesktopId), LoadIcon({":/icons/tray.png"}));
    s.loaded = true;
}

QIcon AppIcon() { return Loaded().app; }
QIcon TrayIcon() { return Loaded().tray; }
QPixmap SmallTypeIcon(int index) { return Loaded().small[Clamp(index)]; }
QPixmap LargeTypeIcon(int index) { return Loaded().large[Clamp(index)]; }

QIcon TypeIcon(int index) {
    QIcon icon;
    icon.addPixmap(SmallTypeIcon(index));
    icon.addPixmap(LargeTypeIcon(index));
    return icon;
}

}  // namespace tv::icons
