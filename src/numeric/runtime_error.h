#pragma once

#include <QString>

#include <exception>

namespace numeric {

// The run-time errors a rule or a toolkit operation can raise. A handler that meets one stops at
// that step; the toolkit shows the error to the user and the program goes on.
enum class ErrorKind {
    TypeMismatch,
    Overflow,
    DivisionByZero,
    InvalidArgument,
};

class RuntimeError final : public std::exception
{
public:
    explicit RuntimeError(ErrorKind kind, QString explanation = {});

    ErrorKind kind() const noexcept { return m_kind; }
    // The error number the user may know from the classic runtime (13 for a type mismatch...).
    int number() const noexcept;
    // Short Spanish name of the error, such as "Desbordamiento".
    QString name() const;

    // A sentence for the user saying what went wrong in their terms; may be empty.
    const QString& explanation() const noexcept { return m_explanation; }

    const char* what() const noexcept override;

private:
    ErrorKind m_kind;
    QString m_explanation;
    QByteArray m_what;
};

} // namespace numeric
