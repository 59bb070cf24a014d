#include "support/dialog_text.h"

#include <QLabel>
#include <QStringList>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>

namespace cartulo::support {

namespace {

constexpr double kDetailFontRatio = 0.85;

}  // namespace

QString wrapText(const QString& text, const QFont& font, int maxWidth) {
    QString normalised = text;
    normalised.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normalised.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList out;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    for (const QString& paragraph : normalised.split(QLatin1Char('\n'))) {
        if (paragraph.isEmpty()) {
            out << QString();
            continue;
        }
        QTextLayout layout(paragraph, font);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(maxWidth);
            // The blanks a line was broken at stay at its end; a label would
            // only show them as extra width.
            QString piece = paragraph.mid(line.textStart(), line.textLength());
            while (piece.endsWith(QLatin1Char(' '))) piece.chop(1);
            out << piece;
        }
        layout.endLayout();
    }
    return out.join(QLatin1Char('\n'));
}

QFont detailFont(QFont font) {
    if (font.pointSizeF() > 0) {
        font.setPointSizeF(font.pointSizeF() * kDetailFontRatio);
    } else if (font.pixelSize() > 0) {
        font.setPixelSize(std::max(1, static_cast<int>(font.pixelSize() * kDetailFontRatio)));
    }
    return font;
}

QLabel* makeTextLabel(const QString& text, const QFont& font, int maxWidth, Qt::Alignment alignment,
                      QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);  // entries and paths are never markup
    label->setText(wrapText(text, font, maxWidth));
    label->setAlignment(alignment | Qt::AlignTop);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace cartulo::support
