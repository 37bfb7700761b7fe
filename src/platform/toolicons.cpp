#include "platform/toolicons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cstddef>
#include <initializer_list>

namespace verno {

namespace {

// The classic 16-colour palette, plus a brown and a gold for wood and brass.
const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kGrey(128, 128, 128);
const QColor kSilver(192, 192, 192);
const QColor kNavy(0, 0, 128);
const QColor kBlue(0, 0, 255);
const QColor kMaroon(128, 0, 0);
const QColor kRed(255, 0, 0);
const QColor kGreen(0, 128, 0);
const QColor kYellow(255, 255, 0);
const QColor kPaleAqua(192, 255, 255);
const QColor kBrown(160, 96, 32);
const QColor kGold(224, 176, 0);

// All coordinates are on a 20x20 grid; the painter is scaled for other sizes.

void fill(QPainter &p, qreal x, qreal y, qreal w, qreal h, const QColor &c)
{
    p.fillRect(QRectF(x, y, w, h), c);
}

// Rectangle with a one-pixel outline.
void box(QPainter &p, int x, int y, int w, int h, const QColor &inside, const QColor &edge = kBlack)
{
    fill(p, x, y, w, h, edge);
    fill(p, x + 1, y + 1, w - 2, h - 2, inside);
}

// Polygon through the centres of the given pixels, with a one-pixel outline.
void shape(QPainter &p, std::initializer_list<QPoint> pixels, const QColor &inside,
           const QColor &edge = kBlack)
{
    QPolygonF poly;
    for (const QPoint &pt : pixels)
        poly << QPointF(pt) + QPointF(0.5, 0.5);
    p.setPen(QPen(edge, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(inside);
    p.drawPolygon(poly);
}

// Stroke drawn dark and wide, then light and narrow on top: an outlined bar.
void outlinedStroke(QPainter &p, const QPainterPath &path, const QColor &inside, qreal width)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kBlack, width + 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(QPen(inside, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

// Pixel letters: '#' is ink.
template <std::size_t N>
void bits(QPainter &p, int x, int y, const char *const (&rows)[N], const QColor &c)
{
    for (const char *row : rows) {
        for (int i = 0; row[i]; ++i)
            if (row[i] == '#')
                fill(p, x + i, y, 1, 1, c);
        ++y;
    }
}

const char *const kBigA[] = {"..###..", ".##.##.", "##...##", "##...##", "##...##",
                             "#######", "#######", "##...##", "##...##", "##...##"};
const char *const kBigB[] = {"######.", "##...##", "##...##", "##...##", "######.",
                             "##...##", "##...##", "##...##", "##...##", "######."};
const char *const kSmallA[] = {".#####.", ".....##", ".######", "##...##",
                               "##...##", "##..###", ".###.##"};
const char *const kSmallB[] = {"##.....", "##.....", "##.....", "######.", "##...##",
                               "##...##", "##...##", "##...##", "##...##", "######."};
const char *const kTinyA[] = {"###.", "...#", ".###", "#..#", ".###"};
const char *const kTinyB[] = {"#...", "#...", "###.", "#..#", "#..#", "#..#", "###."};
const char *const kSerifF[] = {"###########", ".###....###", ".###.....##", ".###......#",
                               ".###...#...", ".#######...", ".###...#...", ".###.......",
                               ".###.......", ".###.......", ".###.......", "#####......"};

// Two bold letters side by side, bottoms on one line.
template <std::size_t N, std::size_t M>
void letterPair(QPainter &p, const char *const (&first)[N], const char *const (&second)[M])
{
    const int bottom = 15;
    bits(p, 2, bottom - int(N), first, kNavy);
    bits(p, 11, bottom - int(M), second, kNavy);
}

// White sheet with a folded top right corner, optionally with lines of text.
void page(QPainter &p, int x, int y, int w, int h, bool text)
{
    const int f = 4;
    const int r = x + w - 1, b = y + h - 1;
    shape(p, {{x, y}, {r - f, y}, {r, y + f}, {r, b}, {x, b}}, kWhite);
    shape(p, {{r - f, y}, {r - f, y + f}, {r, y + f}}, kSilver);
    if (!text)
        return;
    for (int ly = y + 2; ly < b - 1; ly += 2)
        fill(p, x + 2, ly, (ly <= y + f ? w - f - 4 : w - 4), 1, kNavy);
}

// Diskette of s x s pixels: label on top, metal shutter below.
void floppy(QPainter &p, int x, int y, int s)
{
    const int r = x + s - 1, b = y + s - 1;
    shape(p, {{x, y}, {r - 1, y}, {r, y + 1}, {r, b}, {x, b}}, kNavy);
    const int labelH = s / 2 - 1;
    fill(p, x + 2, y + 1, s - 4, labelH, kWhite);
    for (int ly = y + 3; ly < y + labelH; ly += 2)
        fill(p, x + 3, ly, s - 6, 1, kGrey);
    const int shutterW = s / 2 + 1, shutterX = x + (s - shutterW) / 2;
    box(p, shutterX, b - s / 3, shutterW, s / 3 + 1, kSilver);
    fill(p, shutterX + shutterW - 3, b - s / 3 + 1, 1, s / 3 - 1, kNavy);
}

// Lens centred at (cx, cy) of radius r; the handle runs down-right to (hx, hy).
void magnifier(QPainter &p, qreal cx, qreal cy, qreal r, qreal hx, qreal hy)
{
    QPainterPath handle;
    const qreal d = r * 0.7071;
    handle.moveTo(cx + d, cy + d);
    handle.lineTo(hx, hy);
    p.setPen(QPen(kBlack, 3.5, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(handle);
    p.setPen(QPen(kMaroon, 1.5, Qt::SolidLine, Qt::RoundCap));
    handle = QPainterPath();
    handle.moveTo(cx + d * 1.6, cy + d * 1.6);
    handle.lineTo(hx - 0.5, hy - 0.5);
    p.drawPath(handle);
    p.setPen(QPen(kBlack, 1.5));
    p.setBrush(kPaleAqua);
    p.drawEllipse(QPointF(cx, cy), r, r);
    p.setPen(QPen(kWhite, 1.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(cx - r + 2, cy - r + 2, 2 * r - 4, 2 * r - 4), 100 * 16, 70 * 16);
}

// Solid arrow pointing right, tip at (tipX, y); the shaft is 'len' long.
void arrowRight(QPainter &p, int tipX, int y, int len, const QColor &c)
{
    const int head = 3;
    shape(p,
          {{tipX - len, y - 1},
           {tipX - head, y - 1},
           {tipX - head, y - head},
           {tipX, y},
           {tipX - head, y + head},
           {tipX - head, y + 1},
           {tipX - len, y + 1}},
          c);
}

// Padlock whose body is w x h at (x, y); the shackle rises 'rise' above it.
void padlock(QPainter &p, int x, int y, int w, int h, int rise)
{
    QPainterPath shackle;
    const qreal left = x + 2.5, right = x + w - 2.5, bottom = y + 0.5;
    const qreal radius = (right - left) / 2;
    shackle.moveTo(left, bottom);
    shackle.lineTo(left, bottom - rise + radius);
    shackle.arcTo(QRectF(left, bottom - rise, 2 * radius, 2 * radius), 180, -180);
    shackle.lineTo(right, bottom);
    outlinedStroke(p, shackle, kSilver, 1.2);
    box(p, x, y, w, h, kGold);
    fill(p, x + 1, y + 1, w - 2, 1, kYellow);
    const int kx = x + w / 2 - 1, ky = y + h / 2 - 1;
    fill(p, kx, ky, 2, 3, kBlack);
}

void drawExit(QPainter &p)
{
    box(p, 2, 1, 11, 18, QColor(48, 48, 48));
    shape(p, {{3, 2}, {8, 4}, {8, 19}, {3, 17}}, kBrown);
    fill(p, 7, 11, 1, 2, kYellow);
    shape(p, {{10, 8}, {14, 8}, {14, 5}, {18, 10}, {14, 15}, {14, 12}, {10, 12}}, kGreen);
}

void drawOpen(QPainter &p)
{
    shape(p, {{1, 5}, {2, 3}, {6, 3}, {7, 5}, {15, 5}, {15, 17}, {1, 17}}, QColor(192, 160, 0));
    shape(p, {{1, 17}, {5, 9}, {19, 9}, {15, 17}}, kYellow);
}

void drawSaveAll(QPainter &p)
{
    floppy(p, 7, 1, 12);
    floppy(p, 1, 7, 12);
}

void drawPrint(QPainter &p)
{
    box(p, 5, 1, 10, 8, kWhite);
    fill(p, 7, 3, 6, 1, kNavy);
    fill(p, 7, 5, 4, 1, kNavy);
    box(p, 1, 7, 18, 8, kSilver);
    fill(p, 2, 12, 16, 2, kGrey);
    fill(p, 15, 9, 2, 1, kGreen);
    box(p, 4, 12, 12, 7, kWhite);
    fill(p, 6, 14, 8, 1, kNavy);
    fill(p, 6, 16, 6, 1, kNavy);
}

void drawCut(QPainter &p)
{
    QPainterPath blades;
    blades.moveTo(7, 13);
    blades.lineTo(13.5, 1.5);
    blades.moveTo(13, 13);
    blades.lineTo(6.5, 1.5);
    p.setPen(QPen(kBlack, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(blades);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kBlack, 3.2));
    p.drawEllipse(QPointF(5.5, 15.5), 2.7, 2.7);
    p.drawEllipse(QPointF(14.5, 15.5), 2.7, 2.7);
    p.setPen(QPen(kRed, 1.4));
    p.drawEllipse(QPointF(5.5, 15.5), 2.7, 2.7);
    p.drawEllipse(QPointF(14.5, 15.5), 2.7, 2.7);
}

void drawCopy(QPainter &p)
{
    page(p, 1, 1, 11, 13, true);
    page(p, 7, 6, 11, 13, true);
}

void drawPaste(QPainter &p)
{
    box(p, 2, 3, 12, 16, kBrown);
    box(p, 5, 1, 6, 4, kSilver);
    page(p, 8, 7, 11, 12, true);
}

void drawReplace(QPainter &p)
{
    magnifier(p, 7, 6, 4.5, 12, 11);
    bits(p, 1, 14, kTinyA, kNavy);
    arrowRight(p, 13, 16, 6, kRed);
    bits(p, 15, 12, kTinyB, kNavy);
}

void drawFindAgain(QPainter &p)
{
    magnifier(p, 9, 7, 5, 15, 13);
    arrowRight(p, 10, 16, 9, kBlue);
}

void drawWordWrap(QPainter &p)
{
    fill(p, 2, 3, 12, 2, kBlack);
    QPainterPath wrap;
    wrap.moveTo(13, 4);
    wrap.lineTo(14, 4);
    wrap.arcTo(QRectF(11, 4, 6, 6), 90, -180);
    wrap.lineTo(9, 10);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kBlue, 2, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(wrap);
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawPolygon(QPolygonF({QPointF(5, 10), QPointF(9, 6.5), QPointF(9, 13.5)}));
    fill(p, 2, 15, 15, 2, kBlack);
}

void drawReadOnlyAll(QPainter &p)
{
    page(p, 0, 0, 10, 13, true);
    page(p, 3, 3, 10, 13, true);
    padlock(p, 9, 12, 10, 8, 6);
}

void drawAdjust(QPainter &p)
{
    QPainterPath turn;
    turn.arcMoveTo(QRectF(4, 4, 12, 12), 60);
    turn.arcTo(QRectF(4, 4, 12, 12), 60, 270);
    outlinedStroke(p, turn, kGreen, 1.5);
    shape(p, {{12, 1}, {17, 4}, {12, 8}}, kGreen);
}

struct ToolPicture {
    const char *button;
    const char *theme; // freedesktop icon name, or null when none fits
    void (*draw)(QPainter &);
};

const ToolPicture kPictures[] = {
    {"BtnFileExit", "application-exit", drawExit},
    {"BtnFileNew", "document-new", [](QPainter &p) { page(p, 4, 1, 13, 18, false); }},
    {"BtnFileOpen", "document-open", drawOpen},
    {"BtnFileSave", "document-save", [](QPainter &p) { floppy(p, 2, 2, 16); }},
    {"BtnFileSaveAll", "document-save-all", drawSaveAll},
    {"BtnFilePrint", "document-print", drawPrint},
    {"BtnEditCut", "edit-cut", drawCut},
    {"BtnEditCopy", "edit-copy", drawCopy},
    {"BtnEditPaste", "edit-paste", drawPaste},
    {"BtnEditChangeCase", nullptr, [](QPainter &p) { letterPair(p, kBigA, kSmallA); }},
    {"BtnEditUpperCase", nullptr, [](QPainter &p) { letterPair(p, kBigA, kBigB); }},
    {"BtnEditLowerCase", nullptr, [](QPainter &p) { letterPair(p, kSmallA, kSmallB); }},
    {"BtnEditInitialCaps", nullptr, [](QPainter &p) { letterPair(p, kBigA, kSmallB); }},
    {"BtnFind", "edit-find", [](QPainter &p) { magnifier(p, 8, 8, 5.5, 17, 17); }},
    {"BtnFindReplace", "edit-find-replace", drawReplace},
    {"BtnFindAgain", nullptr, drawFindAgain},
    {"BtnOptFont", nullptr, [](QPainter &p) { bits(p, 4, 4, kSerifF, kNavy); }},
    {"BtnOptWordWrap", nullptr, drawWordWrap},
    {"BtnOptReadOnly", nullptr, [](QPainter &p) { padlock(p, 3, 9, 14, 10, 8); }},
    {"BtnOptROAll", nullptr, drawReadOnlyAll},
    {"BtnAdjust", nullptr, drawAdjust},
};

const ToolPicture *findPicture(const QString &buttonName)
{
    for (const ToolPicture &pic : kPictures)
        if (buttonName == QLatin1String(pic.button))
            return &pic;
    return nullptr;
}

} // namespace

QPixmap toolPicture(const QString &buttonName, int size)
{
    const ToolPicture *pic = findPicture(buttonName);
    if (!pic || size <= 0)
        return QPixmap();
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 20.0, size / 20.0);
    pic->draw(p);
    return pixmap;
}

QIcon toolIcon(const QString &buttonName)
{
    const ToolPicture *pic = findPicture(buttonName);
    if (!pic)
        return QIcon();
    QIcon bundled;
    bundled.addPixmap(toolPicture(buttonName, 20));
    bundled.addPixmap(toolPicture(buttonName, 40));
    if (!pic->theme)
        return bundled;
    return QIcon::fromTheme(QLatin1String(pic->theme), bundled);
}

QStringList toolIconNames()
{
    QStringList names;
    for (const ToolPicture &pic : kPictures)
        names << QLatin1String(pic.button);
    return names;
}

} // namespace verno
