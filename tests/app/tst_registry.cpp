#include "screen_test.h"

#include "app/identity.h"
#include "app/registry.h"
#include "app/translations.h"
#include "screens/complexity/form2.h"
#include "screens/complexity/form3.h"
#include "screens/complexity/form6.h"
#include "screens/effort/form4.h"
#include "screens/effort/form5.h"
#include "screens/report/form10.h"
#include "screens/size/form1.h"
#include "screens/size/form7.h"
#include "screens/size/form8.h"
#include "screens/size/form9.h"
#include "toolkit/runtime.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#include <algorithm>

// A Qt translation file (.qm) with a single message: the translation in UTF-16, the source text
// and its context, found through the hash of the source text.
static QByteArray translation(const QByteArray& context, const QByteArray& source,
                              const QString& translated)
{
    const auto number = [](QByteArray& into, quint32 value) {
        for (int shift = 24; shift >= 0; shift -= 8)
            into += char(value >> shift & 0xff);
    };
    QByteArray message(1, 0x03); // the translation
    number(message, quint32(translated.size() * 2));
    for (const QChar c : translated)
        message.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xff));
    message += char(0x06); // the source text
    number(message, quint32(source.size()));
    message += source;
    message += char(0x07); // the context
    number(message, quint32(context.size()));
    message += context + char(0x01); // end of message
    quint32 hash = 0;                // the ELF hash of the source text
    for (const char c : source) {
        hash = (hash << 4) + uchar(c);
        const quint32 high = hash & 0xf0000000;
        hash = (hash ^ high >> 24) & ~high;
    }
    QByteArray file = QByteArray::fromHex("3cb86418caef9c95cd211cbf60a1bddd");
    file += char(0x42); // the hashes, each with its message's offset
    number(file, 8);
    number(file, hash);
    number(file, 0);
    file += char(0x69); // the messages
    number(file, quint32(message.size()));
    return file + message;
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

    // The desktop groups the windows with their launcher.
    void namesTheProgram()
    {
        app::setIdentity(*qobject_cast<QApplication*>(QCoreApplication::instance()));
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral(MARKII_APP_ID));
        QCOMPARE(QCoreApplication::applicationVersion(), QStringLiteral(MARKII_VERSION));
        QVERIFY(!QApplication::windowIcon().availableSizes().isEmpty());
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
