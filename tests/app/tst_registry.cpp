#include "screen_test.h"

#include "app/translations.h"

#include <QDataStream>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTranslator>

#include <algorithm>

// A Qt translation file (.qm) with one message: "OK" of QPlatformTheme as "Aceptar" in UTF-16,
// found through 0x53b, the ELF hash of "OK". All numbers are big-endian.
static QByteArray okInSpanish()
{
    QByteArray message, file = QByteArray::fromHex("3cb86418caef9c95cd211cbf60a1bddd");
    QDataStream(&message, QIODevice::WriteOnly)
        << quint8(0x03) << QStringLiteral("Aceptar") << quint8(0x06) << QByteArray("OK")
        << quint8(0x07) << QByteArray("QPlatformTheme") << quint8(0x01); // end of the message
    QDataStream(&file, QIODevice::Append)
        << quint8(0x42) << quint32(8) << quint32(0x53b) << quint32(0) << quint8(0x69) << message;
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
        QVERIFY(onLine.PFNAO == 0.0 && !onLine.isLoaded() && &app::screen<Form9>() == &onLine);

        Form8& batch = app::loaded<Form8>();
        QVERIFY(batch.isLoaded() && !batch.isShown());
        // Form_Load has run: the entry screen starts with only Calcular available.
        QVERIFY(batch.Calcular->isEnabled() && !batch.Aceptar->isEnabled());
    }

    // A screen never loaded reads as its design, without being built: on the road of a typed
    // TGI, neither the mixed entry nor the attribute ratings are ever built.
    void readingAScreenNeverLoadedBuildsNothing()
    {
        QVERIFY(app::textOf(&Form2::Text20).isEmpty() && !app::isSelected(&Form6::Option1));
        QVERIFY(!app::Registry::instance().exists<Form2>());
        QCOMPARE(app::textOf(&Form2::Text20), app::loaded<Form2>().Text20->text());
        QCOMPARE(app::isSelected(&Form6::Option1), app::loaded<Form6>().Option1->isSelected());
        app::Registry::instance().reset();

        app::start<Form7>();
        support::press(support::count(1, {"1 1 1"}), "Aceptar");
        support::giveTgi("35");
        QVERIFY(app::screen<Form3>().isShown() && !app::screen<Form1>().isLoaded() &&
                !app::screen<Form2>().isLoaded());
    }

    // Qt's own buttons speak the user's language when its translation is found; without one the
    // program runs on in English.
    void loadsTheTranslationForTheUsersLanguage()
    {
        QTemporaryDir folder;
        QFile qm(folder.filePath("qtbase_es.qm"));
        QVERIFY(qm.open(QIODevice::WriteOnly) && qm.write(okInSpanish()) && qm.flush());
        QLocale::setDefault(QLocale(QLocale::French));
        QVERIFY(!app::loadQtTranslations(*QCoreApplication::instance(), folder.path()));
        QLocale::setDefault(QLocale(QLocale::Spanish));
        QVERIFY(app::loadQtTranslations(*QCoreApplication::instance(), folder.path()));
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Ok);
        const QString shown = box.button(QMessageBox::Ok)->text();
        qDeleteAll(QCoreApplication::instance()->findChildren<QTranslator*>()); // uninstalls
        QCOMPARE(shown, QStringLiteral("Aceptar"));
    }
};

SUPPORT_TEST_MAIN(TestRegistry)
#include "tst_registry.moc"
