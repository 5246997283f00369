#include "method/adjustment.h"
#include "method/effort.h"
#include "method/influence.h"
#include "method/productivity.h"
#include "method/transaction.h"

#include <QTest>

#include <functional>

// A rule's results for one case, in the order its screen shows them.
using Figures = QList<double>;
using Rule = std::function<Figures()>;
Q_DECLARE_METATYPE(Rule)

using namespace method;

static Figures adjustment(double tgi, double batch, double onLine)
{
    const double act = complexityAdjustment(tgi);
    const double batchSize = adjustedSize(batch, act), onLineSize = adjustedSize(onLine, act);
    return {act, batchSize, onLineSize, totalAdjustedSize(batchSize, onLineSize)};
}

static Figures productivityOf(double size, const char* language)
{
    const Productivity p = productivity(size, languageFactor(languages().indexOf(language)));
    return {p.bellCurve, p.growth, p.perHour};
}

// The factor of the system type with its unadjusted points, then W, E and PE.
static Figures effortOf(SystemType type, double batch, double onLine, double size, double p)
{
    const double factor = effortFactor(type, batch, onLine), divisor = deliveryDivisor(size);
    return {factor, effortHours(size, factor, p), divisor, deliveryWeeks(size, divisor)};
}

static Figures tgi(numeric::Integer rating)
{
    std::array<numeric::Integer, kAttributes> ratings{};
    ratings.fill(rating);
    return {double(totalInfluence(ratings))};
}

class TestMethod final : public QObject
{
    Q_OBJECT

private slots:
    // Figures worked apart in IEEE doubles, compared to the bit; a comment gives another order's.
    void figures_data()
    {
        QTest::addColumn<Rule>("rule");
        QTest::addColumn<Figures>("expected");
        const auto row = [](const char* name, Rule rule, Figures expected) {
            QTest::newRow(name) << rule << expected;
        };
        // 0.58 + (1.66 + 0.78): 3.02
        row("outputs added last", [] { return Figures{transactionPoints(1, 1, 3)}; },
            {3.0199999999999996});
        row("ratings of 5 give TGI 95", [] { return tgi(5); }, {95});
        // (100 + 50) × ACT: 127.50000000000001
        row("TGI 40 adjusts each part, then adds them", [] { return adjustment(40, 100, 50); },
            {0.8500000000000001, 85.00000000000001, 42.50000000000001, 127.50000000000003});
        row("NATURAL, the first: factor 1,6", [] { return productivityOf(250, "NATURAL"); },
            {0.11, 0.008318854081511914, 0.18931016653041907});
        row("no language: factor 1", [] { return productivityOf(250, "Cobra"); },
            {0.11, 0.008318854081511914, 0.11831885408151191});
        using enum SystemType;
        row("batch gives factor 1,5", [] { return effortOf(Batch, 9, 9, 100, .5); },
            {1.5, 300, 4.5, 22.22222222222222});
        // batch + on line × 1.5: 1.1666666666666667; PFA × (B / P) or PFA / P × B:
        // 444.00000000000006; √PFA / 0.45: 22.211108331943574
        row("mixed weighs the parts' points", [] { return effortOf(Mixed, 100, 50, 99.9, .3); },
            {1.3333333333333333, 444, 4.497749437218574, 22.211108331943578});
        row("on line gives factor 1", [] { return effortOf(OnLine, 9, 9, 100, .5); },
            {1, 200, 4.5, 22.22222222222222});
        row("zero size gives PE 0", [] { return effortOf(Mixed, 0, 0, 0, .5); }, {1, 0, 0, 0});
    }
    void figures()
    {
        QFETCH(Rule, rule);
        QFETCH(Figures, expected);
        const Figures actual = rule();
        QCOMPARE(actual.size(), expected.size());
        for (qsizetype i = 0; i < expected.size(); ++i) // QCOMPARE on doubles is fuzzy
            QVERIFY2(actual[i] == expected[i], qPrintable(QString::number(actual[i], 'g', 17)));
    }

    // A step that cannot give a number refuses (the screens' tests check the messages).
    void failures()
    {
        QVERIFY_THROWS_EXCEPTION(numeric::RuntimeError, tgi(32767));
        QVERIFY_THROWS_EXCEPTION(numeric::RuntimeError, effortOf(SystemType::Batch, 0, 0, 100, 0));
        QVERIFY_THROWS_EXCEPTION(numeric::RuntimeError, productivityOf(-12.5, "SQL"));
    }
};

QTEST_GUILESS_MAIN(TestMethod)
#include "tst_method.moc"
