#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

#include "WindowGeometry.h"

// Form1's fixed layout in Qt's terms, at the screen's logical dpi.
class WindowLayout {
public:
    explicit WindowLayout(qreal dotsPerInch) : geometry_(qRound(dotsPerInch)) {}

    QSize clientSize() const { return {geometry_.ClientWidth(), geometry_.ClientHeight()}; }
    QRect dir1() const { return rect(geometry_.Dir1()); }
    QRect drive1() const { return rect(geometry_.Drive1()); }
    QRect file1() const { return rect(geometry_.File1()); }
    QRect text1() const { return rect(geometry_.Text1()); }

    // A Japanese proportional Gothic: the Windows face first, then the
    // free faces Linux systems carry.
    static QFont windowFont() { return gothic(Geometry::WindowGeometry::kWindowFontPoints); }
    static QFont listFont() { return gothic(Geometry::WindowGeometry::kListFontPoints); }

private:
    static QRect rect(const Geometry::PixelRect& r) { return {r.Left, r.Top, r.Width, r.Height}; }
    static QFont gothic(int points) {
        QFont font;
        font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                          QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
        font.setPointSize(points);
        font.setWeight(QFont::Normal);
        return font;
    }

    Geometry::WindowGeometry geometry_;
};
