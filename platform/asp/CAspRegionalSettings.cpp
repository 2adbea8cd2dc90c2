#include "platform/asp/CAspRegionalSettings.h"

#include <QHash>

#include <bit>
#include <optional>

namespace {

thread_local std::optional<QLocale> t_locale;

// A catalogue page writes the same prices and taxes on every visit, and
// the locale's writer costs far more than a lookup: each thread keeps what
// it wrote in the settings in force, up to a bound.
constexpr qsizetype kMaxWritten = 4096;

struct Written
{
    std::optional<QLocale> locale;
    QHash<QPair<quint64, int>, QString> texts;   // value's bits and decimals -> text
};
thread_local Written t_written;

} // namespace

void CAspRegionalSettings::Set(const QLocale& locale) { t_locale = locale; }

void CAspRegionalSettings::Clear() { t_locale.reset(); }

QLocale CAspRegionalSettings::Current() { return t_locale.value_or(QLocale()); }

QString CAspRegionalSettings::Fixed(double value, int decimals)
{
    const QLocale locale = Current();
    if (t_written.locale != locale || t_written.texts.size() >= kMaxWritten) {
        t_written.locale = locale;
        t_written.texts.clear();
    }
    const QPair<quint64, int> key(std::bit_cast<quint64>(value), decimals);
    const auto found = t_written.texts.constFind(key);
    if (found != t_written.texts.cend())
        return *found;
    return *t_written.texts.insert(key, locale.toString(value, 'f', decimals));
}
