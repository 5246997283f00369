#include "method/productivity.h"

#include "numeric/numeric.h"

namespace method {

const QStringList& languages()
{
    static const QStringList list = {
        QStringLiteral("NATURAL"),   QStringLiteral("ADSL/ON LINE"), QStringLiteral("IDEAL"),
        QStringLiteral("FOCUS"),     QStringLiteral("4GL"),          QStringLiteral("FOX "),
        QStringLiteral("RAMIS-II"),  QStringLiteral("SQL"),          QStringLiteral("QBE"),
        QStringLiteral("SUPERNOVA"), QStringLiteral("Java"),         QStringLiteral("C++"),
        QStringLiteral("COBOL"),     QStringLiteral("BASIC"),        QStringLiteral("Visual Basic"),
        QStringLiteral("ALGOL"),     QStringLiteral("Prolog"),       QStringLiteral("Lisp"),
        QStringLiteral("ADA"),       QStringLiteral("PASCAL "),      QStringLiteral("Smalltalk "),
        QStringLiteral("DELPHI"),    QStringLiteral("FORTRAN II"),   QStringLiteral("PL/1 "),
        QStringLiteral("SIMULA"),    QStringLiteral("ALP"),          QStringLiteral("Eiffel"),
    };
    return list;
}

double languageFactor(double position)
{
    if (position >= 0 && position <= 9)
        return 1.6;
    return 1.0;
}

Productivity productivity(double size, double languageFactor)
{
    Productivity result;
    // One check for the whole formula, looked at after every step: a step that fails stops here.
    const numeric::FloatingPointCheck fp;
    double t = (size - 250) / 575;
    fp.check(t);
    t = -numeric::power(t, 2);
    fp.check(t);
    result.bellCurve = numeric::power(2.718281828, t) * 0.11;
    fp.check(result.bellCurve);
    // A^1.1 has no value for a negative size; say so in the user's terms.
    if (size < 0)
        throw numeric::RuntimeError(
            numeric::ErrorKind::InvalidArgument,
            QStringLiteral("El tamaño ajustado del sistema (PFA = %1) es negativo: no se puede "
                           "calcular la productividad. El tamaño viene de las transacciones "
                           "introducidas al principio, que desde aquí ya no se pueden cambiar: "
                           "para corregirlo hay que empezar una estimación nueva.")
                .arg(numeric::doubleToText(size)));
    const double w = numeric::power(size, 1.1) * 0.01 / 522;
    fp.check(w);
    result.perHour = (w + result.bellCurve) * languageFactor;
    fp.check(result.perHour);
    result.growth = w;
    return result;
}

} // namespace method
