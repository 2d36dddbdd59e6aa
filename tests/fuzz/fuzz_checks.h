#pragma once
// What every fuzz input must satisfy; a broken rule stops the fuzzer there.
#include <QRegularExpression>
#include <QString>
#include <cstdio>
#include <cstdlib>

inline void require(bool holds, const char* rule, const QString& detail = {})
{
    if (holds) return;
    std::fprintf(stderr, "broken: %s: %s\n", rule, qPrintable(detail));
    std::abort();
}

// A shown probability: one digit, a separator, four decimals, at most 1.
inline bool is_probability_text(const QString& text)
{
    static const QRegularExpression shape(QStringLiteral("^(0[.,]\\d{4}|1[.,]0000)$"));
    return shape.match(text).hasMatch();
}
