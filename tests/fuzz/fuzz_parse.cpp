// The parse of a box's text and the four-decimal rendering of what it reads.
#include <QString>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "fuzz_checks.h"
#include "platform/fault.h"
#include "platform/number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    double value = 0;
    try {
        value = platform::parse(text);
    } catch (const platform::Fault& fault) {
        require(fault.kind() == platform::FaultKind::Overflow, "parse raises only overflow", text);
        return 0;
    }
    require(std::isfinite(value), "parse gives a finite number", text);
    // The parse stops at the first character that cannot continue a number,
    // so appending text never changes it.
    require(platform::parse(text + QStringLiteral("x,5")) == value,
            "trailing text is ignored", text);

    for (const QChar separator : {QChar(u'.'), QChar(u',')}) {
        const QString shown = platform::render4(value, separator);
        static const QRegularExpression shape(QStringLiteral("^-?\\d+[.,]\\d{4}$"));
        require(shape.match(shown).hasMatch(), "rendering has four decimals", shown);
        require(shown.at(shown.size() - 5) == separator, "rendering uses the separator", shown);
        require(!shown.startsWith(QStringLiteral("-0")) || shown.contains(QRegularExpression("[1-9]")),
                "no minus sign on zero", shown);
        if (std::fabs(value) < 1e15) {
            QString plain = shown;
            plain.replace(u',', u'.');
            require(std::fabs(plain.toDouble() - value) <= 0.00005 + 1e-12 * std::fabs(value),
                    "rendering is the nearest four-decimal value", shown);
        }
    }
    return 0;
}
