#include "numeric/runtime_error.h"

#include <utility>

namespace numeric {

namespace {

// "Error 13: No coinciden los tipos. «x» no es un número." — the number first, as users of the
// classic runtime look it up by number.
QByteArray composeMessage(int number, const QString& name, const QString& explanation)
{
    QString message = QStringLiteral("Error %1: %2").arg(number).arg(name);
    if (!explanation.isEmpty())
        message += QStringLiteral(". ") + explanation;
    return message.toUtf8();
}

} // namespace

RuntimeError::RuntimeError(ErrorKind kind, QString explanation)
    : m_kind(kind), m_explanation(std::move(explanation))
{
    m_what = composeMessage(number(), name(), m_explanation);
}

int RuntimeError::number() const noexcept
{
    switch (m_kind) {
    case ErrorKind::TypeMismatch:
        return 13;
    case ErrorKind::Overflow:
        return 6;
    case ErrorKind::DivisionByZero:
        return 11;
    case ErrorKind::InvalidArgument:
        return 5;
    }
    return 0;
}

QString RuntimeError::name() const
{
    switch (m_kind) {
    case ErrorKind::TypeMismatch:
        return QStringLiteral("No coinciden los tipos");
    case ErrorKind::Overflow:
        return QStringLiteral("Desbordamiento");
    case ErrorKind::DivisionByZero:
        return QStringLiteral("División por cero");
    case ErrorKind::InvalidArgument:
        return QStringLiteral("Llamada a procedimiento o argumento no válidos");
    }
    return {};
}

const char* RuntimeError::what() const noexcept
{
    return m_what.constData();
}

} // namespace numeric
