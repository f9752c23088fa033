#pragma once
// A page of a PDF file as a page canvas: the marks go straight into the page's content as PDF
// operators, text as text in the document's embedded fonts (so it can be found and copied), and
// text is measured from the fonts' own advances, once per character rather than per string.
#include <QByteArray>
#include <QSizeF>
#include <vector>

#include "runtime/report/PageCanvas.h"
#include "runtime/report/PdfResources.h"

namespace cdz {

class PdfCanvas final : public PageCanvas {
public:
    explicit PdfCanvas(PdfResources& resources) : resources_(resources) {}

    // A new page of `size` points; its top left corner is the origin, y grows downwards.
    void begin(QSizeF size);
    // The page's content, ready to be written as its content stream.
    QByteArray finish();

    void save() override;
    void restore() override;
    void translate(qreal dx, qreal dy) override;
    void scale(qreal sx, qreal sy) override;
    void rotate(qreal degrees) override;
    void clip(const QRectF& box) override;
    FontLines lines(const FontSpec& font) override;
    qreal advance(const FontSpec& font, const QString& text) override;
    void text(const FontSpec& font, Argb colour, QPointF origin, const QString& text) override;
    void line(QPointF from, QPointF to, qreal width, Argb colour) override;
    void box(const QRectF& box, qreal borderWidth, Argb border, Argb fill) override;
    void image(const QRectF& box, const QString& path) override;

private:
    struct State {
        Argb fill = kBlack;
        Argb stroke = kBlack;
        qreal width = 1;
        const PdfFont* font = nullptr;
        qreal size = 0;
    };

    // A saved state is written only when something inside it needs it: a shortened column's
    // clip costs nothing when the text drawn in it stays inside anyway.
    struct Level {
        State saved;
        bool written = false;
        bool clipped = false;
        QRectF clip;
    };
    void realize();
    bool pendingClip() const;
    bool insidePendingClips(const QRectF& ink) const;
    QRectF plainInk(const PdfFace& face, QPointF origin) const;
    // Glyphs of the face's own font for `text`, or false when it needs Qt's shaping.
    bool plainGlyphs(PdfFace& face, const QString& text);
    void shapedText(PdfFace& face, QPointF origin, const QString& text);
    void outline(const QRawFont& raw, quint32 glyph, QPointF at, const QString& text);
    void textMode(bool on);
    void moveText(QPointF at);
    void setFont(const PdfFont& font, qreal size);
    void setFill(Argb colour);
    void setStroke(Argb colour, qreal width);
    // The glyphs as one string of their codes; false (nothing written) when the font has no
    // code left for one of them.
    bool glyphString(PdfFont& font, const quint32* glyphs, std::size_t count, const QString& text);
    void matrix(qreal a, qreal b, qreal c, qreal d, qreal e, qreal f);
    void put(qreal value);
    void rule(qreal x, qreal y, qreal width, qreal height);

    PdfResources& resources_;
    QByteArray out_;
    State state_;
    std::vector<Level> levels_;
    bool inText_ = false;
    QPointF lineStart_;
    // The last string measured, which is the one drawn next.
    const PdfFace* plainFace_ = nullptr;
    QString plainText_;
    std::vector<quint32> glyphs_;
    qreal plainWidth_ = 0;
};

}  // namespace cdz
