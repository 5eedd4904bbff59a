#pragma once

#include "element.h"

#include <QRegion>

#include <optional>

namespace tk {

// A caption in one font and colour, on the window's background or its own.
class Label : public Element {
    Q_OBJECT
public:
    struct Style {
        FontSpec font;
        Align align = Align::Left;
        bool autoSize = false;
        QColor textColor = Qt::black;
        std::optional<QColor> backColor = std::nullopt;
        bool wordWrap = false;
    };

    // left, top, width and height in twips; an auto-sized label takes its
    // size from the caption and keeps its left edge or its centre.
    Label(QWidget* parent, const QString& name, QRectF twips, const Style& style, const QString& caption);

    QString caption() const override { return m_caption; }
    void setCaption(const QString& caption);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Where the label meets the screen's device pixels: their ratio to
    // logical ones, and the label's place in its window, which decides where
    // between two of them each glyph falls.
    struct Screen {
        qreal ratio;
        QPoint place;
        bool operator==(const Screen&) const = default;
    };
    // The logical pixels the caption touches, on the screen they were found
    // for.
    struct Ink {
        QRegion pixels;
        Screen screen;
    };

    void drawCaption(QPainter& painter) const;
    Screen devicePlacement() const;
    const QRegion* inkOnThisScreen() const;
    void findInk();
    void fitToCaption();

    QString m_caption;
    Qt::Alignment m_alignment;
    bool m_wordWrap;
    bool m_autoSize;
    std::optional<Ink> m_ink;
    bool m_inkWanted = false;
};

}  // namespace tk
