#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

// Form1's fixed layout, kept in twips (1440 to the logical inch) as it was
// drawn, and turned into pixels at the screen's logical dpi: 15 twips a
// pixel at 96 dpi.
class WindowLayout {
public:
    explicit WindowLayout(qreal dotsPerInch) : dotsPerInch_(dotsPerInch) {}

    QSize clientSize() const { return {pixels(6735), pixels(4905)}; }
    QRect dir1() const { return rect(240, 120, 3015, 2190); }
    QRect drive1() const { return rect(240, 2400, 3015, 300); }
    QRect file1() const { return rect(3360, 120, 3255, 2610); }
    QRect text1() const { return rect(240, 2760, 6375, 2055); }

    // A Japanese proportional Gothic: the Windows face first, then the
    // free faces Linux systems carry.
    static QFont windowFont() { return gothic(12); }
    static QFont listFont() { return gothic(9); }

private:
    int pixels(int twips) const { return qRound(twips * dotsPerInch_ / 1440.0); }
    QRect rect(int left, int top, int width, int height) const {
        return {pixels(left), pixels(top), pixels(width), pixels(height)};
    }
    static QFont gothic(int points) {
        QFont font;
        font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                          QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
        font.setPointSize(points);
        font.setWeight(QFont::Normal);
        return font;
    }

    qreal dotsPerInch_;
};
