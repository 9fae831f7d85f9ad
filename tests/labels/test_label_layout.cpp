#include "labels/PackageLabel.h"
#include "printing/PrinterSurface.h"

#include <QFontMetricsF>
#include <QTest>

using namespace Qt::StringLiterals;

// Where the label's items stand, read from the drawing steps the label
// records, against the label's fixed figures in twips.
namespace {

using Target = PackageLabel::Target;
constexpr int PageWidth = 4535;

QList<PageOp> drawn(Target target)
{
    PackageLabel label;
    label.product = u"Dana Kuşbaşı"_s;
    label.customer = u"Ali'nin Kasabı"_s;
    label.weightText = u"12,345 Kg "_s;
    label.barkod = u"2000001"_s;
    label.headerLines = {u"KORVEL ET"_s, {}, {}, {}, {}, {}, u"TR 06-0123"_s, u"10"_s};
    label.today = QDate(2026, 12, 8);
    PrinterSurface surface(QSize(PageWidth, 5100));
    label.draw(surface, target, 7200);
    return surface.recording().ops();
}

QList<PageOp> ofKind(const QList<PageOp> &ops, PageOp::Kind kind)
{
    QList<PageOp> found;
    for (const PageOp &op : ops) {
        if (op.kind == kind)
            found << op;
    }
    return found;
}

// Index of the text step printing `text`; -1 when none does.
qsizetype textIndex(const QList<PageOp> &ops, const QString &text)
{
    for (qsizetype i = 0; i < ops.size(); ++i) {
        if (ops[i].kind == PageOp::Kind::Text && ops[i].text == text)
            return i;
    }
    return -1;
}

qreal advance(const PageOp &op)
{
    return QFontMetricsF(op.font).horizontalAdvance(op.text);
}

} // namespace

Q_DECLARE_METATYPE(PackageLabel::Target)

class TestLabelLayout : public QObject
{
    Q_OBJECT
private slots:
    void shapesStandAtTheirPlaces_data();
    void shapesStandAtTheirPlaces();
    void textsStandInTheirColumns_data();
    void textsStandInTheirColumns();
    void centredAndRightAlignedTexts_data();
    void centredAndRightAlignedTexts();
};

void TestLabelLayout::shapesStandAtTheirPlaces_data()
{
    QTest::addColumn<Target>("target");
    QTest::addColumn<QRectF>("oval");
    QTest::addColumn<QRectF>("weightBox");
    QTest::addColumn<QPointF>("barcode");
    // Oval: centre (2000, y), 800 across each side, half as high.
    QTest::newRow("label") << Target::Page << QRectF(1200, 1700, 1600, 800)
                           << QRectF(2000, 4000, 2400, 500) << QPointF(0, 3770);
    QTest::newRow("preview") << Target::Preview << QRectF(1200, 1400, 1600, 800)
                             << QRectF(2160, 3700, 2240, 600) << QPointF(0, 3600);
}

void TestLabelLayout::shapesStandAtTheirPlaces()
{
    QFETCH(Target, target);
    QFETCH(QRectF, oval);
    QFETCH(QRectF, weightBox);
    QFETCH(QPointF, barcode);
    const QList<PageOp> ops = drawn(target);

    const QList<PageOp> ellipses = ofKind(ops, PageOp::Kind::Ellipse);
    QCOMPARE(ellipses.size(), 1);
    QCOMPARE(ellipses[0].rect.normalized(), oval);
    QCOMPARE(ellipses[0].penWidth, 30.0); // DrawWidth 2
    const QList<PageOp> boxes = ofKind(ops, PageOp::Kind::Rect);
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].rect.normalized(), weightBox);
    const QList<PageOp> pictures = ofKind(ops, PageOp::Kind::Picture);
    QCOMPARE(pictures.size(), 1);
    QCOMPARE(pictures[0].rect.topLeft(), barcode);

    // The two rules across the page, 60 twips in from each edge, around the
    // product name.
    const QList<PageOp> rules = ofKind(ops, PageOp::Kind::Line);
    QCOMPARE(rules.size(), 2);
    const PageOp &name = ops[textIndex(ops, u"Dana Kuşbaşı"_s)];
    for (const PageOp &rule : rules) {
        QCOMPARE(qMin(rule.line.x1(), rule.line.x2()), 60.0);
        QCOMPARE(qMax(rule.line.x1(), rule.line.x2()), PageWidth - 60.0);
        QCOMPARE(rule.line.y1(), rule.line.y2());
    }
    QCOMPARE_LT(rules[0].line.y1(), name.at.y());
    QCOMPARE_GE(rules[1].line.y1(), name.at.y() + QFontMetricsF(name.font).ascent());
    if (target == Target::Page)
        QCOMPARE(rules[0].line.y1(), 1060.0);
}

void TestLabelLayout::textsStandInTheirColumns_data()
{
    QTest::addColumn<Target>("target");
    QTest::addColumn<QString>("text");
    QTest::addColumn<qreal>("x");
    QTest::addColumn<qreal>("valueX"); // where the text after it on its line starts; 0: none
    for (const Target target : {Target::Page, Target::Preview}) {
        const auto row = [target](const char *item) -> QTestData & {
            return QTest::addRow("%s: %s", target == Target::Page ? "label" : "preview", item);
        };
        row("oval mark") << target << u"TR 06-0123"_s << 1470.0 << 0.0;
        row("production date")
            << target << u"Üretim Tarihi"_s << (target == Target::Page ? 60.0 : 0.0) << 2415.0;
        row("use-by date") << target << u"Son Tüketim Tarihi"_s << 60.0 << 2415.0;
        row("batch") << target << u"Parti No Ürt.Tarihidir"_s << 60.0 << 0.0;
        row("origin") << target << u"Menşeği Ülke"_s << 60.0 << 2415.0;
        row("weight caption") << target << u"Ağırlık"_s << 3000.0 << 0.0;
    }
}

void TestLabelLayout::textsStandInTheirColumns()
{
    QFETCH(Target, target);
    QFETCH(QString, text);
    QFETCH(qreal, x);
    QFETCH(qreal, valueX);
    const QList<PageOp> ops = drawn(target);
    const qsizetype at = textIndex(ops, text);
    QVERIFY2(at >= 0, qPrintable(text + u" not drawn"_s));
    QCOMPARE(ops[at].at.x(), x);
    if (valueX > 0) {
        QVERIFY(at + 1 < ops.size());
        QCOMPARE(ops[at + 1].kind, PageOp::Kind::Text);
        QCOMPARE(ops[at + 1].at, QPointF(valueX, ops[at].at.y()));
    }
}

void TestLabelLayout::centredAndRightAlignedTexts_data()
{
    QTest::addColumn<Target>("target");
    QTest::addColumn<qreal>("markY");
    QTest::newRow("label") << Target::Page << 2000.0;
    QTest::newRow("preview") << Target::Preview << 1670.0;
}

void TestLabelLayout::centredAndRightAlignedTexts()
{
    QFETCH(Target, target);
    QFETCH(qreal, markY);
    const QList<PageOp> ops = drawn(target);
    QCOMPARE(ops[textIndex(ops, u"TR 06-0123"_s)].at.y(), markY);

    const PageOp &name = ops[textIndex(ops, u"Dana Kuşbaşı"_s)];
    QVERIFY(qAbs(name.at.x() + advance(name) / 2 - PageWidth / 2.0) < 1);
    QCOMPARE(name.font.pixelSize(), (target == Target::Page ? 18 : 14) * 20);

    // The weight ends at x = 4350, inside its box, below the caption.
    const PageOp &weight = ops[textIndex(ops, u"12,345 Kg "_s)];
    QVERIFY(qAbs(weight.at.x() + advance(weight) - 4350) < 1);
    QCOMPARE(weight.font.pixelSize(), 22 * 20);
    QCOMPARE_GT(weight.at.y(), ops[textIndex(ops, u"Ağırlık"_s)].at.y());
}

QTEST_MAIN(TestLabelLayout)
#include "test_label_layout.moc"
