#include "screen_test.h"

#include "app/translations.h"

#include <QDataStream>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTranslator>

#include <algorithm>

// A Qt translation file (.qm) with a single message: the translation in UTF-16, the source text
// and its context, found through the ELF hash of the source text. All numbers are big-endian.
static QByteArray translation(const QByteArray& context, const QByteArray& source,
                              const QString& translated)
{
    QByteArray message, file = QByteArray::fromHex("3cb86418caef9c95cd211cbf60a1bddd");
    QDataStream(&message, QIODevice::WriteOnly)
        << quint8(0x03) << translated << quint8(0x06) << source << quint8(0x07) << context
        << quint8(0x01); // translation, source text, context, end
    quint32 hash = 0;
    for (const char c : source) {
        hash = (hash << 4) + uchar(c);
        hash = (hash ^ (hash & 0xf0000000) >> 24) & 0x0fffffff;
    }
    QDataStream(&file, QIODevice::Append) << quint8(0x42) << quint32(8) << hash << quint32(0)
                                          << quint8(0x69) << message; // hashes, messages
    return file;
}

class TestRegistry final : public QObject
{
    Q_OBJECT

private slots:
    void init() { support::freshRun(); }

    void startShowsOnlyTheSystemTypeScreenAndEndStopsEverything()
    {
        app::start<Form7>();
        QVERIFY(app::screen<Form7>().isShown() && !app::Registry::instance().exists<Form8>());
        QCOMPARE(std::ranges::count_if(QApplication::topLevelWidgets(), &QWidget::isVisible), 1);

        app::end();
        QVERIFY(toolkit::programEnded() && !app::screen<Form7>().isShown());
        bool ran = false;
        toolkit::dispatch([&ran] { ran = true; });
        QVERIFY(!ran);
    }

    void readingAFieldCreatesWithoutLoadingAndUsingAControlLoadsWithoutShowing()
    {
        Form9& onLine = app::screen<Form9>();
        QCOMPARE(onLine.PFNAO, 0.0);
        QVERIFY(!onLine.isLoaded());
        QCOMPARE(&app::screen<Form9>(), &onLine);

        Form8& batch = app::loaded<Form8>();
        QVERIFY(batch.isLoaded() && !batch.isShown());
        // Form_Load has run: the entry screen starts with only Calcular available.
        QVERIFY(batch.Calcular->isEnabled() && !batch.Aceptar->isEnabled());
    }

    // A screen never loaded reads as its design, without being built: on the road of a typed
    // TGI, neither the mixed entry nor the attribute ratings are ever built.
    void readingAScreenNeverLoadedBuildsNothing()
    {
        QCOMPARE(app::textOf(&Form2::Text20), QString());
        QVERIFY(!app::isSelected(&Form6::Option1));
        QVERIFY(!app::Registry::instance().exists<Form2>());
        QCOMPARE(app::textOf(&Form2::Text20), app::loaded<Form2>().Text20->text());
        QCOMPARE(app::isSelected(&Form6::Option1), app::loaded<Form6>().Option1->isSelected());
        app::Registry::instance().reset();

        app::start<Form7>();
        support::press(support::count(1, {"1 1 1"}), "Aceptar");
        support::giveTgi("35");
        QVERIFY(app::screen<Form3>().isShown());
        QCOMPARE(support::shown(app::screen<Form3>(), "Text2"), QStringLiteral("35"));
        QCOMPARE(support::shown(app::screen<Form3>(), "Text5"), QStringLiteral("2,5"));
        QVERIFY(!app::screen<Form1>().isLoaded() && !app::screen<Form2>().isLoaded());
    }

    // Qt's own buttons speak the user's language when its translation is found; without one the
    // program runs on in English.
    void loadsTheTranslationForTheUsersLanguage_data()
    {
        QTest::addColumn<QLocale::Language>("language");
        QTest::addColumn<QString>("ok");
        QTest::newRow("Spanish") << QLocale::Spanish << "Aceptar";
        QTest::newRow("French") << QLocale::French << "D'accord";
        QTest::newRow("none for German") << QLocale::German << "OK";
    }
    void loadsTheTranslationForTheUsersLanguage()
    {
        QFETCH(QLocale::Language, language);
        QFETCH(QString, ok);
        QTemporaryDir folder;
        for (const auto& [file, text] :
             {std::pair("qtbase_es.qm", "Aceptar"), std::pair("qtbase_fr.qm", "D'accord")}) {
            QFile qm(folder.filePath(file));
            QVERIFY(qm.open(QIODevice::WriteOnly) &&
                    qm.write(translation("QPlatformTheme", "OK", text)));
        }
        QLocale::setDefault(QLocale(language));
        QCOMPARE(app::loadQtTranslations(*QCoreApplication::instance(), folder.path()),
                 language != QLocale::German);
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Ok);
        const QString shown = box.button(QMessageBox::Ok)->text();
        qDeleteAll(QCoreApplication::instance()->findChildren<QTranslator*>()); // uninstalls
        QCOMPARE(shown, ok);
    }
};

SUPPORT_TEST_MAIN(TestRegistry)
#include "tst_registry.moc"
