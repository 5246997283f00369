#pragma once

// An estimate as the user entered it, and its file: JSON, UTF-8, extension .markii. The file
// keeps the user's inputs, never the results; opening it enters them again.

#include "method/system_type.h"
#include "method/transaction.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace estimate {

inline constexpr char kFormat[] = "markii-estimate";
constexpr int kVersion = 1;
constexpr int kMaxCount = 32767;
constexpr int kMaxTransactions = 100000;
constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;
constexpr int kAttributes = 19;
constexpr int kMaxRating = 5;
constexpr int kUnrated = -1;

// Where the estimate stood, in the order the user walks: the screen shown and how many of its
// one-shot steps had run.
enum class Stage {
    SystemType,       // back on the system type screen
    Entry,            // entering transactions
    Influence,        // choosing how TGI is given
    Ratings,          // rating the attributes
    RatingsSummed,    // ... and summed
    Adjustment,       // technical complexity adjustment
    AdjustmentAct,    // ... ACT calculated
    AdjustmentPfa,    // ... PFA obtained
    Productivity,     // productivity
    ProductivityP,    // ... P calculated
    Effort,           // effort and delivery time
    EffortCalculated, // ... calculated
    Report,           // the report beside the effort screen
};

enum class Influence { None, Direct, Rated };

struct Estimate
{
    method::SystemType systemType = method::SystemType::Batch;
    Stage stage = Stage::Entry;
    // The transactions of each entry screen used, in entry order; the mixed screen's have both
    // columns.
    QList<method::Transaction> batch;
    QList<method::Transaction> onLine;
    QList<method::Transaction> mixed;
    Influence influence = Influence::None;
    QString directTgi; // as typed
    std::array<int, kAttributes> ratings = filledRatings();
    QString language; // as listed; empty while none is picked

    static std::array<int, kAttributes> filledRatings()
    {
        std::array<int, kAttributes> unrated{};
        unrated.fill(kUnrated);
        return unrated;
    }

    // The same inputs, wherever each estimate stands.
    bool sameInputs(const Estimate& other) const;
    // Anything entered besides the system type.
    bool hasInput() const;

    friend bool operator==(const Estimate&, const Estimate&) = default;
};

// What the screens accept, which a file must keep to.
struct Rules
{
    QStringList languages;
};

// Why the screen refuses a typed TGI; empty when it takes it.
QString directTgiProblem(const QString& typed);

QByteArray toJson(const Estimate& estimate);

// The estimate a file's contents hold, checked whole; otherwise what is wrong, in a sentence.
std::optional<Estimate> fromJson(const QByteArray& contents, const Rules& rules, QString* problem);

// Reads and checks a file. On failure the message names the file and what is wrong with it.
std::optional<Estimate> readFile(const QString& path, const Rules& rules, QString* message);

// Writes the file whole or not at all: an earlier file stays as it was when writing fails. On
// failure the message names the path and the reason.
bool writeFile(const Estimate& estimate, const QString& path, QString* message);

} // namespace estimate
