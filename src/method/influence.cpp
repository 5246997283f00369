#include "method/influence.h"

namespace method {

const QStringList& attributeNames()
{
    static const QStringList names = {
        QStringLiteral("Comunicación de datos"),
        QStringLiteral("Funciones distribuídas"),
        QStringLiteral("Prestaciones"),
        QStringLiteral("Gran uso de la configuración"),
        QStringLiteral("Velocidad de las transacciones"),
        QStringLiteral("Entrada de datos en línea"),
        QStringLiteral("Diseño para la eficiencia del usuario final"),
        QStringLiteral("Actualización de datos en línea"),
        QStringLiteral("Complejidad del proceso lógico interno de la aplic."),
        QStringLiteral("Reusabilidad del código"),
        QStringLiteral("Facilidad de instalación"),
        QStringLiteral("Facilidad de operación"),
        QStringLiteral("Localizaciones múltiples"),
        QStringLiteral("Facilidad de cambios"),
        QStringLiteral("Requerimientos de otras aplicaciones"),
        QStringLiteral("Seguridad, privacidad, auditabilidad "),
        QStringLiteral("Necesidades de formación "),
        QStringLiteral("Uso por terceras partes"),
        QStringLiteral("Documentación"),
    };
    return names;
}

const QStringList& degrees()
{
    static const QStringList list = {
        QStringLiteral("0-Sin Influencia"),    QStringLiteral("1-Inf.Mínima"),
        QStringLiteral("2-Inf.Moderada"),      QStringLiteral("3-Inf.Apreciable"),
        QStringLiteral("4-Inf.Significativa"), QStringLiteral("5-Inf.Muy Fuerte"),
    };
    return list;
}

numeric::Integer totalInfluence(const std::array<numeric::Integer, kAttributes>& ratings)
{
    numeric::Integer total = 0;
    for (const numeric::Integer rating : ratings)
        total = numeric::addIntegers(total, rating);
    return total;
}

} // namespace method
