#include "platform/asp/CAspRegionalSettings.h"

#include <optional>

namespace {

thread_local std::optional<QLocale> t_locale;

} // namespace

void CAspRegionalSettings::Set(const QLocale& locale) { t_locale = locale; }

void CAspRegionalSettings::Clear() { t_locale.reset(); }

QLocale CAspRegionalSettings::Current() { return t_locale.value_or(QLocale()); }
